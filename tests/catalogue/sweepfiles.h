#pragma once

#include "devicefiles.h"
#include "devicerawrecord.h"
#include "sidecar.h"

#include <QDir>
#include <QFile>
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

} // namespace SweepFiles
