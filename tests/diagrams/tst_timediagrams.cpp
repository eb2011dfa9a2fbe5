#include "qdiagramwidget.h"
#include "qtimediagrambase.h"
#include "qtimelevelrectsdiagram.h"
#include "qtimelinesdiagram.h"
#include "qtimerectsdiagram.h"
#include "timecolumnreducer.h"
#include "diagrampalette.h"
#include "widgetpicture.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QSet>
#include <QTemporaryDir>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

namespace {

QVariant Secs(quint64 v) { return QVariant::fromValue<qulonglong>(v); }
constexpr quint64 kT0 = 1700000000;

// The realtime view's layout: level area on top, 100-pixel lanes below.
void MakeRealtime(CQDiagramWidget& w, DiagramType eUpper)
{
    w.SetAreas({CDiagramAreaSpec(eUpper, 0, 1.0), CDiagramAreaSpec(DT_TimeRects, 100, 0.0)});
    w.SetXAxisType(0);
    w.SetYRange(0, 60, 1);
    w.SetXRange(Secs(kT0), Secs(kT0 + 600), 1.0, true);
}

template <class T>
T* DiagramOf(CQDiagramWidget& w, int nArea)
{
    return dynamic_cast<T*>(w.Area(nArea)->m_pDiagram);
}

QStringList EntryNames(QMenu* pMenu)
{
    QStringList names;
    for (QAction* pAction : pMenu->actions())
        names << pAction->objectName();
    return names;
}

void SendMouse(QWidget& w, QEvent::Type eType, QPoint pt, Qt::MouseButton eButton,
               Qt::MouseButtons buttons)
{
    QMouseEvent e(eType, QPointF(pt), QPointF(w.mapToGlobal(pt)), eButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
}

} // namespace

class TestTimeDiagrams : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void layoutOfRealtimeAreas();
    void labelAndLevelSpacing();
    void autoScrollFollowsNewestSample();
    void linesKeepPeaksAndWindowEnds();
    void reductionFollowsChanges();
    void reductionMatchesEverySample();
    void sampleLimitKeepsNewest();
    void levelBarsMergeColumns();
    void lanesTooltipAndRuns();
    void rangeMenus();
    void mouseDragAndWheel();
    void firstSampleFarFromThePcClockRestartsTheWindow();
    void autoScrollBackOnShowsTheNewestSample();
    void degenerateCasesDoNotCrash();
    void paintsFinishedPicture();
    void shortEventsStayVisible();
    void minimumSizeKeepsTheLevelPlot();
    void cursorBoxFitsItsTextAndTheWidget();
    void picturesAndDarkPalette();
    void pictureTitleGivesTheDataSpanAndALegend();
    void opaquePaintCoversEveryPixel();
};

void TestTimeDiagrams::layoutOfRealtimeAreas()
{
    CQDiagramWidget w;
    MakeRealtime(w, DT_TimeLines);
    w.resize(400, 200);
    w.update();
    QCOMPARE(w.XLabelStrip(), QRect(32, 178, 368, 15));
    QCOMPARE(w.OverviewBar(), QRect(32, 194, 367, 5));
    QCOMPARE(w.Area(0)->PlotRect(), QRect(32, 0, 368, 68));
    QCOMPARE(w.Area(0)->YAxisRect(), QRect(0, 0, 32, 68));
    QCOMPARE(w.Area(1)->PlotRect(), QRect(32, 73, 368, 100));

    // Squeezed below the fixed heights: empty areas, never negative ones.
    w.resize(20, 30);
    w.update();
    QVERIFY(w.Area(0)->PlotRect().height() >= 0);
    QVERIFY(w.Area(0)->PlotRect().width() >= 0);
}

void TestTimeDiagrams::labelAndLevelSpacing()
{
    // 600 s on 600 pixels: a label every 128 s; 0..60 dB on 100 pixels: every 15 dB.
    QCOMPARE(CQTimeDiagramBase::TimeStep(1.0), quint64(128));
    QCOMPARE(CQTimeDiagramBase::TimeStep(70.0), quint64(1));
    QCOMPARE(CQTimeDiagramBase::TimeStep(1200.0 / 86400.0), quint64(8192)); // a day on 1200 px
    QCOMPARE(CQTimeDiagramBase::LevelStep(100.0 / 60.0), 15);
    QCOMPARE(CQTimeDiagramBase::LevelStep(4.0), 5);
    // Huge Y windows are answered at once, not by millions of 5 dB steps.
    QCOMPARE(CQTimeDiagramBase::LevelStep(1e-7), 200000000);
    QCOMPARE(CQTimeDiagramBase::LevelStep(1e-12), 0);
    QCOMPARE(CQTimeDiagramBase::TimeStep(0.0), quint64(0));
    QCOMPARE(CQTimeDiagramBase::LevelStep(-1.0), 0);
    // Wheel zooming leaves doubles in the axis; they still read as whole seconds.
    QCOMPARE(CQTimeDiagramBase::TimeValue(QVariant(1700000000.4)), quint64(1700000000));
    QCOMPARE(CQTimeDiagramBase::TimeValue(QVariant(-5.0)), quint64(0));
}

