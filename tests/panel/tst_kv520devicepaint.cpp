// The display replica drawn from chosen live states, checked pixel by pixel
// where the detector's layout is exact.
#include "fakedevice.h"
#include "kv520devicepaint.h"
#include "panelfont.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QTest>

#include <memory>

namespace {

constexpr QRgb kGreen = 0xFF00FF7F;
constexpr QRgb kPlum = 0xFFDDA0DD;
constexpr QRgb kStatusText = 0xFFF0FFF0;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kRed = 0xFFFF0000;

using CCountingPaint = CKV520DevicePaint;

// The detector's codes of a text: ASCII as is, Russian letters in 1251 order.
QByteArray Codes(const QString& strText)
{
    QByteArray codes;
    for (QChar ch : strText)
        codes.append(ch.unicode() >= 0x0410 && ch.unicode() <= 0x044F ? char(0xC0 + ch.unicode() - 0x0410)
                                                                       : char(ch.toLatin1()));
    return codes;
}

// Empty when the cells at (x, row) show the text in those colours, else where not.
QString CheckText(const QImage& image, int nX, int nRow, const QString& strText, QRgb fg, QRgb bg)
{
    const QByteArray codes = Codes(strText);
    for (int i = 0; i < codes.size(); ++i) {
        const uint8_t* pGlyph = g_PanelFont + uint8_t(codes[i]) * kPanelGlyphBytes;
        for (int r = 0; r < 16; ++r)
            for (int c = 0; c < 9; ++c) {
                const bool bSet = c < 8 ? (pGlyph[2 * r] >> c) & 1 : pGlyph[2 * r + 1] & 1;
                const int x = nX + i * 9 + c, y = nRow * 16 + r;
                if (image.pixel(x, y) != (bSet ? fg : bg))
                    return QStringLiteral("glyph %1 of \"%2\" differs at (%3, %4)").arg(i).arg(strText).arg(x).arg(y);
            }
    }
    return QString();
}

#define VERIFY_TEXT(image, x, row, text, fg, bg)                                                                     \
    do {                                                                                                             \
        const QString strWhy = CheckText(image, x, row, text, fg, bg);                                               \
        QVERIFY2(strWhy.isEmpty(), qPrintable(strWhy));                                                              \
    } while (false)

int GraphY(int nHalfDb)
{
    const int v = nHalfDb / 2;
    return (128 - 128 * v / 254) - 32;
}

} // namespace

class TestKV520DevicePaint : public QObject
{
    Q_OBJECT

private:
    CFakeDevice m_Device;
    std::unique_ptr<CCountingPaint> m_pPaint;

    const QImage& Paint(int nTimes = 1)
    {
        QImage face(160, CKV520DevicePaint::kPanelHeight, QImage::Format_RGB32);
        for (int i = 0; i < nTimes; ++i) {
            QPainter painter(&face);
            m_pPaint->Paint(&painter);
        }
        return m_pPaint->DisplayImage();
    }

    // Advances the blink phase to the one asked for.
    void Blink(int nPhase)
    {
        if (m_pPaint->BlinkPhase() != nPhase)
            m_pPaint->OnFlashTimer();
    }

private Q_SLOTS:
    void init()
    {
        m_Device = CFakeDevice();
        g_pDevice = &m_Device;
        m_pPaint = std::make_unique<CCountingPaint>();
    }

    void cleanup()
    {
        m_pPaint.reset();
        g_pDevice = nullptr;
    }

    void noLinkShowsOnlyTheNoLinkText_data()
    {
        QTest::addColumn<int>("nLanguage");
        QTest::addColumn<QString>("strText");
        QTest::newRow("english") << 0 << QStringLiteral("    NO LINK  ");
        QTest::newRow("russian") << 1 << QStringLiteral("   НЕТ СВЯЗИ ");
        QTest::newRow("unknown language byte") << 7 << QStringLiteral("    NO LINK  ");
    }

