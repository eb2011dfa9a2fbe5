#include "qtimerectsdiagram.h"

#include "diagramaxis.h"
#include "diagrampalette.h"
#include "diagramsignal.h"

#include <QDateTime>
#include <QMutexLocker>
#include <QPainter>

namespace {

// Time to pixel column for times that mostly fall into the column of the
// previous call: the division is only paid when the column changes.
class CColumnMapper
{
public:
    CColumnMapper(quint64 visMin, quint64 visMax, int nLeft, int nWidth)
        : m_visMin(visMin), m_span(visMax - visMin), m_nLeft(nLeft), m_nWidth(quint64(nWidth)) {}
    int X(quint64 t)
    {
        if (t >= m_lo && t < m_hi)
            return m_x;
        if (t < m_visMin || t - m_visMin >= (quint64(1) << 40)) {
            m_lo = m_hi = 0;
            return t < m_visMin ? m_nLeft - 1 : m_nLeft + int(m_nWidth) + 2;
        }
        const quint64 c = (t - m_visMin) * m_nWidth / m_span;
        m_lo = m_visMin + (c * m_span + m_nWidth - 1) / m_nWidth;
        m_hi = m_visMin + ((c + 1) * m_span + m_nWidth - 1) / m_nWidth;
        m_x = m_nLeft + int(qMin<quint64>(c, m_nWidth + 2));
        return m_x;
    }

private:
    quint64 m_visMin, m_span;
    int m_nLeft;
    quint64 m_nWidth;
    quint64 m_lo = 0, m_hi = 0;
    int m_x = 0;
};

} // namespace

CQTimeRectsDiagram::CQTimeRectsDiagram(QRect* pPlotRect, CDiagramAxis* pAxis, QObject* pParent)
    : CQTimeDiagramBase(pPlotRect, pAxis, pParent)
{
}

void CQTimeRectsDiagram::DrawGrid(QPainter& painter, int nVisibleSignals)
{
    const QRect& r = Plot();
    if (nVisibleSignals <= 0)
        return;
    const int L = r.height() / nVisibleSignals;
    QPen gridPen = m_gridPen;
    gridPen.setColor(CDiagramPalette::Grid(CDiagramPalette::Of(painter)));
    painter.setPen(gridPen);
    for (int i = 1; i <= nVisibleSignals; ++i)
        painter.drawLine(r.left(), r.bottom() - i * L, r.right(), r.bottom() - i * L);
}

void CQTimeRectsDiagram::DrawYTicks(QPainter&, const QList<CDiagramSignal*>&) {}

void CQTimeRectsDiagram::DrawYLabels(QPainter& painter, const QList<CDiagramSignal*>& visible)
{
    const int n = int(visible.size());
    if (n == 0)
        return;
    const QRect& r = Plot();
    const QRect& ya = YAxis();
    const int L = r.height() / n;
    if (L < 3)
        return;
    painter.setFont(m_labelFont);
    for (int i = 0; i < n; ++i) {
        const CDiagramSignal* pSignal = visible[n - 1 - i];
        if (!pSignal)
            continue;
        const int laneLine = r.bottom() - (i + 1) * L;
        const QRect box(ya.left(), laneLine + 1, ya.width(), L - 2);
        QColor c = pSignal->m_pen.color();
        c.setAlpha(150);
        painter.fillRect(box, c.darker(200));
        painter.setPen(Qt::white);
        painter.drawText(box, Qt::AlignCenter, pSignal->m_sName);
    }
}

void CQTimeRectsDiagram::LayoutLanes(const QList<CDiagramSignal*>& visible)
{
    const int n = int(visible.size());
    const QRect& r = Plot();
    const quint64 visMin = VisibleMin();
    const quint64 visMax = VisibleMax();
    const int L = n > 0 ? r.height() / n : 0;
    for (int i = 0; i < n; ++i) {
        CDiagramSignal* pSignal = visible[n - 1 - i];
        if (!pSignal)
            continue;
        pSignal->m_drawnRects.clear();
        if (visMax <= visMin || r.width() <= 0)
            continue;
        const CDiagramSampleList& s = pSignal->m_samples;
        const qsizetype nStart = CDiagramAxis::FindTime(s, visMin);
        if (nStart < 0)
            continue;
        const int laneLine = r.bottom() - (i + 1) * L;
        // Lanes end one column past the plot so a bar at the window's end stays whole.
        const int xLimit = r.right() + 2;
        CColumnMapper start(visMin, visMax, r.left(), r.width());
        CColumnMapper end(visMin, visMax, r.left(), r.width());
        size_t k = size_t(nStart);
        s.ForEach(k, s.size(), [&](double dX, double, qint32 nTag) {
            const size_t nSample = k++;
            const quint64 t = dX > 0.0 ? quint64(dX) : 0;
            if (t > visMax)
                return false;
            if (t < visMin)
                return true;
            const int x1 = qMin(start.X(t), xLimit);
            // A one-second event in a window of hours would be a hairline.
            const int x2 = qBound(x1 + kMinRectWidth, end.X(t + quint64(qMax(0, nTag))),
                                  qMax(x1 + kMinRectWidth, xLimit));
            const QRect rc(x1, laneLine + 2, x2 - x1, L - 4);
            if (!pSignal->m_drawnRects.isEmpty() && pSignal->m_drawnRects.last().rect == rc)
                return true;
            pSignal->m_drawnRects.append({rc, qsizetype(nSample)});
            return true;
        });
    }
}

