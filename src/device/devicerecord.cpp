#include "devicerecord.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
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

// Each local-time conversion asks the C library, which reads the zone file
// again on every call when TZ is not set (the usual Linux desktop): opening a
// file of 300000 records took seconds. So each local day is converted once, at
// its first and last second: a day of exactly 86400 seconds has no clock change
// and its times are its start plus the time of day. The rare day of a change
// converts once per local minute (offsets change on whole minutes only), and
// records come in time order. What is known is forgotten every second, so a
// change of the PC's time zone is followed. Per thread: the worker converts
// live records while the GUI loads files.
struct LocalDay
{
    int64_t nStart = 0;
    bool bRegular = false;
};
thread_local int64_t t_nLearntAt = -1;

int64_t LocalSecsSinceEpoch(const QDate& date, int nHour, int nMinute, int nSecond)
{
    using Day = LocalDay;
    thread_local QHash<qint64, Day> days;
    thread_local int64_t nMinuteKey = -1;
    thread_local int64_t nMinuteStart = 0;
    int64_t& nLearntAt = t_nLearntAt;

    const int64_t nNow = QDateTime::currentSecsSinceEpoch();
    if (nNow != nLearntAt) {
        days.clear();
        nMinuteKey = -1;
        nLearntAt = nNow;
    }
    const qint64 nJulian = date.toJulianDay();
    auto it = days.constFind(nJulian);
    if (it == days.cend()) {
        if (days.size() >= 1024) // a log spans days by the hundred at most
            days.clear();
        Day day;
        day.nStart = QDateTime(date, QTime(0, 0)).toSecsSinceEpoch();
        day.bRegular = QDateTime(date, QTime(23, 59, 59)).toSecsSinceEpoch() - day.nStart == 86399;
        it = days.insert(nJulian, day);
    }
    if (it->bRegular)
        return it->nStart + nHour * 3600 + nMinute * 60 + nSecond;
    const int64_t nKey = (nJulian * 24 + nHour) * 60 + nMinute;
    if (nKey != nMinuteKey) {
        nMinuteStart = QDateTime(date, QTime(nHour, nMinute)).toSecsSinceEpoch();
        nMinuteKey = nKey;
    }
    return nMinuteStart + nSecond;
}

int CurrentYear()
{
    thread_local int64_t nCheckedAt = -1;
    thread_local int nYear = 0;
    const int64_t nNow = QDateTime::currentSecsSinceEpoch();
    if (nNow != nCheckedAt) {
        nYear = QDate::currentDate().year();
        nCheckedAt = nNow;
    }
    return nYear;
}
} // namespace

void CDeviceRecord::ForgetLocalTimes()
{
    t_nLearntAt = -1;
}

QString SignalKindName(int nKind)
{
    if (nKind < 0 || nKind >= kSignalKindCount)
        return QString();
    return QString::fromLatin1(kSignalNames[nKind]);
}

int64_t CDeviceRecord::TimeOf(const DeviceRawRecord& raw, int nYear)
{
    if (nYear == 0)
        nYear = CurrentYear();
    const int64_t t = raw.GetTime();
    const int nMonth = qBound(1, int(raw.Month), 12);
    const int nDay = qBound(1, int(raw.Day), QDate(nYear, nMonth, 1).daysInMonth());
    return LocalSecsSinceEpoch(QDate(nYear, nMonth, nDay), PositiveMod(t / 14400, 24), PositiveMod(t / 240, 60),
                               PositiveMod(t / 4, 60));
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
