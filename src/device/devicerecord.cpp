#include "devicerecord.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace {
const char* const kSignalNames[kSignalKindCount] = {
    "         ", "DECT     ", "GSM      ", "BLUETOOTH", "WLAN     ", "DECT BASE", "WLAN BASE",
};

int PositiveMod(int64_t n, int m)
{
    const int64_t r = n % m;
    return int(r < 0 ? r + m : r);
}
} // namespace

QString SignalKindName(int nKind)
{
    if (nKind < 0 || nKind >= kSignalKindCount)
        return QString();
    return QString::fromLatin1(kSignalNames[nKind]);
}

int64_t CDeviceRecord::TimeOf(const DeviceRawRecord& raw, int nYear)
{
    if (nYear == 0)
        nYear = QDate::currentDate().year();
    const int64_t t = raw.GetTime();
    const QTime time(PositiveMod(t / 14400, 24), PositiveMod(t / 240, 60), PositiveMod(t / 4, 60));
    const int nMonth = qBound(1, int(raw.Month), 12);
    const int nDay = qBound(1, int(raw.Day), QDate(nYear, nMonth, 1).daysInMonth());
    return QDateTime(QDate(nYear, nMonth, nDay), time).toSecsSinceEpoch();
}

CDeviceRecord CDeviceRecord::FromRaw(const DeviceRawRecord& raw, Mode eMode, int nYear)
{
    CDeviceRecord rec;
    rec.m_nTime = TimeOf(raw, nYear);
    rec.m_Levels.reserve(6);
    const uint8_t* L = raw.Levels;
    const bool bLive = eMode == Mode::Live;
    for (int b = 0; b < 3; ++b) {
        if (raw.BandMask & (1u << b)) {
            CDeviceLevel dc;
            dc.m_dLevel = L[b] / 2.0;
            dc.m_dThreshold = (bLive ? raw.Thresholds[b] : L[9 + b]) / 2.0;
            dc.m_nBandByte = raw.BandBytes[b];
            dc.m_nSignal = L[6 + b];
            CDeviceLevel ac = dc;
            ac.m_dLevel = L[3 + b] / 2.0;
            ac.m_dThreshold = (bLive ? raw.Thresholds[3 + b] : L[12 + b]) / 2.0;
            rec.m_Levels << dc << ac;
        } else {
            rec.m_Levels << CDeviceLevel() << CDeviceLevel();
        }
    }
    rec.m_nStatusWord = raw.GetStatusWord();
    rec.m_nBandMask = raw.BandMask;
    rec.m_strText = QStringLiteral("N/A");
    rec.m_dFrequency = raw.IsFrequencyValid() ? double(raw.GetFrequency()) : 0.0;
    return rec;
}
