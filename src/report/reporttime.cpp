#include "reporttime.h"

#include <cmath>

namespace {

const QString kDateFormat = QStringLiteral("yyyy-MM-dd");
const QString kFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");

// A step of whole seconds, minutes, hours or days that gives at most nMax steps.
double TimeStep(double dSpan, int nMax)
{
    static const double kSteps[] = {1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600, 7200, 10800, 21600, 43200, 86400};
    for (double dStep : kSteps)
        if (dSpan / dStep <= nMax)
            return dStep;
    return std::ceil(dSpan / nMax / 86400.0) * 86400.0;
}

} // namespace

QString CReportTime::Text(int64_t nSeconds)
{
    return Text(QDateTime::fromSecsSinceEpoch(nSeconds));
}

QString CReportTime::Text(const QDateTime& time)
{
    return time.toString(kFormat);
}

QString CReportTime::DateText(const QDate& date)
{
    return date.toString(kDateFormat);
}

QString CReportTime::ZoneText(bool bKnown, int nUtcOffsetSecs)
{
    if (!bKnown)
        return tr("time zone not recorded");
    const int nMinutes = std::abs(nUtcOffsetSecs) / 60;
    return QStringLiteral("UTC%1%2:%3")
        .arg(nUtcOffsetSecs < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        .arg(nMinutes / 60, 2, 10, QLatin1Char('0'))
        .arg(nMinutes % 60, 2, 10, QLatin1Char('0'));
}

QList<CReportTime::Tick> CReportTime::AxisTicks(double dStart, double dEnd, int nMax)
{
    QList<Tick> ticks;
    if (!(dEnd > dStart))
        return ticks;
    const double dStep = TimeStep(dEnd - dStart, nMax);
    // Steps count in local time, so that hour and day ticks fall on the
    // clock's full hours and midnights.
    const double dOffset = QDateTime::fromSecsSinceEpoch(qint64(dStart)).offsetFromUtc();
    const bool bDays = dStep >= 86400.0;
    // Seconds only when the ticks fall between full minutes.
    const QString strFormat = dStep < 60.0 ? QStringLiteral("hh:mm:ss") : QStringLiteral("hh:mm");
    QDate lastDate;
    for (double dLocal = std::ceil((dStart + dOffset) / dStep) * dStep; dLocal - dOffset <= dEnd; dLocal += dStep) {
        Tick tick;
        tick.dTime = dLocal - dOffset;
        const QDateTime time = QDateTime::fromSecsSinceEpoch(qint64(tick.dTime));
        if (bDays) {
            tick.strLabel = DateText(time.date());
        } else {
            tick.strLabel = time.toString(strFormat);
            if (time.date() != lastDate)
                tick.strDate = DateText(time.date());
        }
        lastDate = time.date();
        ticks << tick;
    }
    return ticks;
}