    void noLinkShowsOnlyTheNoLinkText()
    {
        QFETCH(int, nLanguage);
        QFETCH(QString, strText);
        m_Device.m_bConnected = false;
        m_Device.m_Live.m_nLanguage = uint8_t(nLanguage);
        m_Device.m_Live.m_nBandMask = 1; // stale values of the last frame are not drawn
        m_Device.m_Live.m_Thresholds[6] = 20;
        const QImage& image = Paint();
        VERIFY_TEXT(image, 10, 4, strText, kBlack, kGreen);
        // Status line without the link pictogram, no clock.
        VERIFY_TEXT(image, 45, 0, QStringLiteral("  "), kStatusText, kPlum);
        QCOMPARE(image.pixel(140, 8), kGreen);
        QCOMPARE(image.pixel(10, 40), kGreen);
    }

    void monitorModeWithTwoChannels()
    {
        CDeviceLiveState& live = m_Device.m_Live;
        live.m_nModeFlags = 0x04;
        live.m_nBandMask = 5;
        live.m_nTickBase = 12 * 14400 + 34 * 240 + 17 * 4;
        live.m_nStatusWord = 7;
        live.m_Thresholds[0] = 100; // channel 0 DC threshold 50 dB
        live.m_Thresholds[3] = 90;
        live.m_Levels[0] = 61;      // 30 dB
        live.m_Levels[3] = 51;
        live.m_Thresholds[2] = 254; // channel 2: 127 dB shows saturated
        live.m_Thresholds[5] = 20;
        live.m_Levels[2] = 255;
        live.m_Levels[5] = 9;
        m_Device.m_Menu[35] = 1;
        m_Device.m_Menu[42] = 1;
        Blink(1);
        const QImage& image = Paint();
        VERIFY_TEXT(image, 124, 1, QStringLiteral(" B12"), kBlack, kGreen);
        VERIFY_TEXT(image, 79, 1, QStringLiteral("007"), kBlack, kGreen);
        VERIFY_TEXT(image, 115, 0, QStringLiteral("12:34"), kStatusText, kPlum);
        // Frames that are not stored (a pending command, no measurement) still move the clock.
        m_Device.m_nNewestTick = 13 * 14400 + 5 * 240;
        VERIFY_TEXT(Paint(), 115, 0, QStringLiteral("13:05"), kStatusText, kPlum);
        m_Device.m_nNewestTick = -1;
        // The whole text line fits the display: S=50/45  L=30/25 ending at x 159.
        VERIFY_TEXT(image, 16, 3, QStringLiteral("S="), kBlack, kGreen);
        VERIFY_TEXT(image, 61, 3, QStringLiteral("45"), kRed, kGreen);
        VERIFY_TEXT(image, 115, 3, QStringLiteral("30"), kBlue, kGreen);
        VERIFY_TEXT(image, 142, 3, QStringLiteral("25"), kRed, kGreen);
        VERIFY_TEXT(image, 34, 5, QStringLiteral("99"), kBlue, kGreen);
        VERIFY_TEXT(image, 115, 5, QStringLiteral("99"), kBlue, kGreen);

        // With channel 2 below, neither panel draws the level graph.
        Paint(3);
        for (int y = 96; y < 112; ++y)
            QCOMPARE(image.pixel(1, y), kGreen);
    }

