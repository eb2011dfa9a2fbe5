#include "qtimediagrambase.h"

#include "diagramaxis.h"
#include "diagramsignal.h"

#include <QAction>
#include <QDateTime>
#include <QMenu>
#include <QMutexLocker>
#include <QPainter>

#include "diagrampalette.h"

#include <cmath>
#include <limits>

CQTimeDiagramBase::CQTimeDiagramBase(QRect* pPlotRect, CDiagramAxis* pAxis, QObject* pParent)
    : IDiagram(pPlotRect, pAxis, pParent)
    , m_gridPen(QColor(150, 150, 170), 1, Qt::DashLine)
    , m_tickPen(Qt::black, 2)
    , m_textPen(Qt::black)
    , m_labelFont(QStringLiteral("Arial"), 7, QFont::Bold)
{
    QMutexLocker lock(&CDiagramAxis::Mutex());
    m_pAxis->m_nFirstVisible = -1;
}

quint64 CQTimeDiagramBase::TimeStep(double dPixelsPerSecond)
{
    if (!(dPixelsPerSecond > 0.0) || !std::isfinite(dPixelsPerSecond))
        return 0;
    quint64 g = 1;
    // Bounded so a nearly zero scale cannot spin: 2^40 s is far beyond any window.
    while (double(g) * dPixelsPerSecond < 70.0 && g < (quint64(1) << 40))
        g *= 2;
    return g;
}

int CQTimeDiagramBase::LevelStep(double dPixelsPerUnit)
{
    if (!(dPixelsPerUnit > 0.0) || !std::isfinite(dPixelsPerUnit))
        return 0;
    // Jump close to the answer first; a Y window of millions of dB on a short
    // column would otherwise take millions of rounds.
    const double dGuess = std::ceil(20.0 / (5.0 * dPixelsPerUnit));
    if (dGuess > 1e8)
        return 0;
    int k = qMax(5, int(dGuess) * 5);
    while (k > 5 && (k - 5) * dPixelsPerUnit >= 20.0)
        k -= 5;
    while (k * dPixelsPerUnit < 20.0)
        k += 5;
    return k;
}

quint64 CQTimeDiagramBase::TimeValue(const QVariant& v)
{
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float) {
        const double d = v.toDouble();
        if (!(d > 0.0))
            return 0;
        if (d >= 1.8e19)
            return std::numeric_limits<quint64>::max();
        return quint64(std::llround(d));
    }
    return v.toULongLong();
}

quint64 CQTimeDiagramBase::VisibleMin() const { return TimeValue(m_pAxis->m_vVisibleMin); }
quint64 CQTimeDiagramBase::VisibleMax() const { return TimeValue(m_pAxis->m_vVisibleMax); }

int CQTimeDiagramBase::TimeToX(quint64 t) const
{
    const QRect& r = Plot();
    const quint64 visMin = VisibleMin();
    const quint64 visMax = VisibleMax();
    if (visMax <= visMin)
        return r.left();
    const qint64 span = qint64(visMax - visMin);
    const qint64 dt = t >= visMin ? qint64(qMin<quint64>(t - visMin, quint64(1) << 40))
                                  : -qint64(qMin<quint64>(visMin - t, quint64(1) << 40));
    // dt is bounded to 2^40 and the width to 2^23 in practice, so the product fits.
    const qint64 x = r.left() + dt * qint64(r.width()) / span;
    return int(qBound<qint64>(-(qint64(1) << 24), x, qint64(1) << 24));
}

void CQTimeDiagramBase::AttachSignal(CDiagramSampleList&) {}

void CQTimeDiagramBase::AppendSample(int nSignal, const CDiagramSample& sample,
                                     CDiagramSampleList& samples, bool bAutoScroll)
{
    QMutexLocker lock(&CDiagramAxis::Mutex());
    const quint64 t = sample.XSeconds();
    if (m_pAxis->m_bStartWindow) {
        m_pAxis->m_bStartWindow = false;
        const quint64 visMin = VisibleMin();
        const quint64 visMax = VisibleMax();
        if (t != 0 && (t < visMin || t > visMax) && visMax > visMin) {
            const QVariant vStart = QVariant::fromValue<qulonglong>(t);
            const QVariant vEnd = QVariant::fromValue<qulonglong>(t + (visMax - visMin));
            m_pAxis->m_vDataMin = vStart;
            m_pAxis->m_vVisibleMin = vStart;
            m_pAxis->m_vDataMax = vEnd;
            m_pAxis->m_vVisibleMax = vEnd;
            m_pAxis->m_nFirstVisible = -1;
        }
    }
    if (t < TimeValue(m_pAxis->m_vDataMin))
        return;
    samples.push_back(sample);
    if (t < TimeValue(m_pAxis->m_vDataMax))
        return;
    const quint64 visMaxBefore = VisibleMax();
    m_pAxis->SetTimeDataMax(t);
    if (!bAutoScroll)
        return;
    // A sample from a damaged file may lie decades ahead, beyond what a 32-bit
    // shift can carry; the window then goes straight to the end of the data
    // instead of wrapping into a jump back or stopping halfway.
    const qint64 n = qint64(t) - qint64(visMaxBefore);
    if (n > std::numeric_limits<qint32>::max() && t == TimeValue(m_pAxis->m_vDataMax)) {
        const quint64 span = visMaxBefore - qMin(visMaxBefore, VisibleMin());
        m_pAxis->m_vVisibleMin = QVariant::fromValue<qulonglong>(t - qMin(span, t));
        m_pAxis->m_vVisibleMax = QVariant::fromValue<qulonglong>(t);
    } else {
        m_pAxis->ShiftTime(qint32(qBound(qint64(std::numeric_limits<qint32>::min()), n,
                                         qint64(std::numeric_limits<qint32>::max()))));
    }
    if (nSignal == 0 && m_pAxis->m_nFirstVisible != -1)
        ++m_pAxis->m_nFirstVisible;
}

