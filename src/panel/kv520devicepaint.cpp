#include "kv520devicepaint.h"

#include "idevice.h"
#include "kv520menupositions.h"
#include "panelfont.h"

#include <QApplication>
#include <QPainter>
#include <QStringList>

#include <algorithm>

namespace {

// Colour indexes of the detector's palette that the display uses.
enum : int {
    kStatusText = 10,
    kBackground = 47,
    kStatusBack = 93,
    kRed = 97,
    kBlue = 99,
    kBlack = 100,
};

QRgb PaletteColour(int nIndex)
{
    switch (nIndex) {
    case kStatusText:
        return 0xFFF0FFF0;
    case kBackground:
        return 0xFF00FF7F;
    case kStatusBack:
        return 0xFFDDA0DD;
    case kRed:
        return 0xFFFF0000;
    case kBlue:
        return 0xFF0000FF;
    default:
        return 0xFF000000;
    }
}

// Text rows are 16 pixels high.
constexpr int kRowHeight = 16;
constexpr int kBarPitch = 5;
constexpr int kBarsPerLine = CKV520DevicePaint::kDisplayWidth / kBarPitch;
// A trace point that holds no value. Levels halved never exceed 127.
constexpr uint8_t kNoTrace = 0xFF;
// The level graph spans these display lines (a level of 127 dB to 0 dB).
constexpr int kGraphTop = 32;
constexpr int kGraphBottom = 96;

const char16_t* const kSignalNames[] = {
    u"         ", u"DECT     ", u"GSM      ", u"BLUETOOTH", u"WLAN     ", u"DECT BASE", u"WLAN BASE",
};
const char16_t* const kModeNames[2][4] = {
    {u"SEARCH ", u"MONITOR", u"MONITOR", u"ALARM  "},
    {u"ПОИСК  ", u"МОНИТОР", u"МОНИТОР", u"ТРЕВОГА"},
};
const char16_t* const kBandNames[2][8] = {
    {u"    ", u"  B1", u" B1F", u"    ", u"  B2", u" B12", u"B12F", u"    "},
    {u"    ", u"  Д1", u" Д1Ф", u"    ", u"  Д2", u" Д12", u"Д12Ф", u"    "},
};
const char16_t* const kSensitivity[2][3] = {
    {u"H", u"M", u"L"},
    {u"В", u"С", u"Н"},
};
const char16_t* const kNoLink[2] = {u"    NO LINK  ", u"   НЕТ СВЯЗИ "};
const char16_t* const kZero[2] = {u"ZERO", u"НУЛЬ"};

const char16_t* SignalName(int nKind)
{
    return nKind >= 0 && nKind < int(std::size(kSignalNames)) ? kSignalNames[nKind] : kSignalNames[0];
}

const char16_t* BandName(int nLanguage, int nMask)
{
    return nMask >= 0 && nMask < 8 ? kBandNames[nLanguage][nMask] : kBandNames[nLanguage][0];
}

// The detector's 8-bit code of a character: ASCII as it is, the Russian
// letters in Windows-1251 order; anything else shows as a blank.
uint8_t PanelCode(char16_t ch)
{
    if (ch >= 0x20 && ch < 0x7F)
        return uint8_t(ch);
    if (ch >= 0x0410 && ch <= 0x044F)
        return uint8_t(0xC0 + (ch - 0x0410));
    return ' ';
}

// The last channel whose signal kind is one the detector names, or -1.
int LastSignalChannel(const uint8_t* pKinds)
{
    int nChannel = -1;
    for (int c = 0; c < 3; ++c)
        if (pKinds[c] > 0 && pKinds[c] < std::size(kSignalNames))
            nChannel = c;
    return nChannel;
}

int TraceDivider(uint8_t nRecorderTime)
{
    switch (nRecorderTime) {
    case 1:
        return 5;
    case 2:
        return 25;
    case 3:
        return 50;
    case 4:
        return 150;
    default:
        return 1;
    }
}

// Levels are shown as two digits; louder than 99 dB saturates rather than
// dropping the hundreds.
uint32_t TwoDigits(uint8_t nHalfDb)
{
    return std::min<uint32_t>(nHalfDb / 2, 99);
}

} // namespace

