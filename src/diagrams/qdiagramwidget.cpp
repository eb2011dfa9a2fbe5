#include "qdiagramwidget.h"

#include "diagrampalette.h"
#include "widgetpicture.h"

#include "qtimediagrambase.h"
#include "qtimelevelrectsdiagram.h"
#include "qtimelinesdiagram.h"
#include "qtimerectsdiagram.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QFontMetrics>
#include <QDateTime>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QWheelEvent>

#include <algorithm>
#include <QHash>
#include <QMutexLocker>
#include <QToolTip>

#include <cmath>
#include <stdexcept>

namespace {
// Qt's raster engine hands a blended fill of more than about a hundred rows to
// its thread pool. For a strip a few dozen pixels wide, repainted many times a
// second, waking the pool costs more than the fill: bands of 64 rows stay on
// this thread.
void FillBlended(QPainter& painter, const QRect& rect, const QColor& colour)
{
    constexpr int kBandRows = 64;
    if (colour.alpha() == 255 || rect.height() <= kBandRows) {
        painter.fillRect(rect, colour);
        return;
    }
    for (int y = rect.top(); y <= rect.bottom(); y += kBandRows)
        painter.fillRect(QRect(rect.left(), y, rect.width(), qMin(kBandRows, rect.bottom() - y + 1)), colour);
}


CQDiagramWidget::DiagramFactory& Factory()
{
    static CQDiagramWidget::DiagramFactory factory;
    return factory;
}

template <class T>
IDiagram* CreateTimeDiagram(CDiagramArea* pArea, CDiagramAxis* pAxis, CQDiagramWidget* pWidget)
{
    return new T(&pArea->PlotRect(), pAxis, pWidget);
}

// The time kinds are built in, so an application that links this library gets
// them without registering anything.
QHash<int, CQDiagramWidget::DiagramCreator>& Registry()
{
    static QHash<int, CQDiagramWidget::DiagramCreator> registry{
        {int(DT_TimeLines), &CreateTimeDiagram<CQTimeLinesDiagram>},
        {int(DT_TimeRects), &CreateTimeDiagram<CQTimeRectsDiagram>},
        {int(DT_TimeLevelRects), &CreateTimeDiagram<CQTimeLevelRectsDiagram>},
    };
    return registry;
}

quint64 Secs(const QVariant& v) { return CQTimeDiagramBase::TimeValue(v); }

QString TimeText(quint64 t, const QString& sFormat)
{
    return QDateTime::fromSecsSinceEpoch(qint64(qMin<quint64>(t, quint64(1) << 40))).toString(sFormat);
}

bool IsTimeKind(DiagramType eType)
{
    return eType == DT_TimeLines || eType == DT_TimeRects || eType == DT_TimeLevelRects;
}

bool HasDiagramClass(DiagramType eType)
{
    return IsTimeKind(eType) || eType == DT_Oscilloscope;
}

} // namespace

CQDiagramWidget::CQDiagramWidget(QWidget* pParent)
    : QFrame(pParent)
    , m_boxTitleFont(QStringLiteral("Arial"), 8, QFont::Bold)
    , m_boxLineFont(QStringLiteral("Arial"), 8, QFont::Normal)
    , m_axisLabelFont(QStringLiteral("Arial"), 7, QFont::Bold)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // The paint covers every pixel, so Qt need not paint the parent's background
    // under the diagram first: a whole-window fill saved on every repaint.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(tr("Diagram"));
    setAccessibleDescription(tr("Zoom with Ctrl++ and Ctrl+-, Ctrl+0 shows everything, arrow keys move in time"));
    SetAreas({CDiagramAreaSpec(DT_TimeLines, 0, 1.0)});
}

QString CQDiagramWidget::PictureSpan() const
{
    if (!IsTimeAxis())
        return QString();
    const double dVisMin = m_axis.m_vVisibleMin.toDouble();
    const double dVisMax = m_axis.m_vVisibleMax.toDouble();
    double dFirst = 0.0, dLast = 0.0;
    bool bAny = false;
    for (const CDiagramArea* pArea : m_areas)
        for (const CDiagramSignal* pSignal : pArea->m_signals) {
            if (!pSignal || !pSignal->m_bVisible || pSignal->m_samples.empty())
                continue;
            // Samples are in time order: the ends are enough.
            const double dMin = std::max(dVisMin, pSignal->m_samples.XValue(0));
            const double dMax = std::min(dVisMax, pSignal->m_samples.XValue(pSignal->m_samples.size() - 1));
            if (dMin > dMax)
                continue;
            dFirst = bAny ? std::min(dFirst, dMin) : dMin;
            dLast = bAny ? std::max(dLast, dMax) : dMax;
            bAny = true;
        }
    if (!bAny)
        return QString();
    const QDateTime first = QDateTime::fromSecsSinceEpoch(qint64(dFirst));
    const QDateTime last = QDateTime::fromSecsSinceEpoch(qint64(dLast));
    const QString strFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");
    return first.toString(strFormat) + QStringLiteral(" \u2013 ")
        + last.toString(first.date() == last.date() ? QStringLiteral("hh:mm:ss") : strFormat);
}

QList<QPair<QString, QColor>> CQDiagramWidget::Legend() const
{
    QList<QPair<QString, QColor>> legend;
    for (const CDiagramArea* pArea : m_areas)
        for (const CDiagramSignal* pSignal : pArea->m_signals)
            // Threshold lines share their level's colour: one entry tells both.
            if (pSignal && pSignal->m_bVisible && pSignal->m_pen.style() == Qt::SolidLine)
                legend.append({pSignal->m_sName, pSignal->m_pen.color()});
    return legend;
}