void TestTimeDiagrams::autoScrollFollowsNewestSample()
{
    CQDiagramWidget w;
    MakeRealtime(w, DT_TimeLines);
    w.AddSignal(0, "L", QPen(Qt::blue), 0, true);
    const CDiagramAxis& a = w.Axis();
    for (quint64 i = 0; i <= 600; ++i)
        w.AddSample(0, 0, Secs(kT0 + i), 10.0, 1);
    QCOMPARE(a.m_vVisibleMin.toULongLong(), kT0);
    QCOMPARE(a.m_vVisibleMax.toULongLong(), kT0 + 600);
    for (quint64 i = 601; i <= 610; ++i) {
        w.AddSample(0, 0, Secs(kT0 + i), 10.0, 1);
        QCOMPARE(a.m_vVisibleMax.toULongLong(), kT0 + i);
        QCOMPARE(a.m_vVisibleMin.toULongLong(), kT0 + i - 600);
    }
    // Earlier than the data range: dropped.
    w.AddSample(0, 0, Secs(kT0 - 1), 10.0, 1);
    QCOMPARE(w.Signal(0, 0)->m_samples.size(), size_t(611));

    // Without auto-scroll the data range grows but the window stays.
    w.SetAutoScroll(false);
    w.AddSample(0, 0, Secs(kT0 + 700), 10.0, 1);
    QCOMPARE(a.m_vDataMax.toULongLong(), kT0 + 700);
    QCOMPARE(a.m_vVisibleMax.toULongLong(), kT0 + 610);

    // A sample decades ahead (damaged file) moves the window forward, not back.
    w.SetAutoScroll(true);
    w.AddSample(0, 0, Secs(kT0 + 5000000000ull), 10.0, 1);
    QCOMPARE(a.m_vVisibleMax.toULongLong(), kT0 + 5000000000ull);
    QCOMPARE(a.m_vVisibleMin.toULongLong(), kT0 + 5000000000ull - 600);

    // ClearAll(true) keeps the signal and starts a fresh window at the present.
    QCOMPARE(w.ClearAll(true), 2);
    QCOMPARE(w.Area(0)->m_signals.size(), 1);
    QVERIFY(w.Signal(0, 0)->m_samples.empty());
    QVERIFY(a.m_vVisibleMin.toULongLong() >= quint64(QDateTime::currentSecsSinceEpoch()) - 5);
}

void TestTimeDiagrams::linesKeepPeaksAndWindowEnds()
{
    CQDiagramWidget w;
    MakeRealtime(w, DT_TimeLines);
    w.resize(132, 300); // a 100-pixel plot: 6 s per column
    w.update();
    w.AddSignal(0, "L", QPen(Qt::blue), 0, true);
    w.SetAutoScroll(false);
    for (quint64 i = 0; i < 600; ++i)
        for (int k = 0; k < 10; ++k)
            w.AddSample(0, 0, Secs(kT0 + i), (i == 301 && k == 3) ? 55.0 : 10.0, 1);
    auto* pLines = DiagramOf<CQTimeLinesDiagram>(w, 0);
    QVERIFY(pLines);
    const QRect plot = w.Area(0)->PlotRect();
    const QPolygon pts = pLines->SignalPolyline(*w.Signal(0, 0));
    const int yPeak = plot.top() + int(plot.height() * (60.0 - 55.0) / 60.0);
    const int yFlat = plot.top() + int(plot.height() * (60.0 - 10.0) / 60.0);
    bool bPeak = false;
    QMap<int, int> perColumn;
    for (const QPoint& p : pts) {
        bPeak |= p.y() == yPeak;
        ++perColumn[p.x()];
        QVERIFY(p.x() >= plot.left() && p.x() <= plot.right() + 1);
    }
    QVERIFY2(bPeak, "a one-sample peak among 60 samples of its column must be drawn");
    QCOMPARE(pts.first().y(), yFlat);
    for (int n : perColumn)
        QVERIFY(n <= 4);

    // A sample at the window's end is drawn, one a second later is not.
    w.SetXVisible(Secs(kT0), Secs(kT0 + 300));
    const QPolygon part = pLines->SignalPolyline(*w.Signal(0, 0));
    QCOMPARE(part.last().x(), plot.left() + plot.width());
    bool bLaterPeak = false;
    for (const QPoint& p : part)
        bLaterPeak |= p.y() == yPeak;
    QVERIFY(!bLaterPeak);

    // All samples left of the window: nothing.
    w.SetXRange(Secs(kT0), Secs(kT0 + 5000), 1.0, false);
    w.SetXVisible(Secs(kT0 + 1000), Secs(kT0 + 1600));
    QVERIFY(pLines->SignalPolyline(*w.Signal(0, 0)).isEmpty());
}

void TestTimeDiagrams::reductionFollowsChanges()
{
    // The kept reduction must always equal a fresh one: after appends inside and
    // past the window, and after the list was rewritten in place.
    auto same = [](const std::vector<CTimeColumnReducer::Column>& a,
                   const std::vector<CTimeColumnReducer::Column>& b) {
        if (a.size() != b.size())
            return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (a[i].bUsed != b[i].bUsed || (a[i].bUsed && (a[i].dMin != b[i].dMin || a[i].dMax != b[i].dMax
                                                            || a[i].dFirst != b[i].dFirst || a[i].dLast != b[i].dLast
                                                            || a[i].nFirst != b[i].nFirst)))
                return false;
        return true;
    };
    CDiagramSampleList list;
    for (int i = 0; i < 1000; ++i)
        list.emplace_back(double(kT0 + quint64(i / 3)), CDiagramSample::XK_UInt64, double(i % 17), 1);
    CTimeColumnReducer kept;
    std::vector<CTimeColumnReducer::Column> a, b;
    const quint64 visMin = kT0, visMax = kT0 + 400;
    kept.Reduce(list, 0, visMin, visMax, 97, a);
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 200; ++i)
            list.emplace_back(double(kT0 + 333 + quint64(round * 40 + i / 5)), CDiagramSample::XK_UInt64,
                              double((i * 7) % 23) + round, 1);
        kept.Reduce(list, 0, visMin, visMax, 97, a);
        CTimeColumnReducer fresh;
        fresh.Reduce(list, 0, visMin, visMax, 97, b);
        QVERIFY(same(a, b));
    }
    CDiagramSampleList rewritten;
    for (size_t i = 0; i < list.size(); ++i)
        rewritten.emplace_back(list.XValue(i), CDiagramSample::XK_UInt64, 50.0, 1);
    list = rewritten;
    kept.Reduce(list, 0, visMin, visMax, 97, a);
    CTimeColumnReducer fresh;
    fresh.Reduce(list, 0, visMin, visMax, 97, b);
    QVERIFY(same(a, b));
    QCOMPARE(a[10].dMax, 50.0);
}