void CQTimeDiagramBase::DrawXLabels(QPainter&, const QRect&) {}
void CQTimeDiagramBase::OnLayoutChanged() {}

bool CQTimeDiagramBase::IsXZoomed()
{
    QMutexLocker lock(&CDiagramAxis::Mutex());
    return VisibleMin() != TimeValue(m_pAxis->m_vDataMin)
        || VisibleMax() != TimeValue(m_pAxis->m_vDataMax);
}

bool CQTimeDiagramBase::IsYZoomed() { return false; }

void CQTimeDiagramBase::Pan(const QPoint&, int dx, int)
{
    if (dx == 0)
        return;
    QMutexLocker lock(&CDiagramAxis::Mutex());
    m_pAxis->ShiftTime(qint32(dx * 0.5));
    m_pAxis->m_nFirstVisible = -1;
}

void CQTimeDiagramBase::DragYAxis(const QPoint& press, int dy)
{
    const QRect& y = YAxis();
    if (y.height() <= 0)
        return;
    QMutexLocker lock(&CDiagramAxis::Mutex());
    const double u = (m_pAxis->m_dYVisibleMax - m_pAxis->m_dYVisibleMin) / y.height();
    if (press.y() < y.top() + y.height() / 2)
        m_pAxis->SetYVisibleMax(m_pAxis->m_dYVisibleMax + dy * u);
    else
        m_pAxis->SetYVisibleMin(m_pAxis->m_dYVisibleMin - dy * u);
}

void CQTimeDiagramBase::ShowPlotMenu(const QPoint&) {}

void CQTimeDiagramBase::DrawTimeLevelGrid(QPainter& painter)
{
    const QRect& r = Plot();
    const quint64 visMin = VisibleMin();
    const quint64 visMax = VisibleMax();
    QPen gridPen = m_gridPen;
    gridPen.setColor(CDiagramPalette::Grid(CDiagramPalette::Of(painter)));
    painter.setPen(gridPen);
    if (visMax > visMin && r.width() > 0) {
        const double p = double(r.width()) / double(visMax - visMin);
        const quint64 g = TimeStep(p);
        if (g > 0) {
            for (quint64 t = visMin + g; t < visMax; t += g) {
                const int x = int(r.left() + double(t - visMin) * p);
                painter.drawLine(x, r.top(), x, r.bottom());
            }
        }
    }
    const QRect& ya = YAxis();
    double dMin = 0, dMax = 0, q = 0;
    int k = 0;
    if (!LevelSpacing(dMin, dMax, q, k))
        return;
    for (double v = dMin + k; v < dMax; v += k) {
        const int y = int(ya.bottom() - (v - dMin) * q);
        painter.drawLine(r.left(), y, r.right(), y);
    }
}

bool CQTimeDiagramBase::LevelSpacing(double& dMin, double& dMax, double& q, int& k) const
{
    dMin = m_pAxis->m_dYVisibleMin;
    dMax = m_pAxis->m_dYVisibleMax;
    if (!(dMax > dMin))
        return false;
    q = YAxis().height() / (dMax - dMin);
    k = LevelStep(q);
    return k > 0;
}

void CQTimeDiagramBase::DrawLevelTicks(QPainter& painter)
{
    const QRect& ya = YAxis();
    double dMin = 0, dMax = 0, q = 0;
    int k = 0;
    if (!LevelSpacing(dMin, dMax, q, k))
        return;
    QPen tickPen = m_tickPen;
    tickPen.setColor(CDiagramPalette::Text(CDiagramPalette::Of(painter)));
    painter.setPen(tickPen);
    const int x = Plot().left();
    for (double v = dMin + k; v < dMax; v += k) {
        const int y = int(ya.bottom() - (v - dMin) * q);
        painter.drawLine(x, y, x + 2, y);
    }
}