CKV520DevicePaint::CKV520DevicePaint()
    : m_pDevice(g_pDevice)
    , m_AlarmFont(QStringLiteral("Arial"), 25)
    , m_Keyboard(QStringLiteral(":/CKV521MainWindow/Resources/keyb520.bmp"))
    , m_Display(kDisplayWidth, kDisplayHeight, QImage::Format_RGB32)
{
    m_Trace.fill(TracePoint(kNoTrace, kNoTrace));
    m_Display.fill(PaletteColour(kBackground));
    m_FlashTimer.setInterval(500);
    connect(&m_FlashTimer, &QTimer::timeout, this, &CKV520DevicePaint::OnFlashTimer);
    m_FlashTimer.start();
}

CKV520DevicePaint::~CKV520DevicePaint() = default;

IDevice* CKV520DevicePaint::Device()
{
    // The panel may be built before the device object exists.
    if (!m_pDevice)
        m_pDevice = g_pDevice;
    return m_pDevice;
}

void CKV520DevicePaint::OnFlashTimer()
{
    if (m_nBlink == 1 && m_nCountdown > 0)
        --m_nCountdown;
    m_nBlink = m_nBlink ? 0 : 1;
}

void CKV520DevicePaint::NoteZeroKey()
{
    IDevice* pDevice = Device();
    if (!pDevice || !pDevice->IsConnected())
        return;
    // In monitor mode the word is never shown; a pending count would only
    // surface at the next switch to search mode, long after the press.
    if (pDevice->GetLiveState().m_nModeFlags & 0x01)
        m_nZeroTicks = kZeroPaints;
}

void CKV520DevicePaint::Paint(QPainter* pPainter)
{
    if (!pPainter)
        return;
    RenderDisplay();
    m_pPainter = pPainter;
    pPainter->drawPixmap(QRect(0, kKeyboardTop, kDisplayWidth, kKeyboardHeight), m_Keyboard);
    pPainter->drawImage(0, 0, m_Display);
    m_pPainter = nullptr;
}

QImage CKV520DevicePaint::PanelImage() const
{
    QImage image(kDisplayWidth, kPanelHeight, QImage::Format_RGB32);
    image.fill(QColor(0x2B, 0x2E, 0x33));
    QPainter painter(&image);
    painter.drawPixmap(QRect(0, kKeyboardTop, kDisplayWidth, kKeyboardHeight), m_Keyboard);
    painter.drawImage(0, 0, m_Display);
    return image;
}