void CQTimeRectsDiagram::DrawSignals(QPainter& painter, const QList<CDiagramSignal*>& visible)
{
    QMutexLocker lock(&CDiagramAxis::Mutex());
    LayoutLanes(visible);
    for (const CDiagramSignal* pSignal : visible) {
        if (!pSignal || pSignal->m_drawnRects.isEmpty())
            continue;
        QColor edge = pSignal->m_pen.color();
        edge.setAlpha(200);
        painter.setPen(edge);
        painter.setBrush(QBrush(pSignal->m_pen.color(), Qt::SolidPattern));
        // Touching rectangles are drawn as one: their shared edges vanish in the
        // opaque fill anyway, and the translucent outline is costly per rectangle.
        QRect run;
        for (const CDiagramSignal::DrawnRect& d : pSignal->m_drawnRects) {
            if (run.isNull()) {
                run = d.rect;
            } else if (d.rect.left() <= run.left() + run.width() && d.rect.top() == run.top()) {
                run.setWidth(qMax(run.width(), d.rect.left() + d.rect.width() - run.left()));
            } else {
                painter.drawRect(run);
                run = d.rect;
            }
        }
        if (!run.isNull())
            painter.drawRect(run);
    }
    painter.setBrush(Qt::NoBrush);
}

void CQTimeRectsDiagram::ShowYAxisMenu(const QPoint&) {}

bool CQTimeRectsDiagram::GetToolTip(bool, const QPoint& pt, const QList<CDiagramSignal*>& areaSignals,
                                    QString& sText)
{
    for (const CDiagramSignal* pSignal : areaSignals) {
        if (!pSignal || !pSignal->m_bVisible)
            continue;
        const QList<CDiagramSignal::DrawnRect>& rects = pSignal->m_drawnRects;
        const CDiagramSampleList& s = pSignal->m_samples;
        // Short events are widened and may overlap the next: the last one that
        // covers the point is the one that started nearest before it.
        for (qsizetype h = rects.size() - 1; h >= 0; --h) {
            if (!rects[h].rect.contains(pt))
                continue;
            const qsizetype nSample = rects[h].nSample;
            // The list may have been cleared or replaced since the last paint.
            if (nSample < 0 || size_t(nSample) >= s.size())
                return false;
            const CDiagramSample& hit = s[size_t(nSample)];
            quint64 nDuration = quint64(qMax(0, hit.Tag()));
            if (hit.Tag() == 1) {
                qsizetype a = h;
                while (a > 0
                       && rects[a].rect.left() - (rects[a - 1].rect.left() + rects[a - 1].rect.width()) <= 2)
                    --a;
                qsizetype b = h;
                while (b + 1 < rects.size()
                       && rects[b + 1].rect.left() - (rects[b].rect.left() + rects[b].rect.width()) <= 2)
                    ++b;
                // The run's last sample: folded samples sit between two recorded ones.
                qsizetype nLast = b + 1 < rects.size() ? rects[b + 1].nSample - 1 : rects[b].nSample;
                if (b + 1 == rects.size()) {
                    const quint64 visMax = VisibleMax();
                    while (size_t(nLast + 1) < s.size() && s[size_t(nLast + 1)].XSeconds() <= visMax)
                        ++nLast;
                }
                const qsizetype nFirst = rects[a].nSample;
                if (nFirst >= 0 && nLast >= nFirst && size_t(nLast) < s.size()) {
                    const CDiagramSample& last = s[size_t(nLast)];
                    const quint64 t0 = s[size_t(nFirst)].XSeconds();
                    const quint64 t1 = last.XSeconds() + quint64(qMax(0, last.Tag()));
                    nDuration = t1 > t0 ? t1 - t0 : 0;
                }
            }
            const QString sWhen = QDateTime::fromSecsSinceEpoch(qint64(hit.XSeconds()))
                                      .toString(QStringLiteral("dd.MM hh:mm:ss"));
            // Counted in whole hours past a day: a clock face would wrap a 25-hour run to 1 hour.
            const quint64 nHours = qMin<quint64>(nDuration / 3600, 999999);
            const QString sDuration = QStringLiteral("%1:%2:%3")
                                          .arg(nHours, 2, 10, QLatin1Char('0'))
                                          .arg((nDuration / 60) % 60, 2, 10, QLatin1Char('0'))
                                          .arg(nDuration % 60, 2, 10, QLatin1Char('0'));
            sText = tr("Date/Time: %1<br>Duration: %2<br>Level: %3 dBm")
                        .arg(sWhen, sDuration, QString::number(hit.YValue()));
            return true;
        }
    }
    return false;
}

bool CQTimeRectsDiagram::GetValuesAt(bool, const QPoint&, const QList<CDiagramSignal*>&,
                                     QList<QVariant>&)
{
    return false;
}