void CQTimeDiagramBase::DrawLevelLabels(QPainter& painter)
{
    const QRect& ya = YAxis();
    double dMin = 0, dMax = 0, q = 0;
    int k = 0;
    if (!LevelSpacing(dMin, dMax, q, k))
        return;
    painter.setPen(CDiagramPalette::Text(CDiagramPalette::Of(painter)));
    painter.setFont(m_labelFont);
    const QString sUnit = tr("dB");
    for (double v = dMin + k; v < dMax; v += k) {
        const double y = ya.bottom() - (v - dMin) * q;
        const QRect box(ya.left(), int(y - k * q * 0.5), ya.width(), int(k * q));
        painter.drawText(box, Qt::AlignCenter,
                         QStringLiteral("%1 %2").arg(QString::number(v, 'f', 0), sUnit));
    }
}

bool CQTimeDiagramBase::YAxisToolTip(const QPoint& pt, QString& sText) const
{
    if (!YAxis().contains(pt))
        return false;
    const double dMin = m_pAxis->m_dYVisibleMin;
    const double dMax = m_pAxis->m_dYVisibleMax;
    sText = tr("Min = %1 dBm<br>Max = %2 dBm<br>Visible range = %3 dBm")
                .arg(QString::number(dMin, 'f', 2), QString::number(dMax, 'f', 2),
                     QString::number(dMax - dMin, 'f', 2));
    return true;
}

bool CQTimeDiagramBase::TimeAndLevelAt(const QPoint& pt, QList<QVariant>& values) const
{
    const QRect& r = Plot();
    if (!r.contains(pt) || r.width() <= 0 || r.height() <= 0)
        return false;
    const quint64 visMin = VisibleMin();
    const quint64 visMax = VisibleMax();
    const quint64 span = visMax > visMin ? visMax - visMin : 0;
    const quint64 t = visMin + quint64(pt.x() - r.left()) * span / quint64(r.width());
    const double dMin = m_pAxis->m_dYVisibleMin;
    const double dMax = m_pAxis->m_dYVisibleMax;
    const double v = dMax + (dMin - dMax) * (pt.y() - r.top()) / r.height();
    values = {QVariant::fromValue<qulonglong>(t), QVariant(v)};
    return true;
}

bool CQTimeDiagramBase::LevelToolTip(const QPoint& pt, const QList<CDiagramSignal*>& areaSignals,
                                     QString& sText)
{
    if (YAxisToolTip(pt, sText))
        return true;
    QList<QVariant> values;
    if (!GetValuesAt(false, pt, areaSignals, values) || values.size() < 2)
        return false;
    const QDateTime when = QDateTime::fromSecsSinceEpoch(qint64(values[0].toULongLong()));
    sText = tr("Date/Time: %1<br>Level: %2 dBm")
                .arg(when.toString(QStringLiteral("dd.MM hh:mm:ss")),
                     QString::number(values[1].toDouble(), 'f', 2));
    return true;
}

QMenu* CQTimeDiagramBase::CreateYRangeMenu(bool bAllEntries, QWidget* pParent)
{
    auto* pMenu = new QMenu(pParent);
    const QString sUnit = tr("dBm");
    const double dFullMin = m_pAxis->m_dYFullMin;
    const double dFullMax = m_pAxis->m_dYFullMax;
    if (!std::isfinite(dFullMin) || !std::isfinite(dFullMax))
        return pMenu;
    // Capped: a menu with thousands of entries is of no use to anybody.
    int nEntries = 0;
    for (qint64 v = qint64(dFullMin + 10); v <= dFullMax && nEntries < 200; v += 10, ++nEntries) {
        if (!bAllEntries && std::llabs(v) <= m_pAxis->m_nMinSpan)
            continue;
        QAction* pAction = pMenu->addAction(QStringLiteral("0 - %1 %2").arg(v).arg(sUnit));
        pAction->setObjectName(QString::number(v));
        connect(pAction, SIGNAL(triggered()), this, SLOT(OnYMenuAction()));
    }
    return pMenu;
}

void CQTimeDiagramBase::RunYRangeMenu(bool bAllEntries, const QPoint& globalPos)
{
    QMenu* pMenu = CreateYRangeMenu(bAllEntries, nullptr);
    pMenu->exec(globalPos);
    delete pMenu;
}

void CQTimeDiagramBase::ApplyYRangeEntry(QObject* pEntry)
{
    if (!pEntry)
        return;
    bool bOk = false;
    const double v = pEntry->objectName().toDouble(&bOk);
    if (!bOk || v == 0.0)
        return;
    QMutexLocker lock(&CDiagramAxis::Mutex());
    m_pAxis->SetYVisibleMin(0.0);
    m_pAxis->SetYVisibleMax(v);
}