void CKV520DevicePaint::RenderDisplay()
{
    IDevice* pDevice = Device();
    const bool bConnected = pDevice && pDevice->IsConnected();
    // One copy per paint: the worker may rewrite the live state meanwhile.
    const CDeviceLiveState live = pDevice ? pDevice->GetLiveState() : CDeviceLiveState();
    const int nLanguage = live.m_nLanguage == 1 ? 1 : 0;

    m_Display.fill(PaletteColour(kBackground));
    SetColours(kStatusText, kStatusBack);
    MoveTo(0, 0);
    for (int i = 0; i < 13; ++i)
        DrawCode(' ');
    DrawStatusLine(live, bConnected, pDevice);
    SetColours(kBlack, kBackground);

    if (!bConnected) {
        DrawTextAt(10, 4, kNoLink[nLanguage]);
        return;
    }

    // The flash starts on every new alarm, and on the change byte where a
    // detector sets it; afterwards the alarm stays on while the bit does.
    const bool bAlarmBit = live.m_nAlarm != 0;
    if (live.m_nChangeByte != 0 && live.m_nChangeByte != 100)
        m_nAlarmTicks = kAlarmFlashPaints;
    if (bAlarmBit && !m_bLastAlarmBit)
        m_nAlarmTicks = kAlarmFlashPaints;
    m_bLastAlarmBit = bAlarmBit;

    const bool bDisplayAlarm = (m_nAlarmTicks != 0 && m_nBlink == 1) || (bAlarmBit && m_nAlarmTicks == 0);
    if (m_nAlarmTicks != 0)
        --m_nAlarmTicks;

    DrawClock(live, pDevice);
    SetColours(kBlack, kBackground);

    if (bDisplayAlarm) {
        DrawAlarm();
        return;
    }

    const int nSignalChannel = LastSignalChannel(live.m_Levels + 6);
    if (nSignalChannel >= 0)
        DrawTextAt(0, 7, SignalName(live.m_Levels[6 + nSignalChannel]));

    const uint8_t nFlags = live.m_nModeFlags;
    if (nFlags & 0x01) {
        DrawTextAt(0, 1, kModeNames[nLanguage][0]);
        if (m_nZeroTicks > 0) {
            DrawTextAt(124, 1, kZero[nLanguage]);
            --m_nZeroTicks;
        } else {
            DrawTextAt(124, 1, BandName(nLanguage, live.m_nBandMask));
        }
        if (live.m_nStatusB < 3)
            DrawTextAt(75, 1, kSensitivity[nLanguage][live.m_nStatusB]);
        if (live.m_Levels[20]) {
            const uint32_t nFrequency = uint32_t(live.m_Levels[16]) | uint32_t(live.m_Levels[17]) << 8
                | uint32_t(live.m_Levels[18]) << 16 | uint32_t(live.m_Levels[19]) << 24;
            MoveTo(97, 7);
            PrintNumber(nFrequency, 0);
        }
    } else {
        if (nFlags != 0) {
            const bool bLogging = pDevice->GetMenuByte(KV520Menu::kLogger) != 0;
            if (nFlags & 0x02)
                DrawTextAt(0, 1, kModeNames[nLanguage][2]);
            else if (m_nBlink == 1 || !bLogging)
                DrawTextAt(0, 1, kModeNames[nLanguage][live.m_nStatusC ? 3 : 1]);
            MoveTo(79, 1);
            if (bLogging)
                PrintNumber(live.m_nStatusWord, 99);
            else
                DrawText("---");
            DrawTextAt(124, 1, BandName(nLanguage, live.m_nBandMask));
        }
    }

    const bool bThin = (nFlags & 0x04) || nFlags == 8;
    const bool bRecorder = pDevice->GetMenuByte(KV520Menu::kRecorder) != 0;
    const uint8_t nMask = live.m_nBandMask;
    if (nMask & 0x01)
        DrawChannel(live, 0, 2, bRecorder && !(nMask & 0x04), bThin, pDevice);
    if (nMask & 0x02)
        DrawChannel(live, 1, 2, bRecorder && !(nMask & 0x04), bThin, pDevice);
    if (nMask & 0x04) {
        const int nRow = (nMask & 0x03) ? 4 : 2;
        DrawChannel(live, 2, nRow, bRecorder && nRow == 2, bThin, pDevice);
    }
}