QString CQDiagramWidget::PictureName() const
{
    const QString strName = m_fnPictureNamer ? m_fnPictureNamer() : QString();
    return strName.isEmpty() ? accessibleName() : strName;
}

void CQDiagramWidget::contextMenuEvent(QContextMenuEvent* pEvent)
{
    // The label strip and the Y axes have menus of their own.
    const QPoint pt = pEvent->pos();
    bool bInPlot = false;
    for (CDiagramArea* pArea : m_areas)
        bInPlot = bInPlot || pArea->PlotRect().contains(pt);
    if (!bInPlot) {
        pEvent->ignore();
        return;
    }
    QMenu menu(this);
    CWidgetPicture::AddActions(&menu, this, [this] { return PictureName(); });
    menu.exec(pEvent->globalPos());
}

void CQDiagramWidget::ZoomStep(int nDelta)
{
    StopAutoScroll();
    ZoomX(nDelta);
    update();
}

void CQDiagramWidget::PanX(int nTenths)
{
    if (nTenths == 0)
        return;
    StopAutoScroll();
    {
        QMutexLocker lock(&CDiagramAxis::Mutex());
        if (IsTimeAxis()) {
            const quint64 visMin = Secs(m_axis.m_vVisibleMin);
            const quint64 visMax = Secs(m_axis.m_vVisibleMax);
            const qint64 nStep = qMax<qint64>(qint64(visMax > visMin ? (visMax - visMin) / 10 : 0), 1);
            m_axis.ShiftTime(qint32(qBound(qint64(-0x7fffffff), nStep * nTenths, qint64(0x7fffffff))));
        } else {
            const double dSpan = m_axis.m_vVisibleMax.toDouble() - m_axis.m_vVisibleMin.toDouble();
            m_axis.ShiftNumeric(dSpan / 10.0 * nTenths);
        }
    }
    update();
}

void CQDiagramWidget::keyPressEvent(QKeyEvent* pEvent)
{
    if (pEvent->matches(QKeySequence::ZoomIn)
        || (pEvent->key() == Qt::Key_Plus && pEvent->modifiers().testFlag(Qt::ControlModifier))) {
        ZoomInX();
    } else if (pEvent->matches(QKeySequence::ZoomOut)) {
        ZoomOutX();
    } else if (pEvent->key() == Qt::Key_0 && pEvent->modifiers().testFlag(Qt::ControlModifier)) {
        ResetZoom();
        update();
    } else if (pEvent->key() == Qt::Key_Left) {
        PanX(-1);
    } else if (pEvent->key() == Qt::Key_Right) {
        PanX(1);
    } else {
        QFrame::keyPressEvent(pEvent);
        return;
    }
    pEvent->accept();
}

void CQDiagramWidget::focusInEvent(QFocusEvent* pEvent)
{
    QFrame::focusInEvent(pEvent);
    QFrame::update();
}

void CQDiagramWidget::focusOutEvent(QFocusEvent* pEvent)
{
    QFrame::focusOutEvent(pEvent);
    QFrame::update();
}

CQDiagramWidget::~CQDiagramWidget()
{
    qDeleteAll(m_areas);
}

void CQDiagramWidget::SetDiagramFactory(DiagramFactory factory)
{
    Factory() = std::move(factory);
}

void CQDiagramWidget::RegisterDiagramKind(DiagramType eType, DiagramCreator creator)
{
    Registry().insert(int(eType), std::move(creator));
}

CDiagramArea& CQDiagramWidget::CheckedArea(int nArea) const
{
    if (nArea < 0 || nArea >= m_areas.size())
        throw std::out_of_range("Area index out of range!");
    return *m_areas[nArea];
}

CDiagramSignal& CQDiagramWidget::CheckedSignal(int nArea, int nSignal) const
{
    CDiagramArea& area = CheckedArea(nArea);
    if (nSignal < 0 || nSignal >= area.m_signals.size())
        throw std::out_of_range("Signal index out of range!");
    CDiagramSignal* pSignal = area.m_signals[nSignal];
    if (!pSignal)
        throw std::runtime_error("Empty signal data pointer!");
    return *pSignal;
}

CDiagramArea* CQDiagramWidget::Area(int nArea) const
{
    return (nArea >= 0 && nArea < m_areas.size()) ? m_areas[nArea] : nullptr;
}

CDiagramSignal* CQDiagramWidget::Signal(int nArea, int nSignal) const
{
    CDiagramArea* pArea = Area(nArea);
    if (!pArea || nSignal < 0 || nSignal >= pArea->m_signals.size())
        return nullptr;
    return pArea->m_signals[nSignal];
}

void CQDiagramWidget::SetAreas(const QList<CDiagramAreaSpec>& areaList)
{
    qDeleteAll(m_areas);
    m_areas.clear();
    for (const CDiagramAreaSpec& area : areaList)
        m_areas.append(new CDiagramArea(area.m_eType, area.m_nFixedHeight, area.m_dStretch));
    for (int i = 0; i < m_areas.size(); ++i)
        SetDiagramType(i, areaList[i].m_eType);
    Relayout();
    updateGeometry();
}

