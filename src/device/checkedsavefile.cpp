#include "checkedsavefile.h"

#include <QDir>

#include <QFile>
#include <QMutex>
#include <QSaveFile>

namespace {

QMutex g_RedirectLock;
QString g_strRedirect;

QString Redirect()
{
    QMutexLocker locker(&g_RedirectLock);
    return g_strRedirect;
}

} // namespace

CCheckedSaveFile::CCheckedSaveFile(const QString& strPath)
    : m_strPath(strPath)
{
}

CCheckedSaveFile::~CCheckedSaveFile()
{
    Cancel();
}

void CCheckedSaveFile::RedirectWritesForTest(const QString& strDevice)
{
    QMutexLocker locker(&g_RedirectLock);
    g_strRedirect = strDevice;
}

bool CCheckedSaveFile::Open()
{
    const QString strRedirect = Redirect();
    if (strRedirect.isEmpty())
        m_pFile = std::make_unique<QSaveFile>(m_strPath);
    else
        m_pFile = std::make_unique<QFile>(strRedirect);
    m_strError.clear();
    m_bOpen = m_pFile->open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    if (!m_bOpen)
        m_strError = m_pFile->errorString();
    return m_bOpen;
}

QIODevice* CCheckedSaveFile::Device() const
{
    return m_pFile.get();
}

bool CCheckedSaveFile::Failed()
{
    if (m_strError.isEmpty())
        m_strError = m_pFile->errorString();
    Cancel();
    return false;
}

bool CCheckedSaveFile::Write(const char* pData, qint64 nSize)
{
    if (!m_bOpen)
        return false;
    // Large data goes out in slices, so a full disk stops the save at the
    // first slice that does not fit. A short write is retried with the rest:
    // the system gives its reason (no space) only on the write that takes
    // nothing at all.
    constexpr qint64 kSlice = 1 << 20;
    for (qint64 nDone = 0; nDone < nSize;) {
        const qint64 n = m_pFile->write(pData + nDone, qMin(kSlice, nSize - nDone));
        if (n <= 0)
            return Failed();
        nDone += n;
    }
    return true;
}

bool CCheckedSaveFile::Commit()
{
    if (!m_bOpen)
        return false;
    // A device writer may have met an error it did not pass on.
    if (m_pFile->error() != QFileDevice::NoError || !m_pFile->flush())
        return Failed();
    m_bOpen = false;
    if (auto* pSave = qobject_cast<QSaveFile*>(m_pFile.get())) {
        if (!pSave->commit()) {
            m_strError = pSave->errorString();
            return false;
        }
        return true;
    }
    m_pFile->close();
    if (m_pFile->error() != QFileDevice::NoError) {
        m_strError = m_pFile->errorString();
        return false;
    }
    return true;
}

void CCheckedSaveFile::Cancel()
{
    if (!m_bOpen)
        return;
    m_bOpen = false;
    // QSaveFile may not be closed; destroyed unfinished (with this object),
    // it removes its temporary file and leaves the real name as it was.
    if (auto* pSave = qobject_cast<QSaveFile*>(m_pFile.get()))
        pSave->cancelWriting();
    else
        m_pFile->close();
}

bool CCheckedSaveFile::WriteWhole(const QString& strPath, const QByteArray& data, QString* pError)
{
    CCheckedSaveFile file(strPath);
    if (file.Open() && file.Write(data) && file.Commit())
        return true;
    if (pError)
        *pError = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(strPath), file.ErrorString());
    return false;
}

bool CCheckedSaveFile::WriteThrough(const QString& strPath, const std::function<bool(QIODevice&, QString*)>& write,
                                    QString* pError)
{
    CCheckedSaveFile file(strPath);
    if (file.Open()) {
        if (!write(*file.Device(), pError)) {
            file.Cancel();
            return false;
        }
        if (file.Commit())
            return true;
    }
    if (pError)
        *pError = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(strPath), file.ErrorString());
    return false;
}