void CKV520DevicePaint::DrawStatusLine(const CDeviceLiveState& live, bool bConnected, IDevice* pDevice)
{
    static const uint8_t kDetector[] = {0x96, 0x97};
    static const uint8_t kLink[] = {0x86, 0x87};
    static const uint8_t kSpeakerOn[] = {0x92, 0x93};
    static const uint8_t kSpeakerOff[] = {0x94, 0x95};
    static const uint8_t kVolume[] = {' ', 0x8B, 0x8C, 0x8D, 0x8E, 0x8F};

    MoveTo(0, 0);
    DrawCodes(kDetector, 2);
    if (bConnected) {
        MoveTo(45, 0);
        DrawCodes(kLink, 2);
    }
    MoveTo(63, 0);
    DrawCode(' ');
    MoveTo(72, 0);
    DrawCodes(live.m_nStatusAClear == 0 ? kSpeakerOn : kSpeakerOff, 2);
    MoveTo(90, 0);
    DrawCode(live.m_nStatusA < std::size(kVolume) ? kVolume[live.m_nStatusA] : ' ');
    MoveTo(103, 0);
    DrawCode(pDevice && pDevice->GetMenuByte(KV520Menu::kSchedule) ? 0x89 : ' ');
}

void CKV520DevicePaint::DrawClock(const CDeviceLiveState& live, IDevice* pDevice)
{
    SetColours(kStatusText, kStatusBack);
    MoveTo(115, 0);
    if (live.m_nModeFlags & 0x02) {
        if (m_nCountdown == 0)
            m_nCountdown = 6;
        PrintNumber(m_nCountdown / 60, 98);
        DrawCode(':');
        PrintNumber(m_nCountdown % 60, 98);
    } else {
        m_nCountdown = 0;
        // The live state stands still while a command is pending or frames
        // carry no measurement; the detector's clock goes on in every frame.
        const int32_t nNewest = pDevice ? pDevice->GetNewestTick() : -1;
        const int64_t nTick = std::max<int64_t>(nNewest >= 0 ? nNewest : live.m_nTickBase, 0);
        PrintNumber(uint32_t(nTick / 14400 % 24), 98);
        DrawCode(':');
        PrintNumber(uint32_t(nTick / 240 % 60), 98);
    }
}

void CKV520DevicePaint::DrawAlarm()
{
    QPainter painter(&m_Display);
    painter.setFont(m_AlarmFont);
    painter.setPen(QColor(0xFF69B4));
    painter.setBrush(QColor(0x00FF7F));
    painter.drawText(QRect(0, 0, kDisplayWidth, kDisplayHeight), Qt::AlignCenter, QStringLiteral("ALARM"));
}

QString CKV520DevicePaint::AlarmBalloonText(const CDeviceRecord& record)
{
    int nChannel = -1;
    // Kinds outside the name table are ignored here as on the display.
    for (int c = 0; c < 3 && 2 * c + 1 < record.m_Levels.size(); ++c) {
        const int nKind = record.m_Levels.at(2 * c).m_nSignal;
        if (nKind > 0 && nKind < kSignalKindCount)
            nChannel = c;
    }
    QString strSignal;
    int nPulse = 0;
    if (nChannel >= 0) {
        strSignal = QString::fromUtf16(SignalName(record.m_Levels.at(2 * nChannel).m_nSignal)).trimmed();
        nPulse = int(record.m_Levels.at(2 * nChannel + 1).m_dLevel);
    }
    const QString strBand = QString::fromUtf16(BandName(0, record.m_nBandMask)).trimmed();
    // Only what is known: an empty "Band:" reads as a fault.
    QStringList lines{tr("Alarm! A strong signal detected!")};
    if (!strBand.isEmpty())
        lines << tr("Band: %1").arg(strBand);
    if (!strSignal.isEmpty())
        lines << tr("Signal: %1").arg(strSignal);
    if (nChannel >= 0)
        lines << tr("Pulse Level: %1 dB").arg(nPulse);
    return lines.join(QLatin1Char('\n'));
}