void CQDiagramWidget::SetDiagramType(int nArea, DiagramType eType)
{
    CDiagramArea& area = CheckedArea(nArea);
    area.DeleteDiagram();
    area.m_eType = eType;

    if (IsTimeKind(eType)) {
        // A fresh time diagram always starts its ten-minute window at the present.
        const quint64 now = static_cast<quint64>(QDateTime::currentSecsSinceEpoch());
        const QVariant vNow = QVariant::fromValue<qulonglong>(now);
        const QVariant vEnd = QVariant::fromValue<qulonglong>(now + 600);
        SetXRange(vNow, vEnd, 1.0, false);
        SetXVisible(vNow, vEnd);
        QMutexLocker lock(&CDiagramAxis::Mutex());
        m_axis.m_bStartWindow = true;
    }
    if (HasDiagramClass(eType)) {
        if (Factory()) {
            area.m_pDiagram = Factory()(eType, &area, &m_axis, this);
        } else {
            const auto it = Registry().constFind(int(eType));
            if (it != Registry().constEnd() && *it)
                area.m_pDiagram = (*it)(&area, &m_axis, this);
        }
    }

    if (area.m_pDiagram) {
        for (CDiagramSignal* pSignal : area.m_signals)
            if (pSignal)
                area.m_pDiagram->AttachSignal(pSignal->m_samples);
    }
    Q_EMIT diagramTypeChanged(nArea, eType);
}

DiagramType CQDiagramWidget::GetDiagramType(int nArea) const
{
    return CheckedArea(nArea).m_eType;
}

void CQDiagramWidget::AddSignal(int nArea, const QString& sName, const QPen& pen, int nTag,
                                bool bVisible)
{
    CheckedArea(nArea).m_signals.append(new CDiagramSignal(sName, pen, nTag, bVisible));
    Relayout();
}

void CQDiagramWidget::AddSample(int nArea, int nSignal, const QVariant& vX, const QVariant& vY,
                                int nTag)
{
    CDiagramSignal& signal = CheckedSignal(nArea, nSignal);
    const CDiagramSample sample(vX, vY, nTag);
    CDiagramArea& area = *m_areas[nArea];
    // Without a diagram object nobody would store the sample; keep the data anyway
    // so a diagram attached later sees it.
    if (area.m_pDiagram)
        area.m_pDiagram->AppendSample(nSignal, sample, signal.m_samples, m_bAutoScroll);
    else
        signal.m_samples.push_back(sample);
    if (m_nSampleLimit > 0 && signal.m_samples.DropOldest(m_nSampleLimit) > 0) {
        // Indexes into the list moved down; the hover rectangles and the cached
        // first visible index would name other samples until the next paint.
        signal.m_drawnRects.clear();
        QMutexLocker lock(&CDiagramAxis::Mutex());
        m_axis.m_nFirstVisible = -1;
        if (IsTimeKind(area.m_eType))
            RaiseTimeDataMin(signal.m_samples.front().XSeconds());
    }
    if (QToolTip::isVisible())
        RefreshToolTip(m_axis.m_bCursorMode);
}

void CQDiagramWidget::RaiseTimeDataMin(quint64 tOldest)
{
    // The range starts at the oldest sample still held, so neither the overview
    // bar nor panning offers hours of dropped data as empty space. The visible
    // window keeps its width: the range stops short where it would not fit.
    QMutexLocker lock(&CDiagramAxis::Mutex());
    const quint64 dataMin = Secs(m_axis.m_vDataMin);
    const quint64 dataMax = Secs(m_axis.m_vDataMax);
    const quint64 visMin = Secs(m_axis.m_vVisibleMin);
    const quint64 visMax = Secs(m_axis.m_vVisibleMax);
    const quint64 span = qMax(visMax > visMin ? visMax - visMin : 0, quint64(qMax(0, m_axis.m_nMinTimeSpan)));
    if (dataMax < span)
        return;
    const quint64 newMin = qMin(tOldest, dataMax - span);
    if (newMin <= dataMin)
        return;
    m_axis.m_vDataMin = QVariant::fromValue<qulonglong>(newMin);
    if (visMin < newMin) {
        m_axis.m_vVisibleMin = QVariant::fromValue<qulonglong>(newMin);
        m_axis.m_vVisibleMax = QVariant::fromValue<qulonglong>(newMin + span);
    }
}

void CQDiagramWidget::SetSamples(int nArea, int nSignal, const QList<double>& values)
{
    CDiagramSignal& signal = CheckedSignal(nArea, nSignal);
    // Written afresh rather than overwritten in place: the result is the same
    // list, and a packed list could not reuse the slots of samples kept whole.
    signal.m_samples.clear();
    for (qsizetype i = 0; i < values.size(); ++i)
        signal.m_samples.push_back(
            CDiagramSample(static_cast<double>(i), CDiagramSample::XK_Int, values[i], 0));
    if (QToolTip::isVisible())
        RefreshToolTip(m_axis.m_bCursorMode);
}

void CQDiagramWidget::SetSignalVisible(int nArea, int nSignal, bool bVisible)
{
    CheckedSignal(nArea, nSignal).m_bVisible = bVisible;
    update();
}

int CQDiagramWidget::ClearAll(bool bKeepSignals)
{
    for (int i = 0; i < m_areas.size(); ++i) {
        CDiagramArea& area = *m_areas[i];
        for (CDiagramSignal* pSignal : area.m_signals) {
            if (pSignal) {
                pSignal->m_samples.clear();
                pSignal->m_samples.shrink_to_fit();
                pSignal->m_drawnRects.clear();
            }
        }
        if (!bKeepSignals)
            area.DeleteSignals();
        SetDiagramType(i, area.m_eType);
    }
    {
        QMutexLocker lock(&CDiagramAxis::Mutex());
        m_axis.m_nFirstVisible = -1;
    }
    return static_cast<int>(m_areas.size());
}

