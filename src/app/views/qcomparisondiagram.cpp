#include "qcomparisondiagram.h"

#include "diagrampalette.h"

#include <QMutexLocker>
#include <QPainter>

CQComparisonDiagram::CQComparisonDiagram(QWidget* pParent)
    : CQDiagramWidget(pParent)
{
}

void CQComparisonDiagram::SetMark(int64_t nX)
{
    m_nMark = nX;
    update();
}

void CQComparisonDiagram::CentreOn(int64_t nX, int64_t nSpan)
{
    {
        QMutexLocker lock(&CDiagramAxis::Mutex());
        const int64_t nDataMin = int64_t(Axis().m_vDataMin.toULongLong());
        const int64_t nDataMax = int64_t(Axis().m_vDataMax.toULongLong());
        int64_t nStart = qMax(nDataMin, qMin(nX - nSpan / 2, nDataMax - nSpan));
        const int64_t nEnd = qMin(nDataMax, nStart + nSpan);
        nStart = qMax(nDataMin, nEnd - nSpan);
        SetXVisible(QVariant::fromValue<quint64>(quint64(nStart)), QVariant::fromValue<quint64>(quint64(nEnd)));
    }
    update();
}

int64_t CQComparisonDiagram::VisibleMin()
{
    QMutexLocker lock(&CDiagramAxis::Mutex());
    return int64_t(Axis().m_vVisibleMin.toULongLong());
}

int64_t CQComparisonDiagram::VisibleMax()
{
    QMutexLocker lock(&CDiagramAxis::Mutex());
    return int64_t(Axis().m_vVisibleMax.toULongLong());
}

void CQComparisonDiagram::paintEvent(QPaintEvent* pEvent)
{
    CQDiagramWidget::paintEvent(pEvent);
    const int64_t nMin = VisibleMin();
    const int64_t nMax = VisibleMax();
    if (m_nMark < nMin || m_nMark > nMax || nMax <= nMin)
        return;
    QPainter painter(this);
    painter.setPen(QPen(CDiagramPalette::Text(palette()), 1, Qt::DashLine));
    for (int i = 0; i < AreaCount(); ++i) {
        const QRect plot = Area(i)->PlotRect();
        const int x = plot.left() + int(double(m_nMark - nMin) * plot.width() / double(nMax - nMin));
        painter.drawLine(x, plot.top(), x, plot.bottom());
    }
}