    void thinBarsMarkersAndTriangles()
    {
        CDeviceLiveState& live = m_Device.m_Live;
        live.m_nModeFlags = 0x04;
        live.m_nBandMask = 1;
        live.m_Thresholds[6] = 10; // ten bars
        live.m_Thresholds[9] = 3;  // marker on bar 3
        live.m_Levels[9] = 200;    // DC threshold: p = 32, x = 157
        live.m_Levels[12] = 201;   // AC on the same place: moved right by 2
        const QImage& image = Paint();
        const int y = 32 + 4;
        QCOMPARE(image.pixel(0, y), kBlue);
        QCOMPARE(image.pixel(2, y + 7), kBlue);
        QCOMPARE(image.pixel(3, y), kGreen);
        QCOMPARE(image.pixel(15, y), kRed);
        QCOMPARE(image.pixel(45, y), kBlue);
        QCOMPARE(image.pixel(50, y), kGreen);
        QCOMPARE(image.pixel(0, y + 8), kGreen); // thin bars are 8 high
        // Triangles under the bars, bottom line of the row.
        QCOMPARE(image.pixel(156, 47), kGreen);
        QCOMPARE(image.pixel(157, 47), kBlue);
        QCOMPARE(image.pixel(158, 46), kBlue);
        QCOMPARE(image.pixel(158, 45), kGreen);
        QCOMPARE(image.pixel(159, 47), kRed);

        live.m_Levels[9] = 40;  // p = 10 -> x 47, apex at 50
        live.m_Levels[12] = 255; // no AC triangle
        Paint();
        QCOMPARE(image.pixel(46, 47), kGreen);
        QCOMPARE(image.pixel(47, 47), kBlue);
        QCOMPARE(image.pixel(50, 44), kBlue);
        QCOMPARE(image.pixel(50, 43), kGreen);
        QCOMPARE(image.pixel(159, 47), kGreen);

        live.m_Levels[9] = 2; // p = 0 -> x 0
        live.m_Thresholds[6] = 250; // more bars than the line holds
        live.m_Thresholds[9] = 200;
        Paint();
        QCOMPARE(image.pixel(0, 47), kBlue);
        QCOMPARE(image.pixel(3, 44), kBlue);
        QCOMPARE(image.pixel(155, y), kBlue);
        QCOMPARE(image.pixel(158, y), kGreen);
    }

    void levelGraphGainsPointsByRecorderTime()
    {
        CDeviceLiveState& live = m_Device.m_Live;
        live.m_nModeFlags = 0x04;
        live.m_nBandMask = 1;
        live.m_Levels[0] = 190; // 95 dB is a level like any other
        live.m_Levels[3] = 40;
        m_Device.m_Menu[42] = 1;
        m_Device.m_Menu[43] = 2; // a point every 25 paints
        const QImage& image = Paint(24);
        QCOMPARE(image.pixel(0, GraphY(190)), kGreen);
        Paint();
        QCOMPARE(image.pixel(0, GraphY(190)), kBlue);
        QCOMPARE(image.pixel(0, GraphY(40)), kRed);
        QCOMPARE(image.pixel(1, GraphY(40)), kGreen);
        Paint(25);
        QCOMPARE(image.pixel(1, GraphY(40)), kRed);
        QCOMPARE(image.pixel(2, GraphY(40)), kGreen);

        // Recorder off: no graph, the ring keeps its points for later.
        m_Device.m_Menu[42] = 0;
        Paint();
        QCOMPARE(image.pixel(0, GraphY(40)), kGreen);
    }

    void searchMode()
    {
        CDeviceLiveState& live = m_Device.m_Live;
        live.m_nModeFlags = 0x01;
        live.m_nBandMask = 6;
        live.m_nStatusB = 1;
        live.m_Levels[7] = 4;  // WLAN on channel 1
        live.m_Levels[8] = 42; // no kind the detector names
        const uint32_t nFrequency = 2437000;
        std::memcpy(live.m_Levels + 16, &nFrequency, 4);
        live.m_Levels[20] = 1;
        const QImage& image = Paint();
        VERIFY_TEXT(image, 0, 1, QStringLiteral("SEARCH "), kBlack, kGreen);
        VERIFY_TEXT(image, 75, 1, QStringLiteral("M"), kBlack, kGreen);
        VERIFY_TEXT(image, 124, 1, QStringLiteral("B12F"), kBlack, kGreen);
        VERIFY_TEXT(image, 0, 7, QStringLiteral("WLAN     "), kBlack, kGreen);
        VERIFY_TEXT(image, 97, 7, QStringLiteral("2437.00"), kBlack, kGreen);

        live.m_nStatusB = 3;
        live.m_nBandMask = 0x85;
        live.m_Levels[20] = 0;
        live.m_nLanguage = 1;
        Paint();
        VERIFY_TEXT(image, 0, 1, QStringLiteral("ПОИСК  "), kBlack, kGreen);
        VERIFY_TEXT(image, 75, 1, QStringLiteral(" "), kGreen, kGreen);
        VERIFY_TEXT(image, 124, 1, QStringLiteral("    "), kBlack, kGreen);
        VERIFY_TEXT(image, 97, 7, QStringLiteral("       "), kGreen, kGreen);
    }

