#include "realtimerecorder.h"

#include "devicefiles.h"
#include "kv520protocol.h"
#include "sidecar.h"
#include "systemclock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

CRealtimeRecorder::CRealtimeRecorder()
    : m_pClock(std::make_shared<CSystemClock>())
{
}

void CRealtimeRecorder::SetClock(std::shared_ptr<IClock> pClock)
{
    if (pClock)
        m_pClock = std::move(pClock);
}

CRealtimeRecorder::~CRealtimeRecorder()
{
    // Whoever listens may be gone already; a file closed here is taken in
    // by the catalogue's next look at the folder.
    m_FileClosed = nullptr;
    Close();
    // The last sync finishes before the program goes.
    if (m_Sync.valid())
        m_Sync.wait();
}

void CRealtimeRecorder::SetSweepContext(const CSweepContext& context)
{
    if (context == m_Context)
        return;
    Close();
    m_Context = context;
}

void CRealtimeRecorder::SetDetector(const QString& strPort, const QString& strUsbSerial)
{
    m_strPort = strPort;
    m_strUsbSerial = strUsbSerial;
}

void CRealtimeRecorder::SetEnabled(bool bEnabled)
{
    if (bEnabled == m_bEnabled && !m_bFailed)
        return;
    Close();
    m_bEnabled = bEnabled;
    m_bFailed = false;
    m_strError.clear();
    // Whatever was stored while off stays out: the file starts now.
    m_bArmed = false;
    m_bJustFailed = false;
}

void CRealtimeRecorder::Fail(const QString& strError)
{
    m_bFailed = true;
    m_strError = strError;
    m_bDirty = false;
    if (m_File.isOpen())
        m_File.close();
}

void CRealtimeRecorder::OnRecords(int64_t, const DeviceRawRecord* pRecords, int nCount)
{
    if (!m_bEnabled || m_bFailed || !m_bArmed)
        return;
    if (!Append(pRecords, nCount))
        m_bJustFailed = true;
}

void CRealtimeRecorder::OnHistoryRestarted()
{
    // A restarted device begins a new history, and with it a new file.
    Close();
}

bool CRealtimeRecorder::Tick(bool bConnected)
{
    // Records handed on before this first step after switching on were
    // stored while off: the file starts with the next ones.
    m_bArmed = true;
    if (m_bJustFailed) {
        m_bJustFailed = false;
        return false;
    }
    if (!m_bEnabled || m_bFailed)
        return true;
    if (!bConnected) {
        Close();
        return !m_bFailed;
    }
    if (m_bDirty && m_nFlushedAtMs >= 0 && m_pClock->MonotonicMs() - m_nFlushedAtMs >= kFlushMs && !FlushToDisk())
        return false;
    return true;
}

bool CRealtimeRecorder::OpenFor(const DeviceRawRecord& first)
{
    QDir folder(m_strFolder);
    if (m_strFolder.isEmpty() || !folder.mkpath(QStringLiteral("."))) {
        Fail(QCoreApplication::translate("CRealtimeRecorder", "The folder %1 cannot be created.")
                 .arg(QDir::toNativeSeparators(m_strFolder)));
        return false;
    }
    // Named as Save Data names its file; a second connection within the same
    // minute gets a number rather than replacing the first recording.
    const QString strStem = CDeviceFiles::RealtimeFileStem(first);
    QString strPath = folder.filePath(strStem + QStringLiteral(".rdf"));
    for (int n = 2; QFileInfo::exists(strPath) || QFileInfo(strPath).isSymLink(); ++n)
        strPath = folder.filePath(strStem + QStringLiteral("_%1.rdf").arg(n));
    m_File.setFileName(strPath);
    QString strError;
    if (!CDeviceFiles::BeginRealtimeFile(m_File, &strError)) {
        Fail(strError);
        return false;
    }
    m_nInFile = 0;
    m_bDirty = true;
    m_nFlushedAtMs = m_pClock->MonotonicMs();
    QString strSidecarError;
    const QDateTime now = m_pClock->LocalTime();
    CSidecar sidecar = CSidecar::At(m_Context, first, now, m_strPort, m_strUsbSerial);
    if (IDevice* pDevice = m_DetectorSource ? m_DetectorSource() : nullptr)
        sidecar.TakeDetectorState(*pDevice, now);
    if (!sidecar.Write(strPath, &strSidecarError))
        CSidecar::WarnOnce(strSidecarError);
    return true;
}

bool CRealtimeRecorder::Append(const DeviceRawRecord* pRecords, int nCount)
{
    if (nCount <= 0)
        return true;
    if (!m_File.isOpen() && !OpenFor(pRecords[0]))
        return false;
    QString strError;
    if (!CDeviceFiles::AppendRealtimeRecords(m_File, pRecords, nCount, &strError)) {
        Fail(strError);
        return false;
    }
    m_nInFile += nCount;
    m_bDirty = true;
    return true;
}

bool CRealtimeRecorder::FlushToDisk()
{
    m_bDirty = false;
    m_nFlushedAtMs = m_pClock->MonotonicMs();
    if (!m_File.isOpen())
        return true;
    // The records are with the system already (the file is unbuffered); on
    // the disk they also survive a power cut.
    const bool bOk = m_File.flush();
    if (bOk)
        SyncInBackground();
    if (!bOk) {
        Fail(QCoreApplication::translate("CRealtimeRecorder", "Could not write %1: %2")
                 .arg(QDir::toNativeSeparators(m_File.fileName()), m_File.errorString()));
        return false;
    }
    return true;
}

void CRealtimeRecorder::SyncInBackground()
{
    // One at a time: when the disk is slower than the flushes, the next
    // flush's sync covers what this one skipped.
    if (m_Sync.valid() && m_Sync.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        return;
    // A handle of its own, so the file may be closed while the sync runs.
#ifdef Q_OS_WIN
    const int nHandle = _dup(m_File.handle());
#else
    const int nHandle = ::dup(m_File.handle());
#endif
    if (nHandle < 0)
        return;
    m_Sync = std::async(std::launch::async, [nHandle] {
#ifdef Q_OS_WIN
        _commit(nHandle);
        _close(nHandle);
#else
        ::fsync(nHandle);
        ::close(nHandle);
#endif
    });
}

void CRealtimeRecorder::Close()
{
    if (!m_File.isOpen())
        return;
    FlushToDisk();
    const QString strPath = m_File.fileName();
    const bool bWasOpen = m_File.isOpen();
    if (bWasOpen)
        m_File.close();
    if (bWasOpen && m_FileClosed)
        m_FileClosed(strPath);
}