void CQDiagramWidget::SetXRange(const QVariant& vMin, const QVariant& vMax, double dStep,
                                bool bAlsoVisible)
{
    {
        QMutexLocker lock(&CDiagramAxis::Mutex());
        m_axis.m_vDataMin = vMin;
        if (m_axis.m_vVisibleMin.isNull())
            m_axis.m_vVisibleMin = vMin;
        m_axis.m_vDataMax = vMax;
        if (m_axis.m_vVisibleMax.isNull())
            m_axis.m_vVisibleMax = vMax;
        m_axis.m_dXStep = dStep;
        m_axis.m_bStartWindow = false;
    }
    if (bAlsoVisible)
        SetXVisible(vMin, vMax);
}

void CQDiagramWidget::SetXVisible(const QVariant& vMin, const QVariant& vMax)
{
    QMutexLocker lock(&CDiagramAxis::Mutex());
    m_axis.m_vVisibleMin = vMin;
    m_axis.m_vVisibleMax = vMax;
    m_axis.m_bStartWindow = false;
}

void CQDiagramWidget::SetAutoScroll(bool bOn)
{
    const bool bResumed = bOn && !m_bAutoScroll;
    m_bAutoScroll = bOn;
    if (!bResumed || !IsTimeAxis())
        return;
    // Back to live data now, not when the data reaches the old window end,
    // which may be ten minutes away.
    {
        QMutexLocker lock(&CDiagramAxis::Mutex());
        const quint64 dataMin = Secs(m_axis.m_vDataMin);
        const quint64 dataMax = Secs(m_axis.m_vDataMax);
        const quint64 visMin = Secs(m_axis.m_vVisibleMin);
        const quint64 visMax = Secs(m_axis.m_vVisibleMax);
        if (dataMax <= dataMin || visMax <= visMin)
            return;
        const quint64 span = qMin(visMax - visMin, dataMax - dataMin);
        m_axis.m_vVisibleMin = QVariant::fromValue<qulonglong>(dataMax - span);
        m_axis.m_vVisibleMax = QVariant::fromValue<qulonglong>(dataMax);
        m_axis.m_nFirstVisible = -1;
    }
    update();
}

void CQDiagramWidget::SetYRange(double dMin, double dMax, double dStep)
{
    QMutexLocker lock(&CDiagramAxis::Mutex());
    m_axis.m_dYFullMin = m_axis.m_dYVisibleMin = dMin;
    m_axis.m_dYFullMax = m_axis.m_dYVisibleMax = dMax;
    m_axis.m_dYStep = dStep;
}

void CQDiagramWidget::SetYVisible(double dMin, double dMax, bool bAlsoFull)
{
    QMutexLocker lock(&CDiagramAxis::Mutex());
    if (bAlsoFull)
        SetYRange(dMin, dMax, m_axis.m_dYStep);
    m_axis.SetYVisibleMin(dMin);
    m_axis.SetYVisibleMax(dMax);
}

void CQDiagramWidget::SetYStep(double dStep)
{
    QMutexLocker lock(&CDiagramAxis::Mutex());
    m_axis.m_dYStep = dStep;
}

void CQDiagramWidget::ResetZoom()
{
    QMutexLocker lock(&CDiagramAxis::Mutex());
    m_axis.m_vVisibleMin = m_axis.m_vDataMin;
    m_axis.m_vVisibleMax = m_axis.m_vDataMax;
    m_axis.SetYVisibleMin(m_axis.m_dYFullMin);
    m_axis.SetYVisibleMax(m_axis.m_dYFullMax);
}

void CQDiagramWidget::SetCursorMode(bool bOn)
{
    QMutexLocker lock(&CDiagramAxis::Mutex());
    m_axis.m_bCursorMode = bOn;
    m_axis.m_nCursorStartX = m_ptLastPress.x();
}

bool CQDiagramWidget::GetAreaValuesAt(bool bCursorMode, const QPoint& pt, QList<QVariant>& values)
{
    CDiagramArea* pArea = Area(0);
    if (!pArea || !pArea->m_pDiagram)
        return false;
    return pArea->m_pDiagram->GetValuesAt(bCursorMode, pt, pArea->m_signals, values);
}

void CQDiagramWidget::update()
{
    Relayout();
    QFrame::update();
}

void CQDiagramWidget::resizeEvent(QResizeEvent* pEvent)
{
    QFrame::resizeEvent(pEvent);
    Relayout();
}

QSize CQDiagramWidget::minimumSizeHint() const
{
    // Mirrors Relayout: the label strip and overview bar below, a 5 px gap per
    // area and the fixed areas come off the top before the stretching ones share the rest.
    int nReserve = 5 * int(m_areas.size());
    double dMinStretch = 0.0;
    for (const CDiagramArea* pArea : m_areas) {
        if (pArea->m_dStretch == 0.0)
            nReserve += pArea->m_nFixedHeight;
        else if (dMinStretch == 0.0 || pArea->m_dStretch < dMinStretch)
            dMinStretch = pArea->m_dStretch;
    }
    const int nPlots = dMinStretch > 0.0 ? int(std::ceil(kMinPlotHeight / dMinStretch)) : 0;
    return QSize(96, 22 + nReserve + nPlots);
}

