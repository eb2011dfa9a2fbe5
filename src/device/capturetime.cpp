#include "capturetime.h"

#include <QDate>

namespace {

constexpr int64_t kUnixEpochJulianDay = 2440588;

int64_t PositiveMod(int64_t n, int64_t m)
{
    const int64_t r = n % m;
    return r < 0 ? r + m : r;
}

} // namespace

int CCaptureTime::YearOf(int nMonth, const QDate& today)
{
    return nMonth > today.month() + 6 ? today.year() - 1 : today.year();
}

CCaptureTime CCaptureTime::At(const DeviceRawRecord& first, const QDateTime& now)
{
    CCaptureTime capture;
    capture.m_nYear = YearOf(qBound(1, int(first.Month), 12), now.date());
    capture.m_nUtcOffsetSecs = now.offsetFromUtc();
    capture.m_bKnown = true;
    return capture;
}

int64_t CCaptureTime::InstantMs(const DeviceRawRecord& record, const DeviceRawRecord& first) const
{
    const int nMonth = qBound(1, int(record.Month), 12);
    const int nYear = nMonth < qBound(1, int(first.Month), 12) ? m_nYear + 1 : m_nYear;
    const int nDay = qBound(1, int(record.Day), QDate(nYear, nMonth, 1).daysInMonth());
    const int64_t t = record.GetTime();
    const int64_t nSecondOfDay =
        PositiveMod(t / 14400, 24) * 3600 + PositiveMod(t / 240, 60) * 60 + PositiveMod(t / 4, 60);
    const int64_t nDays = QDate(nYear, nMonth, nDay).toJulianDay() - kUnixEpochJulianDay;
    return ((nDays * 86400 + nSecondOfDay - m_nUtcOffsetSecs) * 1000) + PositiveMod(t, 4) * 250;
}

QString CCaptureTime::IsoText(int64_t nInstantMs) const
{
    return QDateTime::fromMSecsSinceEpoch(nInstantMs, Qt::OffsetFromUTC, m_nUtcOffsetSecs).toString(Qt::ISODate);
}