    void zeroPressShowsTheZeroWordInSearchModeOnly()
    {
        m_Device.m_Live.m_nBandMask = 1;
        m_Device.m_Live.m_nModeFlags = 0x00;
        m_pPaint->NoteZeroKey();
        QCOMPARE(m_pPaint->ZeroTicks(), 0);

        m_Device.m_Live.m_nModeFlags = 0x01;
        m_pPaint->NoteZeroKey();
        VERIFY_TEXT(Paint(), 124, 1, QStringLiteral("ZERO"), kBlack, kGreen);
        Paint(CKV520DevicePaint::kZeroPaints - 1);
        QCOMPARE(m_pPaint->ZeroTicks(), 0);
        VERIFY_TEXT(Paint(), 124, 1, QStringLiteral("  B1"), kBlack, kGreen);
    }

    void statusLinePictogramsOutOfRangeAreBlank()
    {
        m_Device.m_Live.m_nStatusA = 3;
        VERIFY_TEXT(Paint(), 90, 0, QString(QChar(0x8D)), kStatusText, kPlum);
        m_Device.m_Live.m_nStatusA = 6;
        VERIFY_TEXT(Paint(), 90, 0, QStringLiteral(" "), kStatusText, kPlum);
    }

    void countdownAndClock()
    {
        CDeviceLiveState& live = m_Device.m_Live;
        live.m_nModeFlags = 0x02;
        VERIFY_TEXT(Paint(), 115, 0, QStringLiteral("00:06"), kStatusText, kPlum);
        VERIFY_TEXT(Paint(), 0, 1, QStringLiteral("MONITOR"), kBlack, kGreen);
        Blink(1);
        m_pPaint->OnFlashTimer();
        m_pPaint->OnFlashTimer();
        m_pPaint->OnFlashTimer(); // one and a half seconds
        QCOMPARE(m_pPaint->Countdown(), 4);
        VERIFY_TEXT(Paint(), 115, 0, QStringLiteral("00:04"), kStatusText, kPlum);

        live.m_nModeFlags = 0x00;
        live.m_nTickBase = -5; // never a negative hour
        VERIFY_TEXT(Paint(), 115, 0, QStringLiteral("00:00"), kStatusText, kPlum);
        QCOMPARE(m_pPaint->Countdown(), 0);
        live.m_nTickBase = 23 * 14400 + 59 * 240 + 345600;
        VERIFY_TEXT(Paint(), 115, 0, QStringLiteral("23:59"), kStatusText, kPlum);
    }

    void alarmFlashesThenStaysOn()
    {
        CDeviceLiveState& live = m_Device.m_Live;
        live.m_nModeFlags = 0x04;
        live.m_nBandMask = 5;
        live.m_Thresholds[6] = 5;
        Paint();

        // The bit rises: seven paints of flash, ALARM only in the lit phase.
        live.m_nAlarm = 1;
        Blink(0);
        const QImage& image = Paint();
        QCOMPARE(m_pPaint->AlarmTicks(), CKV520DevicePaint::kAlarmFlashPaints - 1);
        QCOMPARE(image.pixel(5, 36), kBlue); // the normal display in the dark phase
        Blink(1);
        Paint();
        int nPink = 0;
        for (int y = 16; y < 128; ++y)
            for (int x = 0; x < 160; ++x)
                nPink += qRed(image.pixel(x, y)) > 0xC0 && qBlue(image.pixel(x, y)) > 0x80;
        QVERIFY(nPink > 50);
        QCOMPARE(image.pixel(5, 36), kGreen); // nothing else drawn

        Paint(10);
        QCOMPARE(m_pPaint->AlarmTicks(), 0);
        Blink(0); // after the flash the alarm is steady
        QCOMPARE(Paint().pixel(5, 36), kGreen);
        live.m_nAlarm = 0;
        QCOMPARE(Paint().pixel(5, 36), kBlue);
    }