namespace {

// The reduction by the rule itself, one sample at a time.
std::vector<CTimeColumnReducer::Column> ReduceSlowly(const CDiagramSampleList& s, qsizetype nStart,
                                                     quint64 visMin, quint64 visMax, int nWidth)
{
    std::vector<CTimeColumnReducer::Column> out(size_t(nWidth) + 1);
    for (size_t i = size_t(nStart); i < s.size() && s.XValue(i) <= double(visMax); ++i) {
        const quint64 t = qMax(s[i].XSeconds(), visMin);
        CTimeColumnReducer::Column& col = out[size_t(qMin<quint64>((t - visMin) * quint64(nWidth) / (visMax - visMin),
                                                                   quint64(nWidth)))];
        const double y = s.YValue(i);
        const double dEnd = s.XValue(i) + qMax(0, s.Tag(i));
        if (!col.bUsed) {
            col.bUsed = true;
            col.dFirst = col.dMin = col.dMax = y;
            col.dEnd = dEnd;
            col.nFirst = qsizetype(i);
        }
        col.dMin = qMin(col.dMin, y);
        col.dMax = qMax(col.dMax, y);
        col.dEnd = qMax(col.dEnd, dEnd);
        col.dLast = y;
    }
    return out;
}

bool SameColumns(const std::vector<CTimeColumnReducer::Column>& a, const std::vector<CTimeColumnReducer::Column>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].bUsed != b[i].bUsed
            || (a[i].bUsed
                && (a[i].dMin != b[i].dMin || a[i].dMax != b[i].dMax || a[i].dFirst != b[i].dFirst
                    || a[i].dLast != b[i].dLast || a[i].dEnd != b[i].dEnd || a[i].nFirst != b[i].nFirst)))
            return false;
    return true;
}

} // namespace

void TestTimeDiagrams::reductionMatchesEverySample()
{
    // Irregular gaps and bursts put block and group edges anywhere in a column;
    // wide columns are taken through the groups, narrow ones through samples.
    QRandomGenerator rng(5);
    CDiagramSampleList list;
    quint64 t = kT0;
    auto append = [&](int n) {
        for (int i = 0; i < n; ++i) {
            t += rng.bounded(20) == 0 ? rng.bounded(200) : (rng.bounded(3) == 0 ? 1 : 0);
            list.emplace_back(double(t), CDiagramSample::XK_UInt64, double(rng.bounded(120)) / 2,
                              rng.bounded(50) == 0 ? 30 : 1);
        }
    };
    append(30000);
    CTimeColumnReducer kept;
    std::vector<CTimeColumnReducer::Column> got;
    for (int round = 0; round < 4; ++round) {
        const quint64 first = list.front().XSeconds();
        const quint64 last = list.back().XSeconds();
        const struct { quint64 visMin, visMax; int nWidth; } views[] = {
            {first, last, 1200}, {first, last, 7}, {first, last, 40}, {first + (last - first) / 3, last - 100, 333},
            {last - 600, last, 1200}, {first + 1, first + 400, 50}};
        for (const auto& v : views) {
            const qsizetype nStart = CDiagramAxis::FindTime(list, v.visMin);
            kept.Reduce(list, nStart, v.visMin, v.visMax, v.nWidth, got);
            QVERIFY2(SameColumns(got, ReduceSlowly(list, nStart, v.visMin, v.visMax, v.nWidth)),
                     qPrintable(QStringLiteral("round %1, width %2").arg(round).arg(v.nWidth)));
        }
        // New samples, then the oldest chunks dropped as a bounded diagram does:
        // the kept summaries must follow both.
        append(5000 + round * 777);
        list.DropOldest(list.size() - CDiagramSampleList::kChunk * size_t(round % 2 + 1) + 1);
    }
}

void TestTimeDiagrams::sampleLimitKeepsNewest()
{
    CQDiagramWidget w;
    w.resize(800, 400);
    MakeRealtime(w, DT_TimeLines);
    w.AddSignal(0, QStringLiteral("Level"), QPen(Qt::blue), 0, true);
    w.AddSignal(1, QStringLiteral("DECT"), QPen(Qt::darkGreen), 0, true);
    w.SetSampleLimit(10000);
    for (quint64 i = 0; i < 30000; ++i) {
        w.AddSample(0, 0, QVariant::fromValue<qulonglong>(kT0 + i / 15), double(i % 60), 1);
        w.AddSample(1, 0, QVariant::fromValue<qulonglong>(kT0 + i / 15), 1.0, 1);
    }
    for (int a = 0; a < 2; ++a) {
        const CDiagramSampleList& s = w.Signal(a, 0)->m_samples;
        QVERIFY(s.size() <= 10000);
        QVERIFY(s.size() > 10000 - CDiagramSampleList::kChunk);
        QCOMPARE(s.back().XSeconds(), kT0 + 29999 / 15);
        QCOMPARE(s.back().YValue(), a == 0 ? double(29999 % 60) : 1.0);
    }
    // The time range moves up with the kept samples as far as the ten-minute
    // window allows, which still ends at the newest.
    const quint64 tOldest = w.Signal(0, 0)->m_samples.front().XSeconds();
    const quint64 dataMin = w.Axis().m_vDataMin.toULongLong();
    QVERIFY(dataMin > kT0 && dataMin <= tOldest);
    QCOMPARE(w.Axis().m_vVisibleMax.toULongLong(), kT0 + 29999 / 15);
    QCOMPARE(w.Axis().m_vVisibleMax.toULongLong() - w.Axis().m_vVisibleMin.toULongLong(), quint64(600));
    QImage image(w.size(), QImage::Format_ARGB32_Premultiplied);
    w.render(&image);
    QVERIFY(!w.Signal(1, 0)->m_drawnRects.isEmpty());

    // A window left behind in dropped time moves up to the kept data, keeping its width.
    w.SetAutoScroll(false);
    w.SetXVisible(QVariant::fromValue<qulonglong>(dataMin), QVariant::fromValue<qulonglong>(dataMin + 300));
    for (quint64 i = 30000; i < 35000; ++i)
        w.AddSample(0, 0, QVariant::fromValue<qulonglong>(kT0 + i / 15), 1.0, 1);
    QVERIFY(w.Axis().m_vDataMin.toULongLong() > tOldest);
    QCOMPARE(w.Axis().m_vVisibleMin, w.Axis().m_vDataMin);
    QCOMPARE(w.Axis().m_vVisibleMax.toULongLong(), w.Axis().m_vDataMin.toULongLong() + 300);
}

