#pragma once

#include "devicelivestate.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QObject>
#include <QPixmap>
#include <QTimer>

#include <array>
#include <cstdint>
#include <utility>

class IDevice;
class QPainter;
class CDeviceRecord;

// Draws the replica of the detector's front: its 160 x 128 display rebuilt
// from the live state with the detector's own font, and below it the keyboard
// picture. It only draws: the beep, the tray and the balloon of an alarm follow
// the poll (CAlarmNotifier), so they work while the panel is not painted.
//
// Every byte of the live state comes from the detector, so every table lookup
// below is bounds-checked: unknown codes draw blanks, counts are clamped to
// the line, and nothing is drawn outside the display.
class CKV520DevicePaint : public QObject
{
    Q_OBJECT
public:
    static constexpr int kDisplayWidth = 160;
    static constexpr int kDisplayHeight = 128;
    static constexpr int kKeyboardTop = 129;
    static constexpr int kKeyboardHeight = 175;
    static constexpr int kPanelHeight = kKeyboardTop + kKeyboardHeight;
    // Paints of the alarm flash that starts when the alarm bit rises.
    static constexpr int kAlarmFlashPaints = 7;
    // Paints during which a ZERO press in search mode shows the zero word:
    // about two seconds at the main window's repaint rate.
    static constexpr int kZeroPaints = 16;

    CKV520DevicePaint();
    ~CKV520DevicePaint() override;

    // Draws one frame: the keyboard at (0, 129) and the display at (0, 0).
    void Paint(QPainter* pPainter);

    // The display as drawn by the last paint, 160 x 128.
    const QImage& DisplayImage() const { return m_Display; }
    // The whole face as drawn by the last paint, 160 x 304, without repainting.
    QImage PanelImage() const;

    // A ZERO key press was sent: in search mode the zero word replaces the band
    // name for a while, so the user sees the press was taken.
    void NoteZeroKey();

    // The alarm message for the newest record: its band and the last channel
    // with a known signal kind.
    static QString AlarmBalloonText(const CDeviceRecord& record);
    int BlinkPhase() const { return m_nBlink; }
    int Countdown() const { return m_nCountdown; }
    int AlarmTicks() const { return m_nAlarmTicks; }
    int ZeroTicks() const { return m_nZeroTicks; }

public Q_SLOTS:
    void OnFlashTimer();

private:
    using TracePoint = std::pair<uint8_t, uint8_t>;

    IDevice* Device();
    void RenderDisplay();
    void DrawStatusLine(const CDeviceLiveState& live, bool bConnected, IDevice* pDevice);
    void DrawClock(const CDeviceLiveState& live, IDevice* pDevice);
    void DrawAlarm();
    void DrawChannel(const CDeviceLiveState& live, int nChannel, int nRow, bool bGraph, bool bThin,
                     IDevice* pDevice);
    void DrawGraph(const CDeviceLiveState& live, int nChannel, IDevice* pDevice);
    void DrawTriangle(int nThreshold, int nShiftFrom, int* pX);

    // Text primitives on the display image.
    void MoveTo(int nX, int nRow);
    void SetColours(int nForeground, int nBackground);
    void DrawCode(uint8_t nCode);
    void DrawCodes(const uint8_t* pCodes, int nCount);
    void DrawText(const char* pszAscii);
    void DrawTextAt(int nX, int nRow, const char16_t* pszText);
    void FillRect(int nX, int nY, int nWidth, int nHeight, QRgb colour);
    void SetPixel(int nX, int nY, QRgb colour);
    void PrintNumber(uint32_t nValue, int nFormat);

    IDevice* m_pDevice = nullptr;
    uint8_t m_nBlink = 0;
    uint8_t m_nCountdown = 0;
    uint8_t m_nAlarmTicks = 0;
    QFont m_AlarmFont;
    QTimer m_FlashTimer;
    QPainter* m_pPainter = nullptr;
    int m_nX = 0;   // wider than a byte so a long text cannot wrap back to x 0
    int m_nRow = 0;
    std::array<TracePoint, kDisplayWidth> m_Trace;
    uint8_t m_nTraceIndex = 0;
    int m_nTraceDivider = 1;
    int m_nTraceCount = 0;
    QRgb m_Foreground = 0;
    QRgb m_Background = 0;
    QPixmap m_Keyboard;
    QImage m_Display;
    int m_nZeroTicks = 0;

    bool m_bLastAlarmBit = false;
};
