#include "reportdiagram.h"

#include "reporttime.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

const char* const kEntryNames[6] = {"B1 DC", "B1 AC", "B1F DC", "B1F AC", "B2 DC", "B2 AC"};
const QColor kChannelColors[3] = {QColor(0x1f, 0x5f, 0xbf), QColor(0x2e, 0x8b, 0x2e), QColor(0xc0, 0x30, 0x30)};
const QColor kGrid(0xd0, 0xd0, 0xd0);

double LevelOf(const CDeviceRecord& record, int nEntry)
{
    return nEntry < record.m_Levels.size() ? record.m_Levels[nEntry].m_dLevel : 0.0;
}

// A step of 1, 2 or 5 times a power of ten that gives at most nMax steps over dSpan.
double NiceStep(double dSpan, int nMax)
{
    const double dRaw = dSpan / std::max(1, nMax);
    const double dPower = std::pow(10.0, std::floor(std::log10(std::max(dRaw, 1e-9))));
    for (double dFactor : {1.0, 2.0, 5.0, 10.0})
        if (dFactor * dPower >= dRaw)
            return dFactor * dPower;
    return 10.0 * dPower;
}

} // namespace

void CReportDiagram::Paint(QPainter& painter, const QRectF& area, const QList<CDeviceRecord>& records, bool bLog,
                           double dMm)
{
    if (records.isEmpty())
        return;
    const auto Mm = [dMm](double d) { return d * dMm; };
    painter.save();
    QFont small = painter.font();
    small.setPointSizeF(7.5);
    small.setBold(false);
    painter.setFont(small);
    const QFontMetricsF metrics(small, painter.device());
    const double dLabel = metrics.height();
    QRectF frame(area.left() + metrics.horizontalAdvance(tr("%1 dB").arg(QStringLiteral("000"))) + Mm(2),
                 area.top() + Mm(1), 0, 0);
    frame.setRight(area.right() - Mm(1));
    // Time labels, the date line under them, then the legend.
    frame.setBottom(area.bottom() - 3 * dLabel - Mm(3));

    int64_t nFirst = records.first().m_nTime;
    int64_t nLast = nFirst;
    double dMaxLevel = 10.0;
    for (const CDeviceRecord& record : records) {
        nFirst = std::min(nFirst, record.m_nTime);
        nLast = std::max(nLast, record.m_nTime);
        for (int e = 0; e < 6; ++e)
            dMaxLevel = std::max(dMaxLevel, LevelOf(record, e));
    }
    const double dLevelStep = NiceStep(dMaxLevel, 8);
    const double dTop = std::ceil(dMaxLevel / dLevelStep) * dLevelStep;
    // A file of one moment still gets a readable time axis.
    const double dStart = double(nFirst) - (nLast == nFirst ? 30.0 : 0.0);
    const double dEnd = double(nLast) + (nLast == nFirst ? 30.0 : 0.0);
    const auto xOf = [&](double dTime) { return frame.left() + (dTime - dStart) / (dEnd - dStart) * frame.width(); };
    const auto yOf = [&](double dLevel) { return frame.bottom() - std::clamp(dLevel / dTop, 0.0, 1.0) * frame.height(); };

    painter.setPen(QPen(kGrid, Mm(0.15)));
    for (double dLevel = 0.0; dLevel <= dTop + 1e-9; dLevel += dLevelStep) {
        const double dY = yOf(dLevel);
        painter.drawLine(QPointF(frame.left(), dY), QPointF(frame.right(), dY));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(area.left(), dY - dLabel / 2, frame.left() - area.left() - Mm(1), dLabel),
                         Qt::AlignRight | Qt::AlignVCenter, tr("%1 dB").arg(dLevel, 0, 'f', 0));
        painter.setPen(QPen(kGrid, Mm(0.15)));
    }
    for (const CReportTime::Tick& tick : CReportTime::AxisTicks(dStart, dEnd, 6)) {
        const double dX = xOf(tick.dTime);
        painter.setPen(QPen(kGrid, Mm(0.15)));
        painter.drawLine(QPointF(dX, frame.top()), QPointF(dX, frame.bottom()));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(dX - Mm(15), frame.bottom() + Mm(1), Mm(30), dLabel), Qt::AlignCenter, tick.strLabel);
        if (!tick.strDate.isEmpty())
            painter.drawText(QRectF(dX - Mm(15), frame.bottom() + Mm(1) + dLabel, Mm(30), dLabel), Qt::AlignCenter,
                             tick.strDate);
    }
    painter.setPen(QPen(Qt::black, Mm(0.2)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame);

    painter.save();
    painter.setClipRect(frame.adjusted(-Mm(0.5), -Mm(0.5), Mm(0.5), Mm(0.5)));
    // One point per quarter millimetre at most: the highest level in each
    // column, so peaks survive and a day of records stays a small file.
    const int nColumns = std::max(1, int(frame.width() / Mm(0.25)));
    for (int e = 0; e < 6; ++e) {
        const int nChannel = e / 2;
        QPen pen(kChannelColors[nChannel], Mm(e % 2 == 0 ? 0.3 : 0.2));
        if (e % 2 == 1)
            pen.setStyle(Qt::DashLine);
        painter.setPen(pen);
        if (bLog) {
            // Events are moments: a stem up to each level.
            for (const CDeviceRecord& record : records) {
                const double dLevel = LevelOf(record, e);
                if (!(record.m_nBandMask & (1 << nChannel)) || dLevel <= 0.0)
                    continue;
                const double dX = xOf(double(record.m_nTime));
                painter.drawLine(QPointF(dX, yOf(0.0)), QPointF(dX, yOf(dLevel)));
            }
            continue;
        }
        std::vector<double> columns(size_t(nColumns), -1.0);
        for (const CDeviceRecord& record : records) {
            if (!(record.m_nBandMask & (1 << nChannel)))
                continue;
            const int nColumn = std::clamp(int((double(record.m_nTime) - dStart) / (dEnd - dStart) * (nColumns - 1)),
                                           0, nColumns - 1);
            columns[size_t(nColumn)] = std::max(columns[size_t(nColumn)], LevelOf(record, e));
        }
        QPainterPath path;
        bool bOpen = false;
        for (int c = 0; c < nColumns; ++c) {
            if (columns[size_t(c)] < 0.0)
                continue;
            const QPointF point(frame.left() + double(c) / std::max(1, nColumns - 1) * frame.width(),
                                yOf(columns[size_t(c)]));
            if (bOpen)
                path.lineTo(point);
            else
                path.moveTo(point);
            bOpen = true;
        }
        painter.drawPath(path);
    }
    painter.restore();

    double dX = frame.left();
    const double dY = frame.bottom() + 2 * dLabel + Mm(3);
    for (int e = 0; e < 6; ++e) {
        QPen pen(kChannelColors[e / 2], Mm(e % 2 == 0 ? 0.3 : 0.2));
        if (e % 2 == 1)
            pen.setStyle(Qt::DashLine);
        painter.setPen(pen);
        painter.drawLine(QPointF(dX, dY + dLabel / 2), QPointF(dX + Mm(8), dY + dLabel / 2));
        painter.setPen(Qt::black);
        const QString strName = QLatin1String(kEntryNames[e]);
        painter.drawText(QRectF(dX + Mm(9), dY, Mm(20), dLabel), Qt::AlignLeft | Qt::AlignVCenter, strName);
        dX += Mm(9) + metrics.horizontalAdvance(strName) + Mm(5);
    }
    painter.restore();
}