void TestTimeDiagrams::levelBarsMergeColumns()
{
    CQDiagramWidget w;
    MakeRealtime(w, DT_TimeLevelRects);
    w.resize(632, 300); // 600-pixel plot, 1 s per column
    w.update();
    w.AddSignal(0, "Level", QPen(Qt::red), 0, true);
    w.AddSignal(0, "Threshold", QPen(Qt::red, 1, Qt::DashDotLine), 1, true);
    for (quint64 i = 0; i < 600; ++i) {
        for (int k = 0; k < 40; ++k)
            w.AddSample(0, 0, Secs(kT0 + i), (i % 10 == 0 && k == 39) ? 50.0 : 20.0, 1);
        w.AddSample(0, 1, Secs(kT0 + i), i < 300 ? 30.0 : 35.0, 1);
    }
    auto* pBars = DiagramOf<CQTimeLevelRectsDiagram>(w, 0);
    QVERIFY(pBars);
    const QRect plot = w.Area(0)->PlotRect();

    const auto bars = pBars->SignalShapes(*w.Signal(0, 0));
    // Translucent fills never overlap: each pixel is blended once per signal.
    QRegion covered;
    int nArea = 0;
    for (const QRect& r : bars.fills) {
        QVERIFY(!covered.intersects(r));
        covered += r;
        nArea += r.width() * r.height();
    }
    QVERIFY(bars.fills.size() < 200);
    // The highest level of a column sets its bar: the 50 dB samples stand out.
    const int y50 = plot.top() + int(plot.height() * 10.0 / 60.0);
    QVERIFY(covered.contains(QPoint(plot.left() + 100, y50 + 1)));
    QVERIFY(!covered.contains(QPoint(plot.left() + 105, y50 + 1)));

    // A level line per distinct level across the whole plot.
    const auto lines = pBars->SignalShapes(*w.Signal(0, 1));
    QCOMPARE(lines.lines.size(), 2);
    QCOMPARE(lines.lines[0].x1(), plot.left());
    QCOMPARE(lines.lines[0].x2(), plot.right());
    QVERIFY(lines.fills.isEmpty());
}

void TestTimeDiagrams::lanesTooltipAndRuns()
{
    CQDiagramWidget w;
    MakeRealtime(w, DT_TimeLines);
    w.resize(632, 300);
    w.update();
    w.AddSignal(1, "DECT", QPen(Qt::darkGreen), 0, true);
    w.AddSignal(1, "GSM", QPen(Qt::blue), 0, true);
    for (quint64 i = 100; i < 110; ++i)
        w.AddSample(1, 0, Secs(kT0 + i), 1.0, 1);
    w.AddSample(1, 0, Secs(kT0 + 200), 1.0, 30);
    w.AddSample(1, 1, Secs(kT0 + 300), 1.0, 1);
    auto* pLanes = DiagramOf<CQTimeRectsDiagram>(w, 1);
    QVERIFY(pLanes);
    QList<CDiagramSignal*> visible = w.Area(1)->m_signals;
    pLanes->LayoutLanes(visible);
    const CDiagramSignal* pDect = w.Signal(1, 0);
    QCOMPARE(pDect->m_drawnRects.size(), 11);
    // The first signal is the top lane.
    QVERIFY(pDect->m_drawnRects[0].rect.top() < w.Signal(1, 1)->m_drawnRects[0].rect.top());

    QString sText;
    const QPoint inRun = pDect->m_drawnRects[4].rect.center();
    QVERIFY(pLanes->GetToolTip(false, inRun, visible, sText));
    // Ten adjacent one-second samples are one presence of ten seconds.
    QVERIFY2(sText.contains("Duration: 00:00:10"), qPrintable(sText));
    QVERIFY(sText.contains(QDateTime::fromSecsSinceEpoch(qint64(kT0 + 104)).toString("dd.MM hh:mm:ss")));
    QVERIFY(pLanes->GetToolTip(false, pDect->m_drawnRects[10].rect.center(), visible, sText));
    QVERIFY2(sText.contains("Duration: 00:00:30"), qPrintable(sText));

    // Samples gone since the last paint: no tooltip, no crash.
    w.Signal(1, 0)->m_samples.clear();
    QVERIFY(!pLanes->GetToolTip(false, inRun, visible, sText));

    // Hidden lanes are neither laid out nor hit.
    w.SetSignalVisible(1, 1, false);
    QVERIFY(!pLanes->GetToolTip(false, QPoint(40, 250), w.Area(1)->m_signals, sText));
}

