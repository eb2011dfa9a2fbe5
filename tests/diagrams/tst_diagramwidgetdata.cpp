#include "qdiagramwidget.h"

#include <QDateTime>
#include <QSignalSpy>
#include <QtTest>

#include <stdexcept>

namespace {

// Records what the widget hands to its diagram objects and stores samples like
// the time diagrams do.
class CFakeDiagram : public IDiagram
{
public:
    CFakeDiagram(QRect* pRect, CDiagramAxis* pAxis) : IDiagram(pRect, pAxis) {}

    void AttachSignal(CDiagramSampleList& samples) override { attached.append(&samples); }
    void AppendSample(int nSignal, const CDiagramSample& sample, CDiagramSampleList& samples,
                      bool bAutoScroll) override
    {
        lastSignal = nSignal;
        lastAutoScroll = bAutoScroll;
        samples.push_back(sample);
    }
    void DrawGrid(QPainter&, int) override {}
    void DrawYTicks(QPainter&, const QList<CDiagramSignal*>&) override {}
    void DrawXLabels(QPainter&, const QRect&) override {}
    void DrawYLabels(QPainter&, const QList<CDiagramSignal*>&) override {}
    void DrawSignals(QPainter&, const QList<CDiagramSignal*>&) override {}
    void OnLayoutChanged() override {}
    bool IsXZoomed() override { return false; }
    bool IsYZoomed() override { return false; }
    bool IsYAxisDraggable() override { return false; }
    void Pan(const QPoint&, int, int) override {}
    void DragYAxis(const QPoint&, int) override {}
    void ShowPlotMenu(const QPoint&) override {}
    void ShowYAxisMenu(const QPoint&) override {}
    bool GetToolTip(bool, const QPoint&, const QList<CDiagramSignal*>&, QString&) override { return false; }
    bool GetValuesAt(bool, const QPoint&, const QList<CDiagramSignal*>& s,
                     QList<QVariant>& v) override
    {
        v = {QVariant(qsizetype(s.size()))};
        return true;
    }

