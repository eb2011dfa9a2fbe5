#pragma once

#include "kv520devicepaint.h"

#include <QDateTime>
#include <QFrame>
#include <QRect>
#include <QTimer>

#include <array>
#include <functional>

// The replica of the detector's front panel in the main window: the painter
// draws the display and the keyboard, clicks on the keys become key presses.
class CDeviceWidget : public QFrame
{
    Q_OBJECT
public:
    static constexpr int kKeyCount = 6;
    static constexpr int kMenuKey = 5;
    static constexpr int kZeroKey = 1;
    static constexpr int kZeroPairKey = 6;

    explicit CDeviceWidget(QWidget* pParent = nullptr);

    // Opens the device menu dialog, or warns when the detector is not connected.
    void OpenDeviceMenu();

    // What opens the device menu dialog; set once by the main window. Without
    // one, MENU does nothing once the connection is confirmed.
    using MenuOpener = std::function<void(QWidget* pParent)>;
    static void SetMenuOpener(MenuOpener opener);

    // The key code whose region contains the point, or -1.
    static int KeyAt(const QPoint& point);
    static QRect KeyRect(int nKey);

    // PNG files of what the panel shows; false with a reason when writing fails.
    bool SaveDisplayImage(const QString& strPath, QString* pError = nullptr) const;
    bool SavePanelImage(const QString& strPath, QString* pError = nullptr) const;

    CKV520DevicePaint& Painter() { return m_DevicePaint; }

    // The panel key a keyboard key stands for, or -1: digits 1-6 in the
    // order of the key codes, arrows up/down for VOL+/VOL-, Enter for MENU,
    // Backspace for SENS/EXIT.
    static int PanelKeyFor(int nQtKey);
    // The key shown pressed, -1 when none; it lights for kPressedMs.
    int PressedKey() const { return m_nPressedKey; }
    static constexpr int kPressedMs = 150;

Q_SIGNALS:
    void deviceChannelChanged();

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void contextMenuEvent(QContextMenuEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    // The clock that times a ZERO pair; tests supply their own.
    virtual QDateTime CurrentTime() const;

private:
    void OnZeroKey();
    void PressPanelKey(int nKey);
    void OnSaveImage(bool bWholePanel);

    CKV520DevicePaint m_DevicePaint;
    QDateTime m_ZeroPressTime;
    bool m_bZeroPending = false;
    int m_nPressedKey = -1;
    QTimer m_PressedTimer;
};