void TestTimeDiagrams::rangeMenus()
{
    CQDiagramWidget w;
    MakeRealtime(w, DT_TimeLines);
    std::unique_ptr<QMenu> pLinesMenu(DiagramOf<CQTimeLinesDiagram>(w, 0)->CreateYRangeMenu(false, nullptr));
    QCOMPARE(EntryNames(pLinesMenu.get()), QStringList({"30", "40", "50", "60"}));
    QCOMPARE(pLinesMenu->actions().at(1)->text(), QStringLiteral("0 - 40 dBm"));
    w.SetYVisible(20, 50, false);
    pLinesMenu->actions().at(1)->trigger();
    QCOMPARE(w.Axis().m_dYVisibleMin, 0.0);
    QCOMPARE(w.Axis().m_dYVisibleMax, 40.0);

    w.SetDiagramType(0, DT_TimeLevelRects);
    std::unique_ptr<QMenu> pBarsMenu(
        DiagramOf<CQTimeLevelRectsDiagram>(w, 0)->CreateYRangeMenu(true, nullptr));
    QCOMPARE(EntryNames(pBarsMenu.get()), QStringList({"10", "20", "30", "40", "50", "60"}));
    // 0..10 is narrower than the minimum span: refused, the view stays.
    pBarsMenu->actions().at(0)->trigger();
    QCOMPARE(w.Axis().m_dYVisibleMax, 40.0);

    // X range: eight entries; 3 minutes narrows the initial ten-minute window.
    std::unique_ptr<QMenu> pXMenu(w.CreateXRangeMenu(nullptr));
    QCOMPARE(EntryNames(pXMenu.get()),
             QStringList({"3", "10", "20", "30", "60", "120", "180", "360"}));
    const quint64 dataMin = w.Axis().m_vDataMin.toULongLong();
    pXMenu->actions().at(0)->trigger();
    QCOMPARE(w.Axis().m_vVisibleMin.toULongLong(), dataMin);
    QCOMPARE(w.Axis().m_vVisibleMax.toULongLong(), dataMin + 180);
    QCOMPARE(w.Axis().m_vDataMax.toULongLong(), dataMin + 600);
    // A data range shorter than the choice is extended to it.
    w.SetXRange(Secs(kT0), Secs(kT0 + 100), 1.0, true);
    pXMenu->actions().at(0)->trigger();
    QCOMPARE(w.Axis().m_vDataMax.toULongLong(), kT0 + 180);
    QCOMPARE(w.Axis().m_vVisibleMax.toULongLong(), kT0 + 180);
}

