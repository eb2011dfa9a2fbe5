#pragma once

#include "sweepcontext.h"
#include "devicelivestate.h"
#include "devicerecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <cstdint>

// The detector as the rest of the program sees it. Every operation returns at
// once; none waits for the detector.
class IDevice
{
public:
    virtual ~IDevice() = default;

    virtual void Start() = 0;
    virtual void Stop() = 0;
    virtual bool IsConnected() = 0;
    virtual bool HasFailed() = 0;
    virtual void PressKey(int nKey) = 0;
    virtual void SetCommand(int nCommand) = 0;
    virtual bool SaveLogFile(const QString& strFolder) = 0;
    virtual bool SaveRealtimeFile(const QString& strFolder, int nVersion, QString& strName) = 0;
    virtual bool LoadDataFile(const QString& strPath, QList<CDeviceRecord>& records, int& nVersion) = 0;
    virtual int GetModeFlags() = 0;
    virtual int GetRecordCount() = 0;
    virtual int QueryFixedOne() = 0;
    virtual CDeviceRecord GetRecord(int nIndex) = 0;
    virtual CDeviceRecord GetLastRecord() = 0;
    virtual int QueryFixedMinusOne() = 0;
    virtual QString QueryEmptyText() = 0;
    virtual uint8_t GetMenuByte(int nPos) = 0;
    virtual void SetMenuByte(int nPos, int nValue) = 0;
    virtual bool LoadMenuFile(const QString& strPath) = 0;
    virtual bool SaveMenuFile(const QString& strPath) = 0;
    virtual int QueryFixedZero() = 0;
    virtual QDateTime GetDeviceTime() = 0;
    virtual void SetDeviceTime(const QDateTime& dateTime) = 0;
    virtual const std::atomic<int>* GetProgress() = 0;

    // Additions.

    // A copy of what the detector's display shows now.
    virtual CDeviceLiveState GetLiveState() = 0;
    // The 5120 oscilloscope samples of the last stored frame and their parameter byte.
    virtual QByteArray GetOscilloscopeSamples(int* pParam) = 0;
    // Why the link is down, for the status bar: empty while nothing is wrong or
    // simply no detector is plugged in; set when a port exists but cannot be
    // opened. bPermission tells a permission problem (Linux: dialout group).
    virtual QString GetLinkError(bool* pPermission = nullptr) = 0;
    // Forget the menu bytes and the time set by an editor that was cancelled,
    // so the detector's values show again.
    virtual void DiscardMenuEdits() = 0;
    // The last file operation's reason for failing, for a precise message;
    // after a success, a notice the user should see (a log without events,
    // a file whose cut-off tail was ignored), or empty.
    virtual QString GetLastFileError() = 0;
    // The port the link uses or tries now, for the status bar; empty while none is known.
    virtual QString GetPortName() { return QString(); }
    // True while automatic discovery finds no detector's port, or several it
    // will not choose between: only the user can pick the port then.
    virtual bool NeedsPortChoice() { return false; }

    // Why the port answers and still nothing usable arrives: NoData* bits of
    // what went wrong since the last good frame, 0 while the link is fine or
    // simply absent.
    enum NoDataCause { NoDataBadChecksum = 0x01, NoDataShortFrame = 0x02 };
    virtual int GetNoDataCauses() { return 0; }
    // The last log download: how many blocks arrived, and whether the log went
    // on past the blocks a download can hold.
    virtual int GetLogBlockCount() { return 0; }
    virtual bool IsLogCut() { return false; }
    // The files the last SaveLogFile stored or found stored with the same
    // bytes, names within its folder, in the order of the sessions.
    virtual QStringList GetLastSavedFiles() { return QStringList(); }
    // The sweep the next saved files belong to: written beside each of them.
    virtual void SetSweepContext(const CSweepContext& context) { (void)context; }
    virtual CSweepContext GetSweepContext() { return CSweepContext(); }
    // The USB serial number of the detector's port, empty when unknown.
    virtual QString GetUsbSerial() { return QString(); }
    // The settings (menu positions 0-53) and the clock as the detector last
    // reported them, without edits not yet sent; false while no data frame
    // has brought them. The clock's year is the PC's.
    virtual bool GetDetectorSettings(QByteArray& menu, QDateTime& clock)
    {
        Q_UNUSED(menu);
        Q_UNUSED(clock);
        return false;
    }
    // The tick counter (quarter seconds since midnight) of the newest frame,
    // stored or not; -1 before the first one.
    virtual int32_t GetNewestTick() { return -1; }
    // Records stored since Start. GetRecordCount is the ring's write index and
    // starts again at 0 when the ring wraps; this count does not, so a reader
    // that fell behind knows how many records it has to catch up on. Record k
    // of this count is GetRecord(k % ring size) while it is still in the ring.
    virtual int64_t GetRecordTotal() { return GetRecordCount(); }
    // Copies the raw records k = nFirst ... of the count above, oldest first, at
    // most nMax; returns how many were copied (0 for records that have left the
    // ring or do not exist yet).
    virtual int CopyRawRecords(int64_t nFirst, int nMax, DeviceRawRecord* pOut)
    {
        Q_UNUSED(nFirst);
        Q_UNUSED(nMax);
        Q_UNUSED(pOut);
        return 0;
    }
    // One of those records as the user interface reads it: live records take
    // their thresholds from the threshold block and the PC's year, as GetRecord does.
    virtual CDeviceRecord RecordFromRaw(const DeviceRawRecord& raw)
    {
        return CDeviceRecord::FromRaw(raw, CDeviceRecord::Mode::Live);
    }
};

// The one device object of the program, created by the main window.
extern IDevice* g_pDevice;
