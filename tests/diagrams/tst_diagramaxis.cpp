#include "diagramaxis.h"
#include "diagramsample.h"

#include <QtTest>

namespace {

QVariant Secs(quint64 v) { return QVariant::fromValue<qulonglong>(v); }

CDiagramAxis TimeAxis(quint64 dataMin, quint64 dataMax, quint64 visMin, quint64 visMax)
{
    CDiagramAxis axis;
    axis.m_vDataMin = Secs(dataMin);
    axis.m_vDataMax = Secs(dataMax);
    axis.m_vVisibleMin = Secs(visMin);
    axis.m_vVisibleMax = Secs(visMax);
    return axis;
}

CDiagramSampleList TimeSamples(std::initializer_list<quint64> times)
{
    CDiagramSampleList list;
    for (quint64 t : times)
        list.emplace_back(Secs(t), QVariant(1.0), 1);
    return list;
}

} // namespace

class TestDiagramAxis : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void timeSetters();
    void timeShiftClampsToData();
    void numericSettersAndShift();
    void yVisibleSetters();
    void findTime();
    void sampleKeepsXKind();
};

void TestDiagramAxis::timeSetters()
{
    const quint64 t0 = 1700000000;
    CDiagramAxis axis = TimeAxis(t0, t0 + 600, t0, t0 + 600);

    // Data maximum under the 180 s minimum span is refused and leaves the range alone.
    QVERIFY(!axis.SetTimeDataMax(t0 + 179));
    QCOMPARE(axis.m_vDataMax.toULongLong(), t0 + 600);
    // Shrinking the data range pulls the visible maximum along.
    QVERIFY(axis.SetTimeDataMax(t0 + 180));
    QCOMPARE(axis.m_vVisibleMax.toULongLong(), t0 + 180);

    // An earlier time must not wrap into a huge positive span.
    QVERIFY(!axis.SetTimeDataMax(t0 - 1000));

    axis = TimeAxis(t0, t0 + 600, t0, t0 + 600);
    QVERIFY(!axis.SetTimeVisibleMin(t0 - 1));           // before the data
    QVERIFY(!axis.SetTimeVisibleMin(t0 + 421));         // window narrower than 180 s
    QVERIFY(axis.SetTimeVisibleMin(t0 + 420));
    QVERIFY(!axis.SetTimeVisibleMax(t0 + 601));         // past the data
    QVERIFY(!axis.SetTimeVisibleMax(t0 + 599));         // 179 s wide
    QVERIFY(axis.SetTimeVisibleMax(t0 + 600));
    QCOMPARE(axis.m_vVisibleMin.toULongLong(), t0 + 420);
}

void TestDiagramAxis::timeShiftClampsToData()
{
    const quint64 t0 = 1700000000;
    CDiagramAxis axis = TimeAxis(t0, t0 + 1000, t0 + 100, t0 + 400);

    QVERIFY(!axis.ShiftTime(0));
    QVERIFY(axis.ShiftTime(50));
    QCOMPARE(axis.m_vVisibleMin.toULongLong(), t0 + 150);
    QCOMPARE(axis.m_vVisibleMax.toULongLong(), t0 + 450);

    // More than the room left: the window lands at the end, width kept.
    QVERIFY(axis.ShiftTime(10000));
    QCOMPARE(axis.m_vVisibleMin.toULongLong(), t0 + 700);
    QCOMPARE(axis.m_vVisibleMax.toULongLong(), t0 + 1000);

    QVERIFY(axis.ShiftTime(-10000));
    QCOMPARE(axis.m_vVisibleMin.toULongLong(), t0);
    QCOMPARE(axis.m_vVisibleMax.toULongLong(), t0 + 300);

    // A window not yet set up is left alone.
    CDiagramAxis empty;
    QVERIFY(!empty.ShiftTime(10));
    QVERIFY(empty.m_vVisibleMin.isNull());
}