void TestTimeDiagrams::mouseDragAndWheel()
{
    CQDiagramWidget w;
    MakeRealtime(w, DT_TimeLines);
    w.resize(632, 300);
    w.update();
    w.SetXRange(Secs(kT0), Secs(kT0 + 3600), 1.0, false);
    w.SetXVisible(Secs(kT0 + 1000), Secs(kT0 + 1600));
    QSignalSpy spy(&w, &CQDiagramWidget::autoScrollToggle);

    // Dragging the plot 20 pixels left moves the window 10 s later.
    SendMouse(w, QEvent::MouseButtonPress, QPoint(300, 50), Qt::LeftButton, Qt::LeftButton);
    SendMouse(w, QEvent::MouseMove, QPoint(280, 50), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(w.Axis().m_vVisibleMin.toULongLong(), kT0 + 1010);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toBool(), false);
    QVERIFY(!w.IsAutoScroll());
    SendMouse(w, QEvent::MouseMove, QPoint(260, 50), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    SendMouse(w, QEvent::MouseButtonRelease, QPoint(260, 50), Qt::LeftButton, Qt::NoButton);

    // Wheel over the plot: a notch away from the user narrows a one-hour
    // range by 12 s on each side, one towards the user widens it again.
    QWheelEvent wheel(QPointF(300, 50), QPointF(w.mapToGlobal(QPoint(300, 50))), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&w, &wheel);
    QCOMPARE(w.Axis().m_vVisibleMin.toULongLong(), kT0 + 1020 + 12);
    QCOMPARE(w.Axis().m_vVisibleMax.toULongLong(), kT0 + 1620 - 12);
    QWheelEvent out(QPointF(300, 50), QPointF(w.mapToGlobal(QPoint(300, 50))), QPoint(),
                    QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&w, &out);
    QCOMPARE(w.Axis().m_vVisibleMin.toULongLong(), kT0 + 1020);
    QCOMPARE(w.Axis().m_vVisibleMax.toULongLong(), kT0 + 1620);

    // Numeric axis: a window 100 wide or less is not narrowed further.
    w.SetXAxisType(5);
    w.SetXRange(0.0, 5120.0, 1.0, false);
    w.SetXVisible(1000.0, 1100.0);
    QWheelEvent in(QPointF(300, 50), QPointF(w.mapToGlobal(QPoint(300, 50))), QPoint(),
                   QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&w, &in);
    QCOMPARE(w.Axis().m_vVisibleMin.toDouble(), 1000.0);
    QCOMPARE(w.Axis().m_vVisibleMax.toDouble(), 1100.0);
    QString sText;
    QVERIFY(!w.ToolTipText(QPoint(300, w.XLabelStrip().center().y()), false, sText));
}

void TestTimeDiagrams::firstSampleFarFromThePcClockRestartsTheWindow()
{
    const quint64 now = quint64(QDateTime::currentSecsSinceEpoch());
    // Three months behind, an hour ahead: the first sample places the window,
    // the following ones fill it from the left.
    for (const quint64 t : {now - 90 * 86400, now + 3600}) {
        CQDiagramWidget w;
        w.SetAreas({CDiagramAreaSpec(DT_TimeLines, 0, 1.0), CDiagramAreaSpec(DT_TimeRects, 100, 0.0)});
        w.AddSignal(0, "Level", QPen(Qt::blue), 0, true);
        w.AddSignal(1, "Lane", QPen(Qt::red), 0, true);
        w.AddSample(0, 0, Secs(t), 20.0, 1);
        w.AddSample(1, 0, Secs(t), 1.0, 1);
        w.AddSample(0, 0, Secs(t + 1), 21.0, 1);
        QCOMPARE(int(w.Signal(0, 0)->m_samples.size()), 2);
        QCOMPARE(int(w.Signal(1, 0)->m_samples.size()), 1);
        QCOMPARE(w.Axis().m_vDataMin.toULongLong(), t);
        QCOMPARE(w.Axis().m_vVisibleMin.toULongLong(), t);
        QCOMPARE(w.Axis().m_vVisibleMax.toULongLong(), t + 600);

        // Cleared, the area starts at the PC's clock again and waits for the
        // next first sample.
        w.ClearAll(true);
        w.AddSample(0, 0, Secs(t + 5), 22.0, 1);
        QCOMPARE(int(w.Signal(0, 0)->m_samples.size()), 1);
        QCOMPARE(w.Axis().m_vDataMin.toULongLong(), t + 5);
    }

    // Inside the starting window nothing moves; a range the owner set (a file
    // shown in full) is kept, and what lies before it is still dropped.
    CQDiagramWidget w;
    w.AddSignal(0, "Level", QPen(Qt::blue), 0, true);
    const quint64 start = w.Axis().m_vDataMin.toULongLong();
    w.AddSample(0, 0, Secs(start + 10), 20.0, 1);
    QCOMPARE(w.Axis().m_vDataMin.toULongLong(), start);
    w.SetXRange(Secs(kT0), Secs(kT0 + 600), 1.0, true);
    w.ClearAll(true);
    w.SetXRange(Secs(kT0), Secs(kT0 + 600), 1.0, true);
    w.AddSample(0, 0, Secs(kT0 - 100), 20.0, 1);
    QCOMPARE(int(w.Signal(0, 0)->m_samples.size()), 0);
}

void TestTimeDiagrams::autoScrollBackOnShowsTheNewestSample()
{
    CQDiagramWidget w;
    MakeRealtime(w, DT_TimeLines);
    w.AddSignal(0, "Level", QPen(Qt::blue), 0, true);
    w.SetAutoScroll(false);
    for (quint64 t = kT0; t <= kT0 + 1800; t += 10)
        w.AddSample(0, 0, Secs(t), 20.0, 1);
    // Left behind where the user panned to.
    QCOMPARE(w.Axis().m_vVisibleMax.toULongLong(), kT0 + 600);
    w.SetAutoScroll(true);
    QCOMPARE(w.Axis().m_vVisibleMin.toULongLong(), kT0 + 1200);
    QCOMPARE(w.Axis().m_vVisibleMax.toULongLong(), kT0 + 1800);
    w.AddSample(0, 0, Secs(kT0 + 1801), 20.0, 1);
    QCOMPARE(w.Axis().m_vVisibleMax.toULongLong(), kT0 + 1801);
}

void TestTimeDiagrams::degenerateCasesDoNotCrash()
{
    for (DiagramType eUpper : {DT_TimeLines, DT_TimeLevelRects}) {
        CQDiagramWidget w;
        MakeRealtime(w, eUpper);
        w.AddSignal(0, "Empty", QPen(Qt::blue), 0, true);
        w.AddSignal(0, "Hidden", QPen(Qt::red), 1, false);
        w.AddSignal(1, "Lane", QPen(Qt::red), 0, true);
        w.AddSample(0, 1, Secs(kT0 + 5), 20.0, 1);
        w.AddSample(1, 0, Secs(kT0 + 5), 1.0, 1);
        QImage image(640, 300, QImage::Format_ARGB32_Premultiplied);
        QString sText;
        QList<QVariant> values;
        const QList<QSize> sizes = {QSize(640, 300), QSize(40, 128), QSize(33, 112), QSize(0, 0)};
        for (const QSize& size : sizes) {
            w.resize(size);
            w.update();
            // Zero-width window, zero-height Y window, zero-width data range
            // (every sample at one time), and the normal case.
            for (int nCase = 0; nCase < 4; ++nCase) {
                if (nCase == 0)
                    w.SetXVisible(Secs(kT0 + 5), Secs(kT0 + 5));
                else if (nCase == 1)
                    w.SetYRange(30, 30, 1);
                else if (nCase == 2)
                    w.SetXRange(Secs(kT0 + 5), Secs(kT0 + 5), 1.0, true);
                else
                    w.SetYRange(0, 60, 1);
                w.render(&image);
                for (const QPoint& pt : {QPoint(0, 0), QPoint(10, 10), QPoint(33, 1), QPoint(100, 100),
                                          QPoint(size.width() - 1, size.height() - 1)}) {
                    w.ToolTipText(pt, false, sText);
                    w.GetAreaValuesAt(false, pt, values);
                }
            }
            w.SetXRange(Secs(kT0), Secs(kT0 + 600), 1.0, true);
        }
    }
    // Lanes without visible signals: neither separators nor labels, and no division.
    CQDiagramWidget lanes;
    lanes.SetAreas({CDiagramAreaSpec(DT_TimeRects, 0, 1.0)});
    lanes.resize(300, 100);
    lanes.update();
    QImage image(300, 100, QImage::Format_ARGB32_Premultiplied);
    lanes.render(&image);
}

void TestTimeDiagrams::paintsFinishedPicture()
{
    CQDiagramWidget w;
    MakeRealtime(w, DT_TimeLines);
    w.resize(900, 420);
    w.update();
    const QColor colours[4] = {Qt::blue, Qt::red, Qt::darkBlue, Qt::darkRed};
    const char* names[4] = {"B1 DC", "B1 AC", "B2 DC", "B2 AC"};
    for (int s = 0; s < 4; ++s)
        w.AddSignal(0, names[s], QPen(colours[s]), 0, true);
    w.AddSignal(0, "B1 DC Thres.", QPen(QBrush(Qt::blue), 1.0, Qt::DashDotLine), 1, true);
    const char* lanes[3] = {"DECT", "GSM", "WLAN"};
    const QColor laneColours[3] = {Qt::darkGreen, Qt::blue, Qt::red};
    for (int s = 0; s < 3; ++s)
        w.AddSignal(1, lanes[s], QPen(laneColours[s]), 0, true);
    for (quint64 i = 0; i < 900; ++i) {
        for (int s = 0; s < 4; ++s)
            w.AddSample(0, s, Secs(kT0 + i), 12 + 8 * s + 6 * std::sin(double(i) / (20 + 7 * s)) + (i % 97 == 0 ? 15 : 0), 1);
        w.AddSample(0, 4, Secs(kT0 + i), 40.0, 1);
        for (int s = 0; s < 3; ++s)
            if (((i + 120 * s) / 90) % 2 == 0)
                w.AddSample(1, s, Secs(kT0 + i), 20 + s, 1);
    }
    // The ten-minute window has scrolled to the newest sample.
    QCOMPARE(w.Axis().m_vVisibleMax.toULongLong(), kT0 + 899);

    QWidget top;
    w.setParent(&top);
    top.resize(900, 420);
    top.show();
    QCursor::setPos(w.mapToGlobal(QPoint(500, 150)));
    QImage image(w.size(), QImage::Format_ARGB32_Premultiplied);
    w.render(&image);
    if (w.mapFromGlobal(QCursor::pos()) == QPoint(500, 150)) {
        // The box holds its longest line, inside the plot's corner and the widget.
        const QRect box = w.CursorValuesBox();
        QVERIFY(w.rect().contains(box));
        QVERIFY(box.right() <= w.Area(0)->PlotRect().right());
        QVERIFY(!box.contains(QPoint(500, 150)));
        QFont lineFont(QStringLiteral("Arial"), 8);
        QVERIFY(box.width() > QFontMetrics(lineFont).horizontalAdvance("B1 DC Thres. = 40.0 dB"));
    }
    const QString sDir = qEnvironmentVariable("KV521_DIAGRAM_PNG");
    if (!sDir.isEmpty())
        image.save(sDir + "/realtime.png");
    // Every level signal and a lane reached the image in its own colour.
    auto found = [&](const QRect& rect, const QColor& colour) {
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                if (image.pixelColor(x, y) == colour)
                    return true;
        return false;
    };
    for (const QColor& colour : colours)
        QVERIFY2(found(w.Area(0)->PlotRect(), colour), qPrintable(colour.name()));
    QVERIFY(found(w.Area(1)->PlotRect(), QColor(Qt::darkGreen)));
    w.setParent(nullptr);
}

void TestTimeDiagrams::shortEventsStayVisible()
{
    // Six hours on a 600-pixel plot: a one-second event is a 36th of a column.
    CQDiagramWidget w;
    MakeRealtime(w, DT_TimeLevelRects);
    w.SetXRange(Secs(kT0), Secs(kT0 + 6 * 3600), 1.0, true);
    w.resize(632, 300);
    w.update();
    w.AddSignal(0, "Level", QPen(Qt::red), 0, true);
    w.AddSignal(1, "DECT", QPen(Qt::darkGreen), 0, true);
    w.AddSample(0, 0, Secs(kT0 + 3600), 40.0, 1);
    w.AddSample(1, 0, Secs(kT0 + 3600), 1.0, 1);
    // The last second of the window as well: widening must not leave the lane.
    w.AddSample(1, 0, Secs(kT0 + 6 * 3600), 1.0, 1);

    auto* pBars = DiagramOf<CQTimeLevelRectsDiagram>(w, 0);
    QVERIFY(pBars);
    const auto bars = pBars->SignalShapes(*w.Signal(0, 0));
    QCOMPARE(bars.fills.size(), 1);
    QVERIFY(bars.fills[0].width() >= 2);

    auto* pLanes = DiagramOf<CQTimeRectsDiagram>(w, 1);
    QVERIFY(pLanes);
    pLanes->LayoutLanes(w.Area(1)->m_signals);
    const QList<CDiagramSignal::DrawnRect>& rects = w.Signal(1, 0)->m_drawnRects;
    QCOMPARE(rects.size(), 2);
    const QRect plot = w.Area(1)->PlotRect();
    for (const CDiagramSignal::DrawnRect& d : rects) {
        QVERIFY(d.rect.width() >= 2);
        QVERIFY(d.rect.right() <= plot.right() + 2 + CQTimeRectsDiagram::kMinRectWidth);
    }
}

void TestTimeDiagrams::minimumSizeKeepsTheLevelPlot()
{
    for (DiagramType eUpper : {DT_TimeLines, DT_TimeLevelRects}) {
        CQDiagramWidget w;
        MakeRealtime(w, eUpper);
        w.resize(400, w.minimumSizeHint().height());
        w.update();
        QVERIFY(w.Area(0)->PlotRect().height() >= CQDiagramWidget::kMinPlotHeight);
        QCOMPARE(w.Area(1)->PlotRect().height(), 100);
    }
    // A parent layout honours it: the widget cannot be squeezed below it.
    QWidget parent;
    auto* pLayout = new QVBoxLayout(&parent);
    auto* pDiagram = new CQDiagramWidget;
    pLayout->addWidget(pDiagram);
    MakeRealtime(*pDiagram, DT_TimeLines);
    parent.resize(400, 60);
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    pDiagram->update();
    QVERIFY(pDiagram->Area(0)->PlotRect().height() >= CQDiagramWidget::kMinPlotHeight);
}

void TestTimeDiagrams::cursorBoxFitsItsTextAndTheWidget()
{
    const QRect widget(0, 0, 500, 300);
    const QRect plot(32, 0, 468, 150);
    // Sized to its longest line, in the plot's top right corner.
    const QRect box = CQDiagramWidget::CursorBoxRect(80, 14, 190, 12, 4, plot, widget, QPoint(100, 100));
    QVERIFY(box.width() >= 190);
    QVERIFY(box.height() >= 14 + 4 * 12);
    QVERIFY(widget.contains(box));
    QVERIFY(box.right() <= plot.right() && box.right() > plot.right() - 20);

    // The mouse under that corner sends the box to the other one.
    const QPoint corner(plot.right() - 30, 20);
    const QRect moved = CQDiagramWidget::CursorBoxRect(80, 14, 190, 12, 4, plot, widget, corner);
    QVERIFY(!moved.contains(corner));
    QVERIFY(widget.contains(moved));

    // More lines than the widget is high, text wider than it: still on it.
    const QRect huge = CQDiagramWidget::CursorBoxRect(80, 14, 900, 12, 40, plot, widget, QPoint(10, 10));
    QVERIFY(widget.contains(huge));
}

void TestTimeDiagrams::picturesAndDarkPalette()
{
    CQDiagramWidget w;
    MakeRealtime(w, DT_TimeLines);
    w.AddSignal(0, "B1 DC", QPen(Qt::blue), 0, true);
    for (quint64 i = 0; i <= 600; ++i)
        w.AddSample(0, 0, Secs(kT0 + i), 30.0, 0);
    w.resize(400, 320);
    w.update();

    // The picture: the view below a title line, at the widget's pixel ratio.
    const QImage picture = CWidgetPicture::Render(&w, CWidgetPicture::TitleLine("Realtime", QDateTime()));
    QCOMPARE(picture.width(), qRound(400 * w.devicePixelRatioF()));
    QVERIFY(picture.height() > qRound(320 * w.devicePixelRatioF()));
    QTemporaryDir dir;
    const QString strPath = dir.filePath("realtime.png");
    QVERIFY(CWidgetPicture::SavePng(picture, strPath));
    QImage saved(strPath);
    QCOMPARE(saved.size(), picture.size());
    QSet<QRgb> colours;
    for (int y = 0; y < saved.height(); y += 3)
        for (int x = 0; x < saved.width(); x += 3)
            colours.insert(saved.pixel(x, y));
    QVERIFY(colours.size() > 3);
    QString strError;
    QVERIFY(!CWidgetPicture::SavePng(QImage(), strPath, &strError));
    QVERIFY(!strError.isEmpty());
    QVERIFY(!CWidgetPicture::SavePng(picture, dir.filePath("missing/x.png"), &strError));

    // A dark palette gives a dark plot and light labels; the signal keeps its colour.
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(40, 40, 40));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(25, 25, 25));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    w.setPalette(dark);
    QImage image(w.size(), QImage::Format_ARGB32);
    w.render(&image);
    const QRect plot = w.Area(0)->PlotRect();
    const QColor background = image.pixelColor(plot.left() + 3, plot.top() + 3);
    QVERIFY2(background.lightness() < 80, qPrintable(background.name()));
    QCOMPARE(background.rgb(), CDiagramPalette::PlotBackground(dark).rgb());
    bool bLightText = false, bSignal = false;
    for (int y = plot.top(); y <= w.XLabelStrip().bottom(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            bLightText = bLightText || image.pixelColor(x, y).lightness() > 180;
            bSignal = bSignal || image.pixelColor(x, y) == QColor(Qt::blue);
        }
    QVERIFY(bLightText);
    QVERIFY(bSignal);
}