void CKV520DevicePaint::DrawChannel(const CDeviceLiveState& live, int nChannel, int nRow, bool bGraph, bool bThin,
                                    IDevice* pDevice)
{
    const int nTop = nRow * kRowHeight;
    const int nBars = std::min<int>(live.m_Thresholds[6 + nChannel], kBarsPerLine);
    const int nMarker = live.m_Thresholds[9 + nChannel];
    const int nBarTop = nTop + 4;
    const int nBarHeight = bThin ? 8 : 12;

    SetColours(kBlue, kBackground);
    for (int i = 0; i < nBars; ++i)
        FillRect(i * kBarPitch, nBarTop, 3, nBarHeight, m_Foreground);
    FillRect(nBars * kBarPitch, nBarTop, kDisplayWidth - nBars * kBarPitch, nBarHeight, m_Background);
    if (nMarker < kBarsPerLine)
        FillRect(nMarker * kBarPitch, nBarTop, 3, nBarHeight, PaletteColour(kRed));

    if (bThin) {
        m_nRow = nTop;
        int nDcX = -1;
        SetColours(kBlue, kBackground);
        DrawTriangle(live.m_Levels[9 + nChannel], -1, &nDcX);
        SetColours(kRed, kBackground);
        int nAcX = -1;
        DrawTriangle(live.m_Levels[12 + nChannel], nDcX, &nAcX);
    }

    // The text line is 16 glyphs wide; it ends at the right edge like the
    // other right-hand fields.
    const int nTextRow = nRow + 1;
    MoveTo(kDisplayWidth - 16 * kPanelGlyphWidth, nTextRow);
    SetColours(kBlack, kBackground);
    DrawText(bThin ? "S=" : "Z=");
    SetColours(kBlue, kBackground);
    PrintNumber(TwoDigits(live.m_Thresholds[nChannel]), 98);
    SetColours(kBlack, kBackground);
    DrawText("/");
    SetColours(kRed, kBackground);
    PrintNumber(TwoDigits(live.m_Thresholds[3 + nChannel]), 98);
    SetColours(kBlack, kBackground);
    DrawText("  L=");
    SetColours(kBlue, kBackground);
    PrintNumber(TwoDigits(live.m_Levels[nChannel]), 98);
    SetColours(kBlack, kBackground);
    DrawText("/");
    SetColours(kRed, kBackground);
    PrintNumber(TwoDigits(live.m_Levels[3 + nChannel]), 98);
    SetColours(kBlack, kBackground);

    if (bGraph)
        DrawGraph(live, nChannel, pDevice);
}

void CKV520DevicePaint::DrawTriangle(int nThreshold, int nShiftFrom, int* pX)
{
    static const int kHeights[7] = {1, 2, 3, 4, 3, 2, 1};
    if (nThreshold == 255)
        return;
    const int p = nThreshold >= 132 ? kBarsPerLine : nThreshold / 4;
    int nX = p == 0 ? 0 : p * kBarPitch - 3;
    if (nX == nShiftFrom)
        nX += 2;
    *pX = nX;
    // Under the thin bars, pointing up at them.
    const int nBottom = m_nRow + kRowHeight;
    for (int i = 0; i < 7; ++i)
        FillRect(nX + i, nBottom - kHeights[i], 1, kHeights[i], m_Foreground);
}

void CKV520DevicePaint::DrawGraph(const CDeviceLiveState& live, int nChannel, IDevice* pDevice)
{
    m_nTraceDivider = TraceDivider(pDevice->GetMenuByte(KV520Menu::kRecorderTime));
    if (++m_nTraceCount >= m_nTraceDivider) {
        m_nTraceCount = 0;
        m_Trace[m_nTraceIndex] = TracePoint(live.m_Levels[nChannel] / 2, live.m_Levels[3 + nChannel] / 2);
        m_nTraceIndex = uint8_t((m_nTraceIndex + 1) % kDisplayWidth);
    }
    const auto y = [](int v) { return (128 - 128 * v / 254) - 32; };
    for (int x = 0; x < kDisplayWidth; ++x) {
        if (x == m_nTraceIndex)
            FillRect(x, kGraphTop, 1, kGraphBottom - kGraphTop + 1, PaletteColour(kBackground));
        const TracePoint& point = m_Trace[x];
        if (point.first != kNoTrace)
            SetPixel(x, y(point.first), PaletteColour(kBlue));
        if (point.second != kNoTrace)
            SetPixel(x, y(point.second), PaletteColour(kRed));
    }
}