    QList<CDiagramSampleList*> attached;
    int lastSignal = -1;
    bool lastAutoScroll = false;
};

CFakeDiagram* Fake(CQDiagramWidget& w, int nArea)
{
    return dynamic_cast<CFakeDiagram*>(w.Area(nArea)->m_pDiagram);
}

QString ThrownText(const std::function<void()>& fn)
{
    try {
        fn();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

QVariant Secs(quint64 v) { return QVariant::fromValue<qulonglong>(v); }

} // namespace

class TestDiagramWidgetData : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup() { CQDiagramWidget::SetDiagramFactory({}); }
    void areasAndDiagramObjects();
    void timeKindRestartsWindow();
    void signalChecksThrowExactTexts();
    void addSampleStoresCompactly();
    void setSamplesResizes();
    void clearAllKeepsOrDropsSignals();
    void rangeSetters();
};

void TestDiagramWidgetData::init()
{
    CQDiagramWidget::SetDiagramFactory(
        [](DiagramType, CDiagramArea* pArea, CDiagramAxis* pAxis, CQDiagramWidget*) -> IDiagram* {
            return new CFakeDiagram(&pArea->PlotRect(), pAxis);
        });
}

void TestDiagramWidgetData::areasAndDiagramObjects()
{
    CQDiagramWidget w;
    QCOMPARE(w.AreaCount(), 1);
    QCOMPARE(w.GetDiagramType(0), DT_TimeLines);
    QVERIFY(Fake(w, 0));

    QSignalSpy spy(&w, &CQDiagramWidget::diagramTypeChanged);
    w.SetAreas({CDiagramAreaSpec(DT_TimeLevelRects, 0, 1.0), CDiagramAreaSpec(DT_TimeRects, 100, 0.0),
                CDiagramAreaSpec(DiagramType(3), 0, 1.0)});
    QCOMPARE(w.AreaCount(), 3);
    QCOMPARE(spy.count(), 3);
    QCOMPARE(spy.at(1).at(0).toInt(), 1);
    QCOMPARE(spy.at(1).at(1).value<DiagramType>(), DT_TimeRects);
    // Unused kinds get no diagram object, even when a factory is registered.
    QVERIFY(!w.Area(2)->m_pDiagram);
    // The Y-axis column follows the plot rectangle in memory.
    QCOMPARE(&w.Area(0)->PlotRect() + 1, &w.Area(0)->YAxisRect());

    // A replaced diagram object is handed every existing signal, in order.
    w.AddSignal(0, "A", QPen(Qt::red), 0, true);
    w.AddSignal(0, "B", QPen(Qt::blue), 1, true);
    w.SetDiagramType(0, DT_TimeLines);
    CFakeDiagram* pFake = Fake(w, 0);
    QCOMPARE(pFake->attached.size(), 2);
    QCOMPARE(pFake->attached[1], &w.Signal(0, 1)->m_samples);

    QList<QVariant> values;
    QVERIFY(w.GetAreaValuesAt(false, QPoint(1, 1), values));
    QCOMPARE(values.value(0).toInt(), 2);

    // Without a factory the built-in time kinds are used; an area without a
    // diagram object still keeps its samples.
    CQDiagramWidget::SetDiagramFactory({});
    CQDiagramWidget bare;
    QVERIFY(bare.Area(0)->m_pDiagram);
    bare.SetDiagramType(0, DiagramType(4));
    QVERIFY(!bare.Area(0)->m_pDiagram);
    bare.AddSignal(0, "S", QPen(), 0, true);
    bare.AddSample(0, 0, Secs(5), 1.0, 1);
    QCOMPARE(bare.Signal(0, 0)->m_samples.size(), size_t(1));
    QVERIFY(!bare.GetAreaValuesAt(false, QPoint(), values));
}

void TestDiagramWidgetData::timeKindRestartsWindow()
{
    CQDiagramWidget w;
    w.SetXRange(Secs(10), Secs(5000), 2.0, true);
    const quint64 before = quint64(QDateTime::currentSecsSinceEpoch());
    w.SetDiagramType(0, DT_TimeRects);
    const quint64 after = quint64(QDateTime::currentSecsSinceEpoch());
    const CDiagramAxis& a = w.Axis();
    QVERIFY(a.m_vDataMin.toULongLong() >= before && a.m_vDataMin.toULongLong() <= after);
    QCOMPARE(a.m_vDataMax.toULongLong(), a.m_vDataMin.toULongLong() + 600);
    QCOMPARE(a.m_vVisibleMin, a.m_vDataMin);
    QCOMPARE(a.m_vVisibleMax, a.m_vDataMax);
    QCOMPARE(a.m_dXStep, 1.0);

    // The oscilloscope keeps whatever numeric range its window set.
    w.SetXRange(0.0, 1024.0, 1.0, true);
    w.SetDiagramType(0, DT_Oscilloscope);
    QCOMPARE(w.Axis().m_vDataMax.toDouble(), 1024.0);
}

void TestDiagramWidgetData::signalChecksThrowExactTexts()
{
    CQDiagramWidget w;
    w.AddSignal(0, "S", QPen(), 0, true);
    QCOMPARE(ThrownText([&] { w.AddSample(0, -1, Secs(1), 1.0, 1); }),
             QStringLiteral("Signal index out of range!"));
    QCOMPARE(ThrownText([&] { w.AddSample(0, 1, Secs(1), 1.0, 1); }),
             QStringLiteral("Signal index out of range!"));
    QCOMPARE(ThrownText([&] { w.SetSamples(0, 1, {1.0}); }),
             QStringLiteral("Signal index out of range!"));
    QCOMPARE(ThrownText([&] { w.SetSignalVisible(0, 5, false); }),
             QStringLiteral("Signal index out of range!"));
    QVERIFY(w.Signal(0, 0)->m_samples.empty());

    w.Area(0)->m_signals.append(nullptr);
    QCOMPARE(ThrownText([&] { w.AddSample(0, 1, Secs(1), 1.0, 1); }),
             QStringLiteral("Empty signal data pointer!"));
    QCOMPARE(ThrownText([&] { w.SetSignalVisible(0, 1, false); }),
             QStringLiteral("Empty signal data pointer!"));
    QCOMPARE(ThrownText([&] { w.SetSamples(0, 1, {}); }),
             QStringLiteral("Empty signal data pointer!"));

    // A bad area index throws too instead of reading past the list.
    QVERIFY(!ThrownText([&] { w.AddSample(7, 0, Secs(1), 1.0, 1); }).isEmpty());
    // The null entry must not trip ClearAll or the destructor.
    QCOMPARE(w.ClearAll(true), 1);
}

void TestDiagramWidgetData::addSampleStoresCompactly()
{
    CQDiagramWidget w;
    w.AddSignal(0, "S0", QPen(), 0, true);
    w.AddSignal(0, "S1", QPen(), 0, true);
    w.SetAutoScroll(false);
    const quint64 t0 = 1700000000;
    for (int i = 0; i < 100; ++i)
        w.AddSample(0, 1, Secs(t0 + quint64(i)), -50.0 - i, 1);
    QCOMPARE(Fake(w, 0)->lastSignal, 1);
    QCOMPARE(Fake(w, 0)->lastAutoScroll, false);

    const CDiagramSampleList& s = w.Signal(0, 1)->m_samples;
    QCOMPARE(s.size(), size_t(100));
    QVERIFY(w.Signal(0, 0)->m_samples.empty());
    QCOMPARE(s[37].X().toULongLong(), t0 + 37);
    QCOMPARE(s[37].Y().toDouble(), -87.0);
    QCOMPARE(FirstSampleAtOrAfter(s, double(t0 + 60)), qsizetype(60));
    QCOMPARE(FirstSampleAtOrAfter(s, double(t0 + 1000)), qsizetype(100));
}

void TestDiagramWidgetData::setSamplesResizes()
{
    CQDiagramWidget w;
    w.AddSignal(0, "S", QPen(), 0, true);
    w.SetSamples(0, 0, {1.0, 2.0, 3.0, 4.0});
    w.SetSamples(0, 0, {9.0, 8.0});
    const CDiagramSampleList& s = w.Signal(0, 0)->m_samples;
    QCOMPARE(s.size(), size_t(2));
    QCOMPARE(s[1].X().typeId(), int(QMetaType::Int));
    QCOMPARE(s[1].X().toInt(), 1);
    QCOMPARE(s[1].YValue(), 8.0);
    w.SetSamples(0, 0, {});
    QVERIFY(w.Signal(0, 0)->m_samples.empty());
}

void TestDiagramWidgetData::clearAllKeepsOrDropsSignals()
{
    CQDiagramWidget w;
    w.SetAreas({CDiagramAreaSpec(DT_TimeLines, 0, 1.0), CDiagramAreaSpec(DT_TimeRects, 100, 0.0)});
    w.AddSignal(0, "Level", QPen(Qt::green, 2), 0, true);
    w.AddSignal(1, "Events", QPen(Qt::red), 1, false);
    w.AddSample(0, 0, Secs(100), 1.0, 1);
    w.AddSample(1, 0, Secs(100), 1.0, 1);
    w.SetXRange(Secs(100), Secs(100000), 1.0, true);

    QSignalSpy spy(&w, &CQDiagramWidget::diagramTypeChanged);
    const quint64 before = quint64(QDateTime::currentSecsSinceEpoch());
    QCOMPARE(w.ClearAll(true), 2);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(w.Signal(0, 0)->m_sName, QStringLiteral("Level"));
    QCOMPARE(w.Signal(0, 0)->m_pen, QPen(Qt::green, 2));
    QVERIFY(!w.Signal(1, 0)->m_bVisible);
    QVERIFY(w.Signal(0, 0)->m_samples.empty());
    QVERIFY(w.Signal(1, 0)->m_samples.empty());
    QVERIFY(w.Axis().m_vVisibleMin.toULongLong() >= before);
    QCOMPARE(w.Axis().m_vVisibleMax.toULongLong(), w.Axis().m_vVisibleMin.toULongLong() + 600);
    QCOMPARE(Fake(w, 0)->attached.size(), 1);

    QCOMPARE(w.ClearAll(false), 2);
    QVERIFY(w.Area(0)->m_signals.isEmpty());
    QVERIFY(w.Area(1)->m_signals.isEmpty());
    QCOMPARE(w.GetDiagramType(1), DT_TimeRects);
}

void TestDiagramWidgetData::rangeSetters()
{
    CQDiagramWidget w;
    CDiagramAxis& a = w.Axis();

    // Null visible bounds take the new data range; set ones are left alone.
    a.m_vVisibleMin = QVariant();
    w.SetXRange(0.0, 500.0, 0.5, false);
    QCOMPARE(a.m_vVisibleMin.toDouble(), 0.0);
    QVERIFY(a.m_vVisibleMax.toULongLong() > 500);
    QCOMPARE(a.m_dXStep, 0.5);

    w.SetYRange(0.0, 60.0, 1.0);
    QCOMPARE(a.m_dYVisibleMax, 60.0);
    w.SetYVisible(41.0, 60.0, false); // too narrow: minimum refused
    QCOMPARE(a.m_dYVisibleMin, 0.0);
    w.SetYVisible(10.0, 50.0, false);
    QCOMPARE(a.m_dYVisibleMin, 10.0);
    QCOMPARE(a.m_dYVisibleMax, 50.0);
    w.SetYVisible(-30.0, 30.0, true);
    QCOMPARE(a.m_dYFullMin, -30.0);
    QCOMPARE(a.m_dYVisibleMax, 30.0);


    w.SetXRange(0.0, 1000.0, 1.0, false);
    w.SetXVisible(100.0, 200.0);
    w.SetYVisible(-10.0, 10.0, false);
    w.ResetZoom();
    QCOMPARE(a.m_vVisibleMin.toDouble(), 0.0);
    QCOMPARE(a.m_vVisibleMax.toDouble(), 1000.0);
    QCOMPARE(a.m_dYVisibleMin, -30.0);
    QCOMPARE(a.m_dYVisibleMax, 30.0);

}

QTEST_MAIN(TestDiagramWidgetData)
#include "tst_diagramwidgetdata.moc"
