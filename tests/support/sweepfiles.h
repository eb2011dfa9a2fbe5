#pragma once

#include "devicefiles.h"
#include "devicerawrecord.h"
#include "sidecar.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QString>

// Data files as the program writes them, built record by record, with or
// without their sidecar.
namespace SweepFiles {

inline DeviceRawRecord Record(int nMonth, int nDay, int nHour, int nMinute, int nSecond, double dLevel,
                              double dThreshold = 0.0, int nSignal = 0, bool bFlagged = false)
{
    DeviceRawRecord rec;
    rec.Clear();
    rec.Month = uint8_t(nMonth);
    rec.Day = uint8_t(nDay);
    rec.SetTime(nDay * 345600 + (nHour * 3600 + nMinute * 60 + nSecond) * 4);
    rec.BandMask = 0x01;
    rec.Levels[0] = uint8_t(dLevel * 2);
    rec.Levels[9] = uint8_t(dThreshold * 2);
    rec.Levels[6] = uint8_t(nSignal);
    rec.BandBytes[0] = bFlagged ? 0x01 : 0x00;
    return rec;
}

inline bool WriteData(const QString& strPath, const QList<DeviceRawRecord>& records, bool bLog)
{
    QDir().mkpath(QFileInfo(strPath).absolutePath());
    QFile file(strPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.write(CDeviceFiles::FileHeader(bLog ? CDeviceFiles::kLogVersion : CDeviceFiles::kRealtimeVersion));
    for (const DeviceRawRecord& rec : records)
        file.write(reinterpret_cast<const char*>(&rec), sizeof(rec));
    return file.flush();
}

inline bool WriteSweep(const QString& strPath, const QList<DeviceRawRecord>& records, bool bLog,
                       const QString& strClient, const QString& strRoom, int nYear, int nOffsetSecs)
{
    CSidecar sidecar;
    sidecar.m_Context.m_strClient = strClient;
    sidecar.m_Context.m_strRoom = strRoom;
    sidecar.m_Context.m_strOperator = QStringLiteral("Jo");
    sidecar.m_Capture.m_nYear = nYear;
    sidecar.m_Capture.m_nUtcOffsetSecs = nOffsetSecs;
    sidecar.m_strPort = QStringLiteral("/dev/ttyACM0");
    return WriteData(strPath, records, bLog) && sidecar.Write(strPath);
}

// One day at the office: two rooms recorded on 15 March 2026 in UTC+1, the
// detector's log of the next day, and a recording from before sidecars.
// Boardroom alarms: the recording's onsets at records 1 (56 dB) and 4
// (62 dB), the log's flagged events 0 (65 dB) and 2 (45 dB); Room 2: one
// onset of 61 dB; the log's unflagged event 1 is GSM at 70 dB.
inline bool WriteOfficeDay(const QDir& storage)
{
    constexpr int kCet = 3600;
    return WriteSweep(storage.filePath(QStringLiteral("rt_0315_1000.rdf")),
                      {Record(3, 15, 10, 0, 0, 50, 55), Record(3, 15, 10, 0, 1, 56, 55), Record(3, 15, 10, 0, 2, 57, 55),
                       Record(3, 15, 10, 0, 3, 40, 55), Record(3, 15, 10, 1, 4, 62, 55), Record(3, 15, 10, 1, 5, 63, 55),
                       Record(3, 15, 10, 1, 6, 30, 55)},
                      false, QStringLiteral("Office"), QStringLiteral("Boardroom"), 2026, kCet)
        && WriteSweep(storage.filePath(QStringLiteral("rt_0315_1100.rdf")),
                      {Record(3, 15, 11, 0, 0, 40, 55), Record(3, 15, 11, 0, 1, 61, 55)}, false,
                      QStringLiteral("Office"), QStringLiteral("Room 2"), 2026, kCet)
        && WriteSweep(storage.filePath(QStringLiteral("log_0316_0900.ldf")),
                      {Record(3, 16, 9, 0, 0, 65, 0, 1, true), Record(3, 16, 9, 5, 0, 70, 0, 2, false),
                       Record(3, 16, 9, 9, 0, 45, 0, 1, true)},
                      true, QStringLiteral("Office"), QStringLiteral("Boardroom"), 2026, kCet)
        && WriteData(storage.filePath(QStringLiteral("old/rt_0402_0800.rdf")), {Record(4, 2, 8, 0, 0, 70, 60)}, false);
}

} // namespace SweepFiles