void CKV520DevicePaint::MoveTo(int nX, int nRow)
{
    m_nX = nX;
    m_nRow = nRow * kRowHeight;
}

void CKV520DevicePaint::SetColours(int nForeground, int nBackground)
{
    m_Foreground = PaletteColour(nForeground);
    m_Background = PaletteColour(nBackground);
}

void CKV520DevicePaint::DrawCode(uint8_t nCode)
{
    const uint8_t* pGlyph = g_PanelFont + nCode * kPanelGlyphBytes;
    for (int r = 0; r < kPanelGlyphHeight; ++r) {
        const int y = m_nRow + r;
        if (y < 0 || y >= kDisplayHeight)
            continue;
        const unsigned nBits = pGlyph[2 * r] | (pGlyph[2 * r + 1] & 1u) << 8;
        QRgb* pLine = reinterpret_cast<QRgb*>(m_Display.scanLine(y));
        for (int c = 0; c < kPanelGlyphWidth; ++c) {
            const int x = m_nX + c;
            if (x >= 0 && x < kDisplayWidth)
                pLine[x] = (nBits >> c) & 1u ? m_Foreground : m_Background;
        }
    }
    m_nX += kPanelGlyphWidth;
}

void CKV520DevicePaint::DrawCodes(const uint8_t* pCodes, int nCount)
{
    for (int i = 0; i < nCount; ++i)
        DrawCode(pCodes[i]);
}

void CKV520DevicePaint::DrawText(const char* pszAscii)
{
    for (; *pszAscii; ++pszAscii)
        DrawCode(PanelCode(char16_t(uint8_t(*pszAscii))));
}

void CKV520DevicePaint::DrawTextAt(int nX, int nRow, const char16_t* pszText)
{
    MoveTo(nX, nRow);
    for (; *pszText; ++pszText)
        DrawCode(PanelCode(*pszText));
}

void CKV520DevicePaint::FillRect(int nX, int nY, int nWidth, int nHeight, QRgb colour)
{
    const int x0 = std::max(nX, 0);
    const int x1 = std::min(nX + nWidth, kDisplayWidth);
    const int y0 = std::max(nY, 0);
    const int y1 = std::min(nY + nHeight, kDisplayHeight);
    for (int y = y0; y < y1; ++y) {
        QRgb* pLine = reinterpret_cast<QRgb*>(m_Display.scanLine(y));
        std::fill(pLine + x0, pLine + std::max(x0, x1), colour);
    }
}

void CKV520DevicePaint::SetPixel(int nX, int nY, QRgb colour)
{
    if (nX >= 0 && nX < kDisplayWidth && nY >= 0 && nY < kDisplayHeight)
        reinterpret_cast<QRgb*>(m_Display.scanLine(nY))[nX] = colour;
}

void CKV520DevicePaint::PrintNumber(uint32_t nValue, int nFormat)
{
    uint8_t d[11] = {}; // d[1] units, d[2] tens, ...
    for (int i = 1; i <= 10; ++i) {
        d[i] = uint8_t(nValue % 10);
        nValue /= 10;
    }
    const auto digits = [&](int nFrom, int nTo) {
        for (int i = nFrom; i >= nTo; --i)
            DrawCode(uint8_t('0' + d[i]));
    };
    switch (nFormat) {
    case 90:
        digits(4, 1);
        break;
    case 93:
        digits(5, 1);
        break;
    case 94:
        digits(1, 1);
        break;
    case 98:
        digits(2, 1);
        break;
    case 99:
        digits(3, 1);
        break;
    case 0:
        digits(7, 4);
        DrawCode('.');
        digits(3, 2);
        break;
    default:
        digits(7, 1);
        break;
    }
}
