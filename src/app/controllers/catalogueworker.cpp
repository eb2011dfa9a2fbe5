#include "catalogueworker.h"

#include "catalogue.h"

#include <QDir>

CCatalogueWorker::CCatalogueWorker() = default;

CCatalogueWorker::~CCatalogueWorker() = default;

void CCatalogueWorker::Open(const QString& strStorage)
{
    if (strStorage != m_strStorage || !m_pCatalogue) {
        m_pCatalogue.reset();
        m_strStorage = strStorage;
        m_bReopen = true;
    }
    Sync();
}

bool CCatalogueWorker::EnsureOpen()
{
    if (m_strStorage.isEmpty())
        return false;
    if (!m_bReopen && m_pCatalogue && m_pCatalogue->IsOpen())
        return true;
    m_pCatalogue = std::make_unique<CCatalogue>(m_strStorage);
    QString strError;
    if (!m_pCatalogue->Open(&strError)) {
        Q_EMIT Failed(OpenFault, strError);
        return false;
    }
    m_bReopen = false;
    m_nChanges = -1;
    if (!m_pCatalogue->Notice().isEmpty())
        Q_EMIT Notice(m_pCatalogue->Notice());
    return true;
}

void CCatalogueWorker::Sync()
{
    if (!EnsureOpen())
        return;
    QString strError;
    if (!m_pCatalogue->Sync(&strError)) {
        m_bReopen = true;
        Q_EMIT Failed(WriteFault, strError);
        return;
    }
    Succeeded();
}

void CCatalogueWorker::IndexFiles(const QStringList& paths)
{
    if (!EnsureOpen())
        return;
    const QString strDatabase = QDir::toNativeSeparators(m_pCatalogue->DatabasePath());
    for (const QString& strPath : paths) {
        QString strError;
        if (m_pCatalogue->IndexFile(strPath, &strError))
            continue;
        // A file that is not one of ours is the file's matter, not the catalogue's.
        if (strError.startsWith(strDatabase)) {
            m_bReopen = true;
            Q_EMIT Failed(WriteFault, strError);
            return;
        }
    }
    Succeeded();
}

void CCatalogueWorker::SetBaseline(const QString& strPath)
{
    if (!EnsureOpen()) {
        Q_EMIT BaselineSet(strPath, false, tr("The catalogue cannot be opened."));
        return;
    }
    QString strError;
    if (!m_pCatalogue->SetBaseline(strPath, &strError)) {
        Q_EMIT BaselineSet(strPath, false, strError);
        return;
    }
    Q_EMIT BaselineSet(strPath, true, QString());
    Succeeded();
}

QVariantList CCatalogueWorker::CurrentBaselines()
{
    QVariantList baselines;
    QString strError;
    const QDir storage(m_pCatalogue->Storage());
    for (const QString& strRoom : m_pCatalogue->DistinctValues(CCatalogue::Field::Room, &strError)) {
        for (const CCatalogue::BaselineRow& row : m_pCatalogue->BaselineHistory(QString(), strRoom, &strError, true)) {
            if (!row.bCurrent)
                continue;
            baselines << QVariantMap{{QStringLiteral("path"), QDir::cleanPath(storage.filePath(row.strPath))},
                                     {QStringLiteral("site"), row.strSite},
                                     {QStringLiteral("room"), row.strRoom}};
        }
    }
    return baselines;
}

void CCatalogueWorker::Succeeded()
{
    const int64_t nChanges = m_pCatalogue->ChangeCount();
    if (nChanges >= 0 && nChanges == m_nChanges)
        return;
    m_nChanges = nChanges;
    QVariantMap values;
    QString strIgnored;
    for (const QString& strColumn :
         {QStringLiteral("client"), QStringLiteral("address"), QStringLiteral("room"), QStringLiteral("operator")})
        values.insert(strColumn, m_pCatalogue->DistinctValues(strColumn, &strIgnored));
    Q_EMIT KnownValues(values);
    Q_EMIT Baselines(CurrentBaselines());
    Q_EMIT Changed();
}