void TestTimeDiagrams::pictureTitleGivesTheDataSpanAndALegend()
{
    CQDiagramWidget w;
    MakeRealtime(w, DT_TimeLines);
    w.AddSignal(0, "B1 DC", QPen(Qt::blue), 0, true);
    w.AddSignal(0, "B1 DC Thres.", QPen(QBrush(Qt::blue), 1.0, Qt::DashDotLine), 1, true);
    QVERIFY(w.PictureSpan().isEmpty());
    for (quint64 i = 100; i <= 220; ++i)
        w.AddSample(0, 0, Secs(kT0 + i), 30.0, 0);
    const QDateTime first = QDateTime::fromSecsSinceEpoch(qint64(kT0 + 100));
    const QDateTime last = QDateTime::fromSecsSinceEpoch(qint64(kT0 + 220));
    QCOMPARE(w.PictureSpan(), first.toString("yyyy-MM-dd hh:mm:ss") + QString::fromUtf8(" \u2013 ")
                                  + last.toString(first.date() == last.date() ? "hh:mm:ss" : "yyyy-MM-dd hh:mm:ss"));
    QVERIFY(CWidgetPicture::Title(&w, "Log").endsWith(w.PictureSpan()));
    QCOMPARE(w.Legend(), (QList<QPair<QString, QColor>>{{"B1 DC", QColor(Qt::blue)}}));

    // The mouse over the plot leaves no trace in the picture.
    w.resize(400, 320);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCursor::setPos(w.mapToGlobal(QPoint(-50, -50)));
    const QImage away = CWidgetPicture::Render(&w, "x");
    QCursor::setPos(w.mapToGlobal(w.Area(0)->PlotRect().center()));
    QCOMPARE(CWidgetPicture::Render(&w, "x"), away);
}

void TestTimeDiagrams::opaquePaintCoversEveryPixel()
{
    // Qt paints nothing under the diagram first: a pixel the diagram leaves
    // out shows whatever was there before instead of the window's colour.
    CQDiagramWidget w;
    MakeRealtime(w, DT_TimeLines);
    w.AddSignal(0, "level", QPen(Qt::blue), 1, true);
    for (int i = 0; i < 300; ++i)
        w.AddSample(0, 0, Secs(kT0 + quint64(i)), QVariant(double(i % 60)), 1);
    QPalette palette = w.palette();
    palette.setColor(QPalette::Window, QColor(200, 120, 40));
    w.setPalette(palette);
    w.resize(520, 330);
    auto Render = [&w] {
        QImage image(w.size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        w.render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
        return image;
    };
    QVERIFY(w.testAttribute(Qt::WA_OpaquePaintEvent));
    const QImage opaque = Render();
    w.setAttribute(Qt::WA_OpaquePaintEvent, false);
    const QImage onBackground = Render();
    QVERIFY(opaque.pixelColor(1, 1) != QColor(Qt::magenta));
    QCOMPARE(opaque, onBackground);
}

QTEST_MAIN(TestTimeDiagrams)
#include "tst_timediagrams.moc"
