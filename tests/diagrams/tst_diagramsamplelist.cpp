#include "diagramsamplelist.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr quint64 kT0 = 1700000000;
constexpr size_t kChunk = CDiagramSampleList::kChunk;

bool SameSample(const CDiagramSample& a, const CDiagramSample& b)
{
    const bool bSameY = a.YValue() == b.YValue() || (std::isnan(a.YValue()) && std::isnan(b.YValue()));
    const bool bSameX = a.XValue() == b.XValue() || (std::isnan(a.XValue()) && std::isnan(b.XValue()));
    return bSameX && bSameY && a.Tag() == b.Tag() && a.Kind() == b.Kind()
        && a.X().typeId() == b.X().typeId() && std::signbit(a.YValue()) == std::signbit(b.YValue());
}

// Whatever went in comes out, compared sample by sample and through the fast accessors.
bool SameContents(const CDiagramSampleList& list, const std::vector<CDiagramSample>& expected)
{
    if (list.size() != expected.size())
        return false;
    for (size_t i = 0; i < expected.size(); ++i) {
        if (!SameSample(list[i], expected[i]) || list.Tag(i) != expected[i].Tag())
            return false;
        if (!std::isnan(expected[i].YValue()) && list.YValue(i) != expected[i].YValue())
            return false;
        if (!std::isnan(expected[i].XValue()) && list.XValue(i) != expected[i].XValue())
            return false;
    }
    return true;
}

} // namespace

class TestDiagramSampleList : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void keepsEveryValueExactly();
    void dropsWholeChunksFromTheFront();
    void copiesAndSearchesAcrossChunks();
};

void TestDiagramSampleList::keepsEveryValueExactly()
{
    // Ordinary time samples pack; everything a float offset or level would
    // round, and every change of tag or x kind, must still read back unchanged.
    std::vector<CDiagramSample> expected;
    for (size_t i = 0; i < 3 * kChunk + 17; ++i) {
        const double dX = double(kT0 + i / 3);
        double dY = -60.0 + double(i % 121) * 0.5;
        qint32 nTag = 1;
        CDiagramSample::XKind eKind = CDiagramSample::XK_UInt64;
        switch (i % 101) {
        case 7: dY = 0.1; break;                                      // not a float
        case 13: dY = std::numeric_limits<double>::quiet_NaN(); break;
        case 17: dY = -0.0; break;
        case 19: dY = 1e300; break;
        case 23: nTag = 3600; break;                                  // another duration
        case 29: eKind = CDiagramSample::XK_Double; break;
        default: break;
        }
        double dSampleX = dX;
        if (i % 101 == 31)
            dSampleX = dX + 0.25;                                     // fractional time
        if (i % 101 == 37)
            dSampleX = double(kT0) - 5.0;                             // earlier than the chunk's first
        if (i % 101 == 41)
            dSampleX = double(kT0) + 5e9;                             // beyond a 32-bit offset
        expected.emplace_back(dSampleX, eKind, dY, nTag);
    }
    expected.emplace_back(QVariant(), QVariant(2.5), 0);
    expected.emplace_back(QVariant(int(-4)), QVariant(2.5), 0);
    expected.emplace_back(QVariant::fromValue<qulonglong>(quint64(1) << 60), QVariant(2.5), 1);

    CDiagramSampleList list;
    for (const CDiagramSample& s : expected)
        list.push_back(s);
    QVERIFY(SameContents(list, expected));
    QCOMPARE(list.back().X().typeId(), int(QMetaType::ULongLong));
    QCOMPARE(list.back().X().toULongLong(), quint64(1) << 60);
    QVERIFY(list[expected.size() - 3].X().isNull());

    // A steady signal, the kind the diagrams hold for hours, stays within 16 bytes a sample.
    CDiagramSampleList steady;
    for (quint64 i = 0; i < 100000; ++i)
        steady.emplace_back(double(kT0 + i / 15), CDiagramSample::XK_UInt64, -40.0 + double(i % 80) / 2, 1);
    QVERIFY2(double(steady.AllocatedBytes()) / double(steady.size()) <= 16.0,
             qPrintable(QString::number(double(steady.AllocatedBytes()) / double(steady.size()))));
}

void TestDiagramSampleList::dropsWholeChunksFromTheFront()
{
    CDiagramSampleList list;
    QCOMPARE(list.DropOldest(0), size_t(0));
    for (size_t i = 0; i < 2 * kChunk + 5; ++i)
        list.emplace_back(double(kT0 + i), CDiagramSample::XK_UInt64, double(i % 50), 1);

    // Nothing goes until there are more than nMax; then as few chunks as bring it to nMax or below.
    QCOMPARE(list.DropOldest(2 * kChunk + 5), size_t(0));
    QCOMPARE(list.DropOldest(2 * kChunk + 4), kChunk);
    QCOMPARE(list.size(), kChunk + 5);
    QCOMPARE(list.DroppedCount(), quint64(kChunk));
    QCOMPARE(list.front().XSeconds(), kT0 + kChunk);
    QCOMPARE(list.back().XSeconds(), kT0 + 2 * kChunk + 4);

    // The partly filled last chunk is never dropped, and appending continues in it.
    QCOMPARE(list.DropOldest(0), kChunk);
    QCOMPARE(list.size(), size_t(5));
    list.emplace_back(double(kT0 + 9 * kChunk), CDiagramSample::XK_UInt64, 7.5, 1);
    QCOMPARE(list.size(), size_t(6));
    QCOMPARE(list.back().YValue(), 7.5);
    QCOMPARE(list[0].XSeconds(), kT0 + 2 * kChunk);

    // Clearing and assigning count as dropping, so readers see the old indexes are gone.
    const quint64 nBefore = list.DroppedCount();
    list = CDiagramSampleList();
    QCOMPARE(list.DroppedCount(), nBefore + 6);
    QVERIFY(list.empty());
}

void TestDiagramSampleList::copiesAndSearchesAcrossChunks()
{
    CDiagramSampleList list;
    for (size_t i = 0; i < 3 * kChunk; ++i)
        list.emplace_back(double(kT0 + (i / 2) * 2), CDiagramSample::XK_UInt64, double(i % 9), 1);
    list.emplace_back(QVariant::fromValue<qulonglong>(kT0 + 3 * kChunk), QVariant(0.3), 1);

    CDiagramSampleList copy(list);
    list.clear();
    QCOMPARE(copy.size(), 3 * kChunk + 1);
    QCOMPARE(copy.back().YValue(), 0.3);
    for (const size_t i : {size_t(0), kChunk - 1, kChunk, 2 * kChunk + 1})
        QCOMPARE(copy[i].XSeconds(), kT0 + (i / 2) * 2);

    // The first sample at or after t, on both sides of every chunk boundary.
    for (const size_t nBoundary : {kChunk, 2 * kChunk}) {
        for (quint64 t = kT0 + nBoundary - 4; t <= kT0 + nBoundary + 4; ++t) {
            const qsizetype i = FirstSampleAtOrAfter(copy, double(t));
            QVERIFY(copy[size_t(i)].XSeconds() >= t);
            QVERIFY(i == 0 || copy[size_t(i) - 1].XSeconds() < t);
        }
    }
    QCOMPARE(FirstSampleAtOrAfter(copy, double(kT0 + 4 * kChunk)), qsizetype(copy.size()));
}

QTEST_GUILESS_MAIN(TestDiagramSampleList)
#include "tst_diagramsamplelist.moc"