void CQDiagramWidget::Relayout()
{
    const int w = width();
    const int h = height();
    m_rOverviewBar = QRect(32, h - 6, qMax(0, w - 33), 5);
    m_rXLabelStrip = QRect(32, m_rOverviewBar.top() - 16, qMax(0, w - 32), 15);
    const int nStripTop = m_rXLabelStrip.top();

    int nReserve = 5 * int(m_areas.size());
    for (const CDiagramArea* pArea : m_areas)
        if (pArea->m_dStretch == 0.0)
            nReserve += pArea->m_nFixedHeight;

    int y = 0;
    for (int i = 0; i < m_areas.size(); ++i) {
        CDiagramArea& area = *m_areas[i];
        if (i > 0)
            y += 5;
        int nHeight;
        if (area.m_nFixedHeight < 10) {
            nHeight = area.m_dStretch != 0.0 ? int((nStripTop - nReserve) * area.m_dStretch)
                                             : nStripTop;
        } else if (area.m_dStretch == 0.0) {
            nHeight = area.m_nFixedHeight;
        } else {
            nHeight = int(qMax<double>(area.m_nFixedHeight, (nStripTop - nReserve) * area.m_dStretch));
        }
        // A widget squeezed below its reserve gets empty areas, never negative ones.
        nHeight = qMax(0, nHeight);
        area.YAxisRect() = QRect(0, y, 32, nHeight);
        area.PlotRect() = QRect(32, y, qMax(0, w - 32), nHeight);
        if (area.m_pDiagram)
            area.m_pDiagram->OnLayoutChanged();
        y += nHeight;
    }
}

void CQDiagramWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // Off every plot and strip when overlays are hidden.
    const QPoint mouse = m_bOverlaysHidden ? QPoint(-10000, -10000) : mapFromGlobal(QCursor::pos());

    const QPalette colours = palette();
    // What the parent would have shown around the plots.
    QRegion margins(rect());
    for (CDiagramArea* pArea : m_areas)
        margins -= pArea->PlotRect();
    for (const QRect& r : margins)
        painter.fillRect(r, colours.color(QPalette::Window));
    painter.fillRect(m_rXLabelStrip, CDiagramPalette::Strip(colours, m_nBackgroundAlpha));
    if (m_nXAxisType != 0 && m_nXAxisType != 2) {
        const int nMid = m_rXLabelStrip.left() + m_rXLabelStrip.width() / 2;
        const QRect left(m_rXLabelStrip.left(), m_rXLabelStrip.top(), nMid - m_rXLabelStrip.left(),
                         m_rXLabelStrip.height());
        const QRect right(nMid, m_rXLabelStrip.top(), m_rXLabelStrip.right() - nMid + 1,
                          m_rXLabelStrip.height());
        if (left.contains(mouse))
            painter.fillRect(left, CDiagramPalette::Strip(colours, 55));
        else if (right.contains(mouse))
            painter.fillRect(right, CDiagramPalette::Strip(colours, 55));
    }

    const QColor yAxisColour = CDiagramPalette::Strip(colours, m_nBackgroundAlpha / 2);
    QList<CDiagramSignal*> cursorSignals;
    bool bCrosshair = false;
    for (CDiagramArea* pArea : m_areas) {
        painter.fillRect(pArea->PlotRect(), CDiagramPalette::PlotBackground(colours));
        QList<CDiagramSignal*> visible;
        for (CDiagramSignal* pSignal : pArea->m_signals)
            if (pSignal && pSignal->m_bVisible)
                visible.append(pSignal);
        if (pArea->m_pDiagram) {
            painter.save();
            pArea->m_pDiagram->DrawGrid(painter, int(visible.size()));
            pArea->m_pDiagram->DrawSignals(painter, visible);
            pArea->m_pDiagram->DrawYLabels(painter, visible);
            pArea->m_pDiagram->DrawYTicks(painter, visible);
            painter.restore();
        }
        FillBlended(painter, pArea->YAxisRect(), yAxisColour);
        if (pArea->PlotRect().contains(mouse)) {
            cursorSignals = visible;
            bCrosshair = true;
        }
    }

    if (bCrosshair && !m_areas.isEmpty()) {
        QColor c(Qt::green);
        c.setAlpha(127);
        painter.setPen(c.darker(250));
        const QRect& first = m_areas.first()->PlotRect();
        const QRect& last = m_areas.last()->PlotRect();
        painter.drawLine(first.left(), mouse.y(), first.right(), mouse.y());
        painter.drawLine(mouse.x(), first.top(), mouse.x(), last.bottom());
    }

    DrawCursorValues(painter, mouse, cursorSignals);
    painter.setFont(m_axisLabelFont);
    DrawXLabels(painter);
    DrawOverviewBar(painter);
    if (hasFocus()) {
        // Which diagram the zoom and arrow keys act on.
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

void CQDiagramWidget::DrawCursorValues(QPainter& painter, const QPoint& mouse,
                                       const QList<CDiagramSignal*>& cursorSignals)
{
    bool bDue = false;
    QList<QVariant> values;
    QRect plot;
    for (CDiagramArea* pArea : m_areas) {
        if (!pArea->m_pDiagram)
            continue;
        QList<QVariant> areaValues;
        if (!pArea->m_pDiagram->GetValuesAt(false, mouse, cursorSignals, areaValues))
            continue;
        if (pArea->m_eType == DT_TimeLines) {
            bDue = true;
            values = areaValues;
            plot = pArea->PlotRect();
        }
    }
    if (cursorSignals.isEmpty() || !bDue || values.isEmpty())
        return;

    const quint64 t = values[0].toULongLong();
    QStringList lines;
    for (const CDiagramSignal* pSignal : cursorSignals) {
        const qsizetype i = CDiagramAxis::FindTimeExact(pSignal->m_samples, t);
        lines << (i >= 0 ? pSignal->m_sName
                               + QStringLiteral(" = %1 %2")
                                     .arg(QString::number(pSignal->m_samples[size_t(i)].YValue(), 'f', 1), tr("dB"))
                         : pSignal->m_sName + tr(" = n/a"));
    }
    const QString strTitle = tr("Cursor values");
    const QFontMetrics titleMetrics(m_boxTitleFont);
    const QFontMetrics lineMetrics(m_boxLineFont);
    m_rCursorBox = CursorBoxRect(titleMetrics.horizontalAdvance(strTitle), titleMetrics.height(),
                                 MaxTextWidth(lineMetrics, lines), lineMetrics.height(), int(lines.size()),
                                 plot, rect(), mouse);

    QColor boxColour = palette().color(QPalette::ToolTipBase);
    boxColour.setAlpha(210);
    painter.setPen(palette().color(QPalette::Highlight));
    painter.setBrush(boxColour);
    painter.drawRect(m_rCursorBox);
    painter.setBrush(Qt::NoBrush);
    const QRect inner = m_rCursorBox.adjusted(kBoxPadding, kBoxPadding, -kBoxPadding, -kBoxPadding);
    painter.setPen(palette().color(QPalette::ToolTipText));
    painter.setFont(m_boxTitleFont);
    painter.drawText(QRect(inner.left(), inner.top(), inner.width(), titleMetrics.height()), Qt::AlignCenter,
                     strTitle);
    painter.setFont(m_boxLineFont);
    for (int k = 0; k < lines.size(); ++k) {
        painter.setPen(cursorSignals[k]->m_pen);
        painter.drawText(QRect(inner.left(), inner.top() + titleMetrics.height() + k * lineMetrics.height(),
                               inner.width(), lineMetrics.height()),
                         Qt::AlignCenter, lines[k]);
    }
}

int CQDiagramWidget::MaxTextWidth(const QFontMetrics& metrics, const QStringList& texts)
{
    int nWidth = 0;
    for (const QString& strText : texts)
        nWidth = qMax(nWidth, metrics.horizontalAdvance(strText));
    return nWidth;
}

QRect CQDiagramWidget::CursorBoxRect(int nTitleWidth, int nTitleHeight, int nLineWidth, int nLineHeight,
                                     int nLines, const QRect& plot, const QRect& widget, const QPoint& mouse)
{
    const int w = qMin(qMax(nTitleWidth, nLineWidth) + 2 * kBoxPadding, qMax(1, widget.width() - 2));
    const int h = qMin(nTitleHeight + nLines * nLineHeight + 2 * kBoxPadding, qMax(1, widget.height() - 2));
    // Top right of the plot, unless the cursor is under that corner; then top left.
    QRect box(plot.right() - kBoxMargin - w + 1, plot.top() + kBoxMargin, w, h);
    if (box.adjusted(-kBoxMargin, -kBoxMargin, kBoxMargin, kBoxMargin).contains(mouse))
        box.moveLeft(plot.left() + kBoxMargin);
    // A box wider or taller than the plot still stays on the widget.
    box.moveRight(qMin(box.right(), widget.right() - 1));
    box.moveBottom(qMin(box.bottom(), widget.bottom() - 1));
    box.moveLeft(qMax(box.left(), widget.left() + 1));
    box.moveTop(qMax(box.top(), widget.top() + 1));
    return box;
}

void CQDiagramWidget::DrawXLabels(QPainter& painter)
{
    if (!IsTimeAxis()) {
        if (!m_areas.isEmpty() && m_areas.first()->m_pDiagram)
            m_areas.first()->m_pDiagram->DrawXLabels(painter, m_rXLabelStrip);
        return;
    }
    QMutexLocker lock(&CDiagramAxis::Mutex());
    const quint64 visMin = Secs(m_axis.m_vVisibleMin);
    const quint64 visMax = Secs(m_axis.m_vVisibleMax);
    if (visMax <= visMin || m_rXLabelStrip.width() <= 0)
        return;
    const double p = double(m_rXLabelStrip.width()) / double(visMax - visMin);
    const quint64 g = CQTimeDiagramBase::TimeStep(p);
    if (g == 0)
        return;
    painter.setPen(CDiagramPalette::Text(palette()));
    const int nLabelWidth = int(g * p);
    const QString sFormat = QStringLiteral("hh:mm:ss");
    for (quint64 t = visMin + g; t < visMax; t += g) {
        const double x = m_rXLabelStrip.left() + double(t - visMin) * p;
        painter.drawText(QRect(int(x - nLabelWidth * 0.5), m_rXLabelStrip.top(), nLabelWidth,
                               m_rXLabelStrip.height()),
                         Qt::AlignCenter, TimeText(t, sFormat));
    }
}

void CQDiagramWidget::DrawOverviewBar(QPainter& painter)
{
    const QColor text = CDiagramPalette::Text(palette());
    painter.setPen(text);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(m_rOverviewBar);

    double A, B, a, b;
    {
        QMutexLocker lock(&CDiagramAxis::Mutex());
        if (IsTimeAxis()) {
            A = double(Secs(m_axis.m_vDataMin));
            B = double(Secs(m_axis.m_vDataMax));
            a = double(Secs(m_axis.m_vVisibleMin));
            b = double(Secs(m_axis.m_vVisibleMax));
        } else {
            A = m_axis.m_vDataMin.toDouble();
            B = m_axis.m_vDataMax.toDouble();
            a = m_axis.m_vVisibleMin.toDouble();
            b = m_axis.m_vVisibleMax.toDouble();
        }
    }
    // An empty data range has no position to show.
    if (!(B > A) || !std::isfinite(a) || !std::isfinite(b))
        return;
    const double W = m_rOverviewBar.width();
    double dThumbWidth = W * (b - a) / (B - A);
    if (dThumbWidth < 0)
        dThumbWidth = 1;
    if (A < 0) {
        B -= A;
        a -= A;
        A = 0;
    }
    double dThumbX = m_rOverviewBar.left() + (a - A) * W / (B - A) + 2;
    if (dThumbWidth > W) {
        dThumbX = m_rOverviewBar.left() + 2;
        dThumbWidth = W - 4;
    }
    if (dThumbX + dThumbWidth > m_rOverviewBar.right())
        dThumbWidth = m_rOverviewBar.right() - dThumbX - 1;
    if (dThumbWidth <= 0)
        return;
    painter.fillRect(QRect(int(dThumbX), m_rOverviewBar.top() + 2, int(dThumbWidth),
                           m_rOverviewBar.height() - 3),
                     text);
}

void CQDiagramWidget::mousePressEvent(QMouseEvent* pEvent)
{
    m_ptLastPress = pEvent->position().toPoint();
    m_ptLastMove = m_ptLastPress;
    pEvent->ignore();
}

QMenu* CQDiagramWidget::CreateXRangeMenu(QWidget* pParent)
{
    auto* pMenu = new QMenu(pParent);
    const struct {
        const char* pText;
        int nMinutes;
    } entries[] = {{QT_TR_NOOP("3 minutes"), 3},  {QT_TR_NOOP("10 minutes"), 10},
                   {QT_TR_NOOP("20 minutes"), 20}, {QT_TR_NOOP("30 minutes"), 30},
                   {QT_TR_NOOP("1 hour"), 60},     {QT_TR_NOOP("2 hours"), 120},
                   {QT_TR_NOOP("3 hours"), 180},   {QT_TR_NOOP("6 hours"), 360}};
    for (const auto& e : entries) {
        QAction* pAction = pMenu->addAction(tr(e.pText));
        pAction->setObjectName(QString::number(e.nMinutes));
        connect(pAction, &QAction::triggered, this, &CQDiagramWidget::OnXMenuDateAction);
    }
    return pMenu;
}

void CQDiagramWidget::OnXMenuDateAction()
{
    const QObject* pSender = sender();
    if (!pSender)
        return;
    bool bOk = false;
    const int m = pSender->objectName().toInt(&bOk);
    if (!bOk || m <= 0)
        return;
    QMutexLocker lock(&CDiagramAxis::Mutex());
    m_axis.m_vVisibleMin = m_axis.m_vDataMin;
    const quint64 end = Secs(m_axis.m_vVisibleMin) + 60 * quint64(m);
    if (end > Secs(m_axis.m_vDataMax))
        m_axis.SetTimeDataMax(end);
    m_axis.SetTimeVisibleMax(end);
    m_axis.m_nFirstVisible = 0;
}

void CQDiagramWidget::mouseReleaseEvent(QMouseEvent* pEvent)
{
    pEvent->ignore();
    if (pEvent->button() != Qt::RightButton)
        return;
    const QPoint pt = pEvent->position().toPoint();
    const QPoint global = pEvent->globalPosition().toPoint();
    if (m_rXLabelStrip.contains(pt)) {
        if (IsTimeAxis()) {
            QMenu* pMenu = CreateXRangeMenu(this);
            pMenu->exec(global);
            delete pMenu;
            QFrame::update();
        }
        return;
    }
    for (int i = 0; i < m_areas.size(); ++i) {
        // The menu runs modally and its action may rebuild the areas.
        if (i >= m_areas.size())
            break;
        CDiagramArea* pArea = m_areas[i];
        if (!pArea->m_pDiagram)
            continue;
        if (pArea->YAxisRect().contains(pt))
            pArea->m_pDiagram->ShowYAxisMenu(global);
        else if (pArea->PlotRect().contains(pt))
            pArea->m_pDiagram->ShowPlotMenu(global);
    }
    // A range picked from a menu shows now, also where no data arrives.
    QFrame::update();
}

void CQDiagramWidget::StopAutoScroll()
{
    if (!m_bAutoScroll)
        return;
    m_bAutoScroll = false;
    Q_EMIT autoScrollToggle(false);
}

void CQDiagramWidget::mouseMoveEvent(QMouseEvent* pEvent)
{
    pEvent->ignore();
    const QPoint pt = pEvent->position().toPoint();
    if (m_axis.m_bCursorMode)
        m_axis.m_nCursorX = pt.x();
    RefreshToolTip(m_axis.m_bCursorMode);

    if (m_rXLabelStrip.contains(pt)) {
        setCursor(Qt::SizeHorCursor);
    } else {
        bool bDone = false;
        for (CDiagramArea* pArea : m_areas) {
            if (pArea->m_pDiagram && pArea->YAxisRect().contains(pt)) {
                if (pArea->m_pDiagram->IsYAxisDraggable())
                    setCursor(Qt::SizeVerCursor);
                bDone = true;
                break;
            }
        }
        if (!bDone) {
            Qt::CursorShape eShape = Qt::ArrowCursor;
            for (CDiagramArea* pArea : m_areas) {
                if (pArea->m_pDiagram && pArea->PlotRect().contains(pt)) {
                    if (!m_bAutoScroll
                        && (pArea->m_pDiagram->IsXZoomed() || pArea->m_pDiagram->IsYZoomed()))
                        eShape = Qt::OpenHandCursor;
                    break;
                }
            }
            setCursor(eShape);
        }
    }

    if (pEvent->buttons() & Qt::LeftButton) {
        const int dx = m_ptLastMove.x() - pt.x();
        const int dy = pt.y() - m_ptLastMove.y();
        StopAutoScroll();
        for (CDiagramArea* pArea : m_areas)
            if (pArea->m_pDiagram && pArea->PlotRect().contains(m_ptLastPress))
                pArea->m_pDiagram->Pan(m_ptLastPress, dx, dy);
        if (m_rXLabelStrip.contains(m_ptLastPress))
            DragXAxis(dx);
        for (CDiagramArea* pArea : m_areas)
            if (pArea->m_pDiagram && pArea->YAxisRect().contains(m_ptLastPress)
                && pArea->m_pDiagram->IsYAxisDraggable())
                pArea->m_pDiagram->DragYAxis(m_ptLastPress, dy);
    }
    m_ptLastMove = pt;
    // The crosshair, the cursor values and any pan follow the mouse; the
    // owner repaints only when data arrives.
    QFrame::update();
}

void CQDiagramWidget::leaveEvent(QEvent* pEvent)
{
    QFrame::leaveEvent(pEvent);
    QFrame::update();
}

void CQDiagramWidget::DragXAxis(int dx)
{
    if (dx == 0)
        return;
    const bool bLeft = m_ptLastPress.x() < m_rXLabelStrip.left() + m_rXLabelStrip.width() / 2;
    QMutexLocker lock(&CDiagramAxis::Mutex());
    if (IsTimeAxis()) {
        const quint64 dataMin = Secs(m_axis.m_vDataMin);
        const quint64 dataMax = Secs(m_axis.m_vDataMax);
        const qint64 step = qMax<qint64>(qint64(dataMax > dataMin ? (dataMax - dataMin) / 600 : 0), 1);
        if (bLeft) {
            const qint64 v = qint64(Secs(m_axis.m_vVisibleMin)) - qint64(dx) * step;
            if (v >= 0)
                m_axis.SetTimeVisibleMin(quint64(v));
            m_axis.m_nFirstVisible = -1;
        } else {
            const qint64 v = qint64(Secs(m_axis.m_vVisibleMax)) - qint64(dx) * step;
            if (v >= 0)
                m_axis.SetTimeVisibleMax(quint64(v));
        }
    } else {
        const double step = qMax((m_axis.m_vDataMax.toDouble() - m_axis.m_vDataMin.toDouble()) / 200, 1.0);
        if (bLeft)
            m_axis.SetNumVisibleMin(m_axis.m_vVisibleMin.toDouble() - dx * step);
        else
            m_axis.SetNumVisibleMax(m_axis.m_vVisibleMax.toDouble() - dx * step);
    }
}

void CQDiagramWidget::wheelEvent(QWheelEvent* pEvent)
{
    const QPoint pt = pEvent->position().toPoint();
    // Rolling away from the user (a positive angle) narrows the window, as in
    // every plotting program; ZoomX widens for a positive amount.
    const int nDelta = -pEvent->angleDelta().y();
    StopAutoScroll();
    for (CDiagramArea* pArea : m_areas)
        if (pArea->PlotRect().contains(pt))
            ZoomX(nDelta);
    pEvent->accept();
    update();
}

void CQDiagramWidget::ZoomX(int nDelta)
{
    QMutexLocker lock(&CDiagramAxis::Mutex());
    if (IsTimeAxis()) {
        const double dataMin = double(Secs(m_axis.m_vDataMin));
        const double dataMax = double(Secs(m_axis.m_vDataMax));
        const double step = qMax(std::floor((dataMax - dataMin) / 6000), 0.1);
        // Whole seconds keep the window on the integer time grid the drawing uses.
        const double vMin = std::round(double(Secs(m_axis.m_vVisibleMin)) - nDelta * step);
        const double vMax = std::round(double(Secs(m_axis.m_vVisibleMax)) + nDelta * step);
        if (vMin >= 0 && m_axis.SetNumVisibleMin(vMin))
            m_axis.m_vVisibleMin = QVariant::fromValue<qulonglong>(quint64(vMin));
        if (vMax >= 0 && m_axis.SetNumVisibleMax(vMax))
            m_axis.m_vVisibleMax = QVariant::fromValue<qulonglong>(quint64(vMax));
        return;
    }
    const double dataMin = m_axis.m_vDataMin.toDouble();
    const double dataMax = m_axis.m_vDataMax.toDouble();
    const double step = qMax((dataMax - dataMin) / 10000, 1.0);
    if (nDelta <= 0 && m_axis.m_vVisibleMax.toDouble() - m_axis.m_vVisibleMin.toDouble() <= 100)
        return;
    if (!m_axis.SetNumVisibleMin(m_axis.m_vVisibleMin.toDouble() - nDelta * step))
        m_axis.m_vVisibleMin = dataMin;
    if (!m_axis.SetNumVisibleMax(m_axis.m_vVisibleMax.toDouble() + nDelta * step))
        m_axis.m_vVisibleMax = dataMax;
}

bool CQDiagramWidget::ToolTipText(const QPoint& pt, bool bCursorMode, QString& sText)
{
    if (m_rXLabelStrip.contains(pt)) {
        if (!IsTimeAxis())
            return false;
        QMutexLocker lock(&CDiagramAxis::Mutex());
        const QString sFormat = QStringLiteral("dd.MM hh:mm:ss");
        sText = tr("Min = %1<br>Max = %2")
                    .arg(TimeText(Secs(m_axis.m_vVisibleMin), sFormat),
                         TimeText(Secs(m_axis.m_vVisibleMax), sFormat));
        return true;
    }
    bool bFound = false;
    for (CDiagramArea* pArea : m_areas) {
        QString sAreaText;
        if (pArea->m_pDiagram
            && pArea->m_pDiagram->GetToolTip(bCursorMode, pt, pArea->m_signals, sAreaText)) {
            sText = sAreaText;
            bFound = true;
        }
    }
    return bFound;
}

void CQDiagramWidget::RefreshToolTip(bool bCursorMode)
{
    if (!isActiveWindow())
        return;
    const QPoint global = QCursor::pos();
    QString sText;
    if (ToolTipText(mapFromGlobal(global), bCursorMode, sText))
        QToolTip::showText(global, sText, this);
}