    void alarmBalloonNamesAKnownChannel()
    {
        CDeviceRecord record;
        record.m_nBandMask = 5;
        record.m_Levels = {{30, 50, 0, 2}, {42.5, 45, 0, 2}, {}, {}, {20, 50, 0, 1}, {61, 45, 0, 1}};
        QCOMPARE(CKV520DevicePaint::AlarmBalloonText(record),
                 QStringLiteral("Alarm! A strong signal detected!\nBand: B12\nSignal: DECT\nPulse Level: 61 dB"));
        // No history yet: the balloon still comes, without the fields it cannot fill.
        QCOMPARE(CKV520DevicePaint::AlarmBalloonText(CDeviceRecord()), QStringLiteral("Alarm! A strong signal detected!"));
        // A kind the detector should not send names nothing, as on the display.
        record.m_Levels = {{30, 50, 0, 4}, {42.5, 45, 0, 4}, {}, {}, {20, 50, 0, 42}, {61, 45, 0, 42}};
        QVERIFY(CKV520DevicePaint::AlarmBalloonText(record).contains(QStringLiteral("Signal: WLAN\nPulse Level: 42 dB")));
    }

    void randomLiveStatesNeverReachOutside()
    {
        QRandomGenerator random(521);
        QImage face(160, CKV520DevicePaint::kPanelHeight, QImage::Format_RGB32);
        for (int n = 0; n < 5000; ++n) {
            CDeviceLiveState& live = m_Device.m_Live;
            auto* pBytes = reinterpret_cast<uint8_t*>(&live);
            for (size_t i = 0; i < sizeof(live); ++i)
                pBytes[i] = uint8_t(random.generate());
            if (n % 3 == 0) { // plausible flags more often
                live.m_nModeFlags &= 0x0F;
                live.m_nLanguage &= 1;
                live.m_nAlarm &= 1;
            }
            live.m_nTickBase = int32_t(random.generate());
            m_Device.m_bConnected = random.bounded(8) != 0;
            for (int p : {19, 21, 35, 42, 43})
                m_Device.m_Menu[p] = uint8_t(random.bounded(6));
            if (random.bounded(4) == 0)
                m_pPaint->OnFlashTimer();
            if (random.bounded(16) == 0)
                m_pPaint->NoteZeroKey();
            m_Device.m_LastRecord.m_nBandMask = int32_t(random.generate());
            m_Device.m_LastRecord.m_Levels.clear();
            for (int i = int(random.bounded(7)); i > 0; --i)
                m_Device.m_LastRecord.m_Levels.append(
                    {double(random.bounded(300)) / 2, 0, 0, int32_t(random.bounded(-5, 300))});
            QPainter painter(&face);
            m_pPaint->Paint(&painter);
        }
        QCOMPARE(m_pPaint->DisplayImage().size(), QSize(160, 128));
    }

    void noDeviceObjectPaintsAsNoLink()
    {
        m_pPaint.reset();
        g_pDevice = nullptr;
        m_pPaint = std::make_unique<CCountingPaint>();
        VERIFY_TEXT(Paint(), 10, 4, QStringLiteral("    NO LINK  "), kBlack, kGreen);
        m_pPaint->NoteZeroKey();
        // The device object created later is found then.
        g_pDevice = &m_Device;
        VERIFY_TEXT(Paint(), 45, 0, QString(QChar(0x86)) + QChar(0x87), kStatusText, kPlum);
    }
};

QTEST_MAIN(TestKV520DevicePaint)
#include "tst_kv520devicepaint.moc"
