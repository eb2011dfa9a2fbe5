#include "qdiagramwidget.h"

#include <QDateTime>
#include <QMutexLocker>
#include <QToolTip>

#include <stdexcept>

namespace {

CQDiagramWidget::DiagramFactory& Factory()
{
    static CQDiagramWidget::DiagramFactory factory;
    return factory;
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
{
    setMouseTracking(true);
    SetAreas({CDiagramAreaSpec(DT_TimeLines, 0, 1.0)});
}

CQDiagramWidget::~CQDiagramWidget()
{
    qDeleteAll(m_areas);
}

void CQDiagramWidget::SetDiagramFactory(DiagramFactory factory)
{
    Factory() = std::move(factory);
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

void CQDiagramWidget::SetAreas(const QList<CDiagramAreaSpec>& specs)
{
    qDeleteAll(m_areas);
    m_areas.clear();
    for (const CDiagramAreaSpec& area : specs)
        m_areas.append(new CDiagramArea(area.m_eType, area.m_nFixedHeight, area.m_dStretch));
    for (int i = 0; i < m_areas.size(); ++i)
        SetDiagramType(i, specs[i].m_eType);
    Relayout();
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
    }
    if (HasDiagramClass(eType) && Factory())
        area.m_pDiagram = Factory()(eType, &area, &m_axis, this);

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
    RefreshToolTip(m_axis.m_bCursorMode);
}

void CQDiagramWidget::SetSamples(int nArea, int nSignal, const QList<double>& values)
{
    CDiagramSignal& signal = CheckedSignal(nArea, nSignal);
    const size_t n = static_cast<size_t>(values.size());
    signal.m_samples.resize(n);
    for (size_t i = 0; i < n; ++i)
        signal.m_samples[i] = CDiagramSample(static_cast<double>(i), CDiagramSample::XK_Int,
                                             values[static_cast<qsizetype>(i)], 0);
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
    }
    if (bAlsoVisible)
        SetXVisible(vMin, vMax);
}

void CQDiagramWidget::SetXVisible(const QVariant& vMin, const QVariant& vMax)
{
    QMutexLocker lock(&CDiagramAxis::Mutex());
    m_axis.m_vVisibleMin = vMin;
    m_axis.m_vVisibleMax = vMax;
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

void CQDiagramWidget::Relayout()
{
    // Placeholder split until the painting side lands: areas share the height by
    // stretch, each with the 32-pixel Y-axis column on its left.
    const QRect r = contentsRect();
    const int nAreas = static_cast<int>(m_areas.size());
    if (nAreas == 0)
        return;
    const int h = r.height() / nAreas;
    for (int i = 0; i < nAreas; ++i) {
        CDiagramArea& area = *m_areas[i];
        const int top = r.top() + i * h;
        area.YAxisRect() = QRect(r.left(), top, 32, h);
        area.PlotRect() = QRect(r.left() + 32, top, qMax(0, r.width() - 32), h);
        if (area.m_pDiagram)
            area.m_pDiagram->OnLayoutChanged();
    }
}

void CQDiagramWidget::RefreshToolTip(bool bCursorMode)
{
    Q_UNUSED(bCursorMode);
    // Filled in with the tooltip handling of the painting side; nothing is cached yet.
    if (!QToolTip::isVisible())
        return;
}