void TestDiagramAxis::numericSettersAndShift()
{
    CDiagramAxis axis;
    axis.m_vDataMin = 0.0;
    axis.m_vDataMax = 100.0;
    axis.m_vVisibleMin = 10.0;
    axis.m_vVisibleMax = 50.0;

    QVERIFY(!axis.SetNumVisibleMin(30.5)); // (int)19.5 < 20
    QVERIFY(axis.SetNumVisibleMin(30.0));
    QVERIFY(!axis.SetNumVisibleMax(100.5));
    QVERIFY(!axis.SetNumVisibleMin(-1.0));

    axis.m_vVisibleMin = 10.0;
    QVERIFY(axis.ShiftNumeric(20.0));
    QCOMPARE(axis.m_vVisibleMin.toDouble(), 30.0);
    QCOMPARE(axis.m_vVisibleMax.toDouble(), 70.0);

    // Hitting the end keeps the window where it was rather than squeezing it.
    QVERIFY(axis.ShiftNumeric(40.0));
    QCOMPARE(axis.m_vVisibleMin.toDouble(), 30.0);
    QCOMPARE(axis.m_vVisibleMax.toDouble(), 70.0);
    QVERIFY(axis.ShiftNumeric(-40.0));
    QCOMPARE(axis.m_vVisibleMin.toDouble(), 30.0);
    QVERIFY(!axis.ShiftNumeric(0.0));
}

void TestDiagramAxis::yVisibleSetters()
{
    CDiagramAxis axis;
    axis.m_dYFullMax = 60.0;
    axis.m_dYVisibleMax = 60.0;

    QVERIFY(!axis.SetYVisibleMin(41.0)); // 19 < 20
    QCOMPARE(axis.m_dYVisibleMin, 0.0);
    QVERIFY(axis.SetYVisibleMin(40.0));
    QVERIFY(!axis.SetYVisibleMin(-1.0));

    QVERIFY(!axis.SetYVisibleMax(59.0));
    QVERIFY(!axis.SetYVisibleMax(61.0));
    QCOMPARE(axis.m_dYVisibleMax, 60.0);
    axis.m_dYVisibleMin = 0.0;
    QVERIFY(axis.SetYVisibleMax(20.0));
    QVERIFY(!axis.SetYVisibleMax(19.9));
}

void TestDiagramAxis::findTime()
{
    const CDiagramSampleList list = TimeSamples({100, 110, 120, 130, 140});
    QCOMPARE(CDiagramAxis::FindTime(list, 0), -1);
    QCOMPARE(CDiagramAxis::FindTime({}, 100), -1);
    QCOMPARE(CDiagramAxis::FindTime(list, 141), -1);
    QCOMPARE(CDiagramAxis::FindTime(list, 50), 0);
    QCOMPARE(CDiagramAxis::FindTime(list, 120), 2);
    QCOMPARE(CDiagramAxis::FindTime(list, 121), 3);
    QCOMPARE(CDiagramAxis::FindTimeExact(list, 130), 3);
    QCOMPARE(CDiagramAxis::FindTimeExact(list, 131), -1);

    // Every probe must return the first sample at or after it, also across
    // duplicates and on long lists where an off-by-one would start drawing late.
    CDiagramSampleList big;
    for (quint64 i = 0; i < 1000; ++i)
        big.emplace_back(Secs(1000 + (i / 2) * 2), QVariant(0.0), 1);
    for (quint64 t = 1000; t <= big.back().XSeconds(); ++t) {
        const qsizetype i = CDiagramAxis::FindTime(big, t);
        QVERIFY(i >= 0);
        QVERIFY(big[size_t(i)].XSeconds() >= t);
        QVERIFY(i == 0 || big[size_t(i) - 1].XSeconds() < t);
    }
}

void TestDiagramAxis::sampleKeepsXKind()
{
    const quint64 t = 1700000123;
    const CDiagramSample timeSample(Secs(t), QVariant(-71.5), 1);
    QCOMPARE(timeSample.X().typeId(), int(QMetaType::ULongLong));
    QCOMPARE(timeSample.X().toULongLong(), t);
    QCOMPARE(timeSample.Y().toDouble(), -71.5);
    QCOMPARE(timeSample.Tag(), 1);

    const CDiagramSample indexSample(QVariant(int(42)), QVariant(3.25), 0);
    QCOMPARE(indexSample.X().typeId(), int(QMetaType::Int));
    QCOMPARE(indexSample.X().toInt(), 42);
    QVERIFY(CDiagramSample(QVariant(), QVariant(1.0), 0).X().isNull());

    qInfo("CDiagramSample: %d bytes per sample (a QVariant alone is %d)",
          int(sizeof(CDiagramSample)), int(sizeof(QVariant)));
    QVERIFY(sizeof(CDiagramSample) <= 24);
}

QTEST_APPLESS_MAIN(TestDiagramAxis)
#include "tst_diagramaxis.moc"
