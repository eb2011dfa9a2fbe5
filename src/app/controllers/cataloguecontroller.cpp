#include "cataloguecontroller.h"

#include "catalogueworker.h"
#include "statusmessage.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

CCatalogueController::CCatalogueController(std::function<QString()> storage, QStatusBar* pBar, QObject* pParent)
    : QObject(pParent)
    , m_Storage(std::move(storage))
    , m_pBar(pBar)
    , m_pWorker(new CCatalogueWorker)
{
    m_Thread.setObjectName(QStringLiteral("catalogue"));
    m_pWorker->moveToThread(&m_Thread);
    // Its database connection is made and closed in its own thread.
    connect(&m_Thread, &QThread::finished, m_pWorker, &QObject::deleteLater);
    connect(m_pWorker, &CCatalogueWorker::Changed, this, &CCatalogueController::OnChanged);
    connect(m_pWorker, &CCatalogueWorker::KnownValues, this, &CCatalogueController::KnownValues);
    connect(m_pWorker, &CCatalogueWorker::Failed, this, &CCatalogueController::OnFailed);
    connect(m_pWorker, &CCatalogueWorker::Notice, this,
            [this](const QString& strText) { CStatusMessage::Show(m_pBar, strText, 10000); });
    connect(m_pWorker, &CCatalogueWorker::Baselines, this, &CCatalogueController::OnBaselines);
    connect(m_pWorker, &CCatalogueWorker::BaselineSet, this, &CCatalogueController::OnBaselineSet);
    m_Timer.setInterval(kSyncMs);
    connect(&m_Timer, &QTimer::timeout, this, &CCatalogueController::OnTimer);
}

CCatalogueController::~CCatalogueController()
{
    // What is under way finishes; what is queued behind it is dropped.
    const bool bStarted = m_Thread.isRunning() || m_Thread.isFinished();
    m_Thread.quit();
    m_Thread.wait();
    // A thread never started never finishes, so nothing else deletes the worker.
    if (!bStarted)
        delete m_pWorker;
}

void CCatalogueController::Start()
{
    if (!m_Thread.isRunning())
        m_Thread.start(QThread::LowPriority);
    m_strStorage = m_Storage();
    CCatalogueWorker* pWorker = m_pWorker;
    QMetaObject::invokeMethod(pWorker, [pWorker, strStorage = m_strStorage] { pWorker->Open(strStorage); },
                              Qt::QueuedConnection);
    m_Timer.start();
}

void CCatalogueController::IndexFiles(const QStringList& paths)
{
    if (paths.isEmpty() || !m_Thread.isRunning())
        return;
    CCatalogueWorker* pWorker = m_pWorker;
    QMetaObject::invokeMethod(pWorker, [pWorker, paths] { pWorker->IndexFiles(paths); }, Qt::QueuedConnection);
}

void CCatalogueController::SyncSoon()
{
    if (!m_Thread.isRunning())
        return;
    CCatalogueWorker* pWorker = m_pWorker;
    QMetaObject::invokeMethod(pWorker, [pWorker] { pWorker->Sync(); }, Qt::QueuedConnection);
}

void CCatalogueController::OnTimer()
{
    // Another storage folder has its own catalogue.
    if (m_Storage() != m_strStorage) {
        Start();
        return;
    }
    SyncSoon();
}

void CCatalogueController::OnFailed(int nFault, const QString& strText)
{
    if (m_nToldFaults & nFault)
        return;
    m_nToldFaults |= nFault;
    const QString strMessage =
        nFault == CCatalogueWorker::OpenFault
            ? tr("The catalogue cannot be opened (%1). Recording and downloads go on; it will be tried again.")
            : tr("The catalogue cannot be written (%1). Recording and downloads go on; it will be tried again.");
    CStatusMessage::Show(m_pBar, strMessage.arg(strText));
}

void CCatalogueController::OnChanged()
{
    m_nToldFaults = 0;
    Q_EMIT CatalogueChanged();
}

void CCatalogueController::SetBaseline(const QString& strPath)
{
    if (!m_Thread.isRunning()) {
        OnBaselineSet(strPath, false, tr("The catalogue is not running."));
        return;
    }
    CCatalogueWorker* pWorker = m_pWorker;
    QMetaObject::invokeMethod(pWorker, [pWorker, strPath] { pWorker->SetBaseline(strPath); }, Qt::QueuedConnection);
}

void CCatalogueController::OnBaselineSet(const QString& strPath, bool bOk, const QString& strText)
{
    const QString strName = QFileInfo(strPath).fileName();
    CStatusMessage::Show(m_pBar, bOk ? tr("%1 is now its room's baseline.").arg(strName)
                                     : tr("%1 cannot be set as baseline: %2").arg(strName, strText),
                         bOk ? 10000 : 0);
    Q_EMIT BaselineSet(strPath, bOk);
}

void CCatalogueController::OnBaselines(const QVariantList& baselines)
{
    m_BaselineRows = baselines;
    m_Baselines.clear();
    for (const QVariant& vRow : baselines) {
        const QVariantMap row = vRow.toMap();
        const QString strRoom = row.value(QStringLiteral("room")).toString();
        const QString strSite = row.value(QStringLiteral("site")).toString();
        m_Baselines.insert(row.value(QStringLiteral("path")).toString(),
                           strSite.isEmpty() ? strRoom : tr("%1 — %2").arg(strRoom, strSite));
    }
    Q_EMIT BaselinesChanged();
}

QString CCatalogueController::BaselineOf(const QString& strSite, const QString& strClient,
                                         const QString& strRoom) const
{
    const auto same = [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; };
    for (const QVariant& vRow : m_BaselineRows) {
        const QVariantMap row = vRow.toMap();
        const QString strRowSite = row.value(QStringLiteral("site")).toString();
        if (same(row.value(QStringLiteral("room")).toString(), strRoom)
            && (same(strRowSite, strSite) || same(strRowSite, strClient)))
            return row.value(QStringLiteral("path")).toString();
    }
    return QString();
}
