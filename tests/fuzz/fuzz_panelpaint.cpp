// The front-panel replica painted from live states and menu bytes as the
// detector might send them, a few paints in a row so the blinking, the alarm
// flash and the level trace all run, into an offscreen image.
#include "fuzzcheck.h"
#include "fuzzreader.h"
#include "fakedevice.h"
#include "kv520devicepaint.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

extern "C" int LLVMFuzzerInitialize(int* pArgc, char*** pArgv)
{
    StartFuzzApplication<QApplication>(pArgc, pArgv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    CFuzzReader input(pData, nSize);
    CFakeDevice device;
    g_pDevice = &device;
    CKV520DevicePaint paint;
    QImage image(CKV520DevicePaint::kDisplayWidth, CKV520DevicePaint::kPanelHeight, QImage::Format_ARGB32);

    for (int n = 0; n < 4 && input.Remaining() > 0; ++n) {
        CDeviceLiveState& s = device.m_Live;
        s.m_nModeFlags = input.Byte();
        s.m_nStatusA = input.Byte();
        s.m_nStatusAClear = input.Byte();
        s.m_nStatusB = input.Byte();
        s.m_nBandMask = input.Byte();
        s.m_nLanguage = input.Byte();
        s.m_nAlarm = input.Byte();
        s.m_nIndicator3 = input.Byte();
        s.m_nStatusWord = input.Word();
        s.m_nChangeByte = input.Byte();
        s.m_nStatusC = input.Byte();
        input.Fill(s.m_Levels, sizeof(s.m_Levels));
        input.Fill(s.m_Thresholds, sizeof(s.m_Thresholds));
        s.m_nOscParam = int32_t(input.Long());
        s.m_nTickBase = int32_t(input.Long());
        s.m_nFrameCount = input.Long();
        input.Fill(device.m_Menu.data(), device.m_Menu.size());
        const uint8_t nFlags = input.Byte();
        device.m_bConnected = (nFlags & 1) != 0;
        if (nFlags & 2)
            paint.NoteZeroKey();
        if (nFlags & 4)
            paint.OnFlashTimer();

        QPainter painter(&image);
        paint.Paint(&painter);
        painter.end();
        FUZZ_CHECK(paint.DisplayImage().width() == CKV520DevicePaint::kDisplayWidth
                   && paint.DisplayImage().height() == CKV520DevicePaint::kDisplayHeight);
    }
    g_pDevice = nullptr;
    return 0;
}
