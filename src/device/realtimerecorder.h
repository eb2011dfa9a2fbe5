#pragma once

#include "devicerawrecord.h"
#include "iclock.h"
#include "irecordsink.h"
#include "sweepcontext.h"

#include <QFile>
#include <QString>

#include <cstdint>
#include <functional>
#include <future>
#include <memory>

// Keeps every record the device stores in a realtime file as it arrives, one
// file per connection, so neither a crash nor the history ring wrapping nor a
// forgotten Save Data loses what was measured. Written through CDeviceFiles
// like every realtime file. Each step's records go to the system at once (a
// killed program loses at most the step under way); they are synced to the
// disk, against a power cut, at least every kFlushMs.
//
// A write that fails (disk full, folder not writable) stops the recording and
// leaves the reason in Error(); the caller reports it and the program goes on.
class IDevice;

class CRealtimeRecorder : public IRecordSink
{
public:
    static constexpr qint64 kFlushMs = 5000;

    CRealtimeRecorder();
    ~CRealtimeRecorder() override;
    // Where the time between flushes is read (the PC's clock by default).
    void SetClock(std::shared_ptr<IClock> pClock);

    // The folder new files go to; created when the first file is.
    void SetFolder(const QString& strFolder) { m_strFolder = strFolder; }
    QString Folder() const { return m_strFolder; }

    // The sweep the recording belongs to, kept in each file's sidecar. A
    // different context (another room) ends the file: the next record starts
    // a new one, so a file never mixes rooms.
    void SetSweepContext(const CSweepContext& context);
    CSweepContext SweepContext() const { return m_Context; }
    // The detector as known, for the sidecars.
    void SetDetector(const QString& strPort, const QString& strUsbSerial);
    // The device whose settings and clock each new file's sidecar keeps, as
    // they are when the file begins; none: they stay unknown.
    void SetDetectorSource(std::function<IDevice*()> source) { m_DetectorSource = std::move(source); }
    // Called with the path of each file once it is complete (closed), not
    // for the file the destructor closes.
    void SetFileClosedHandler(std::function<void(const QString&)> handler) { m_FileClosed = std::move(handler); }

    // Off: nothing is written and records stored meanwhile are skipped. On
    // again (also after a failure): recording resumes with the next record, in
    // a new file.
    void SetEnabled(bool bEnabled);
    bool IsEnabled() const { return m_bEnabled; }
    bool HasFailed() const { return m_bFailed; }
    QString Error() const { return m_strError; }

    // The records of the feed go to the file while recording is on.
    void OnRecords(int64_t nFirst, const DeviceRawRecord* pRecords, int nCount) override;
    void OnHistoryRestarted() override;
    // One step of the poll, after the feed's: ends the file when the link is
    // down, flushes when due. False only on the step where the recording failed.
    bool Tick(bool bConnected);
    // Writes out what is buffered and ends the file; the next record opens a new one.
    void Close();

    bool IsWriting() const { return m_File.isOpen(); }
    // The file being written, empty between files.
    QString FilePath() const { return m_File.isOpen() ? m_File.fileName() : QString(); }
    // Records written to the current file.
    int64_t RecordsInFile() const { return m_nInFile; }

private:
    bool Append(const DeviceRawRecord* pRecords, int nCount);
    bool OpenFor(const DeviceRawRecord& first);
    bool FlushToDisk();
    // Waits for the disk beside the poll: a slow medium must not stall the
    // window every few seconds.
    void SyncInBackground();
    void Fail(const QString& strError);

    QString m_strFolder;
    QFile m_File;
    CSweepContext m_Context;
    QString m_strPort;
    QString m_strUsbSerial;
    std::function<void(const QString&)> m_FileClosed;
    std::function<IDevice*()> m_DetectorSource;
    std::shared_ptr<IClock> m_pClock;
    int64_t m_nFlushedAtMs = -1; // on m_pClock; -1 before the file is opened
    int64_t m_nInFile = 0;
    bool m_bEnabled = true;
    bool m_bFailed = false;
    bool m_bDirty = false;
    // Off until the first step after switching on: what the feed hands on
    // before it was stored while off.
    bool m_bArmed = true;
    bool m_bJustFailed = false;
    QString m_strError;
    std::future<void> m_Sync;
};
