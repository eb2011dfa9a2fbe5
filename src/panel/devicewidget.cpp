#include "devicewidget.h"

#include "idevice.h"
#include "widgetpicture.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QImageWriter>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QStandardPaths>

namespace {

// Where the keys lie on the keyboard picture, in widget pixels; the index is
// the key code sent to the detector. Edges are inclusive.
const std::array<QRect, CDeviceWidget::kKeyCount> kKeyRegions = {
    QRect(10, 146, 63, 30),  // PWR/MODE
    QRect(10, 202, 63, 30),  // ZERO
    QRect(85, 146, 63, 30),  // VOL+
    QRect(85, 202, 63, 30),  // VOL-
    QRect(10, 258, 63, 30),  // SENS/EXIT
    QRect(85, 258, 63, 30),  // MENU/ENTER
};

CDeviceWidget::MenuOpener& Opener()
{
    static CDeviceWidget::MenuOpener opener;
    return opener;
}

bool WritePng(const QImage& image, QString strPath, QString* pError)
{
    QImageWriter writer(strPath, "png");
    if (writer.write(image))
        return true;
    if (pError)
        *pError = writer.errorString();
    return false;
}

} // namespace

CDeviceWidget::CDeviceWidget(QWidget* pParent)
    : QFrame(pParent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("Detector front panel"));
    setAccessibleDescription(tr("Replica of the detector's display and keys"));
    setToolTip(tr("Keys: 1 PWR/MODE, 2 ZERO, 3 VOL+, 4 VOL-, 5 SENS/EXIT, 6 MENU/ENTER\n"
                  "Also: Up VOL+, Down VOL-, Enter MENU/ENTER, Backspace SENS/EXIT"));
    m_PressedTimer.setSingleShot(true);
    m_PressedTimer.setInterval(kPressedMs);
    connect(&m_PressedTimer, &QTimer::timeout, this, [this] {
        m_nPressedKey = -1;
        update();
    });
}

int CDeviceWidget::PanelKeyFor(int nQtKey)
{
    if (nQtKey >= Qt::Key_1 && nQtKey < Qt::Key_1 + kKeyCount)
        return nQtKey - Qt::Key_1;
    switch (nQtKey) {
    case Qt::Key_Up:
        return 2;
    case Qt::Key_Down:
        return 3;
    case Qt::Key_Backspace:
        return 4;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kMenuKey;
    default:
        return -1;
    }
}

void CDeviceWidget::keyPressEvent(QKeyEvent* pEvent)
{
    // Ctrl+1 and the like belong to the window's shortcuts.
    const bool bPlain = (pEvent->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const int nKey = bPlain ? PanelKeyFor(pEvent->key()) : -1;
    if (nKey < 0 || pEvent->isAutoRepeat()) {
        // Held keys would queue a burst of presses the detector acts on long after.
        if (nKey < 0)
            QFrame::keyPressEvent(pEvent);
        return;
    }
    PressPanelKey(nKey);
}

void CDeviceWidget::SetMenuOpener(MenuOpener opener)
{
    Opener() = std::move(opener);
}

int CDeviceWidget::KeyAt(const QPoint& point)
{
    for (int nKey = 0; nKey < kKeyCount; ++nKey)
        if (kKeyRegions[nKey].contains(point, false))
            return nKey;
    return -1;
}

QRect CDeviceWidget::KeyRect(int nKey)
{
    return nKey >= 0 && nKey < kKeyCount ? kKeyRegions[nKey] : QRect();
}

QDateTime CDeviceWidget::CurrentTime() const
{
    return QDateTime::currentDateTime();
}

void CDeviceWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_DevicePaint.Paint(&painter);
    if (m_nPressedKey >= 0) {
        // The key sinks: darker, as a physical key in shadow.
        painter.fillRect(KeyRect(m_nPressedKey).adjusted(0, 0, 1, 1), QColor(0, 0, 0, 90));
    }
    if (hasFocus()) {
        QPen pen(palette().color(QPalette::Highlight), 2);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

void CDeviceWidget::mousePressEvent(QMouseEvent* pEvent)
{
    const int nKey = KeyAt(pEvent->position().toPoint());
    if (nKey >= 0)
        PressPanelKey(nKey);
}

void CDeviceWidget::PressPanelKey(int nKey)
{
    m_nPressedKey = nKey;
    m_PressedTimer.start();
    update();
    if (nKey == kMenuKey) {
        OpenDeviceMenu();
        return;
    }
    if (nKey == kZeroKey) {
        OnZeroKey();
        return;
    }
    if (g_pDevice)
        g_pDevice->PressKey(nKey);
}

void CDeviceWidget::OnZeroKey()
{
    int nCode = kZeroKey;
    if (!m_bZeroPending) {
        m_bZeroPending = true;
        m_ZeroPressTime = CurrentTime();
    } else {
        // A clock set back between the clicks gives a negative span: that is
        // no quick second click.
        const qint64 nSeconds = m_ZeroPressTime.secsTo(CurrentTime());
        if (nSeconds >= 0 && nSeconds < 3)
            nCode = kZeroPairKey;
        m_bZeroPending = false;
    }
    if (g_pDevice)
        g_pDevice->PressKey(nCode);
    m_DevicePaint.NoteZeroKey();
    update();
}

void CDeviceWidget::mouseMoveEvent(QMouseEvent* pEvent)
{
    setCursor(KeyAt(pEvent->position().toPoint()) >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void CDeviceWidget::OpenDeviceMenu()
{
    if (!g_pDevice || !g_pDevice->IsConnected()) {
        QMessageBox::warning(this, QCoreApplication::applicationName(), tr("No connection with the device!"),
                             QMessageBox::Ok, QMessageBox::NoButton);
        return;
    }
    if (Opener())
        Opener()(this);
}

void CDeviceWidget::contextMenuEvent(QContextMenuEvent* pEvent)
{
    // Over a key the click was already a key press.
    if (KeyAt(pEvent->pos()) >= 0)
        return;
    QMenu menu(this);
    QAction* pDisplay = menu.addAction(tr("Save Display Image..."));
    QAction* pPanel = menu.addAction(tr("Save Panel Image..."));
    QAction* pCopy = menu.addAction(tr("Cop&y Image"));
    QAction* pChosen = menu.exec(pEvent->globalPos());
    if (pChosen == pCopy)
        CWidgetPicture::CopyToClipboard(this, accessibleName());
    if (pChosen == pDisplay)
        OnSaveImage(false);
    else if (pChosen == pPanel)
        OnSaveImage(true);
}

void CDeviceWidget::OnSaveImage(bool bWholePanel)
{
    const QString strStart = QDir(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation))
                                 .filePath(bWholePanel ? QStringLiteral("kv521_panel.png")
                                                       : QStringLiteral("kv521_display.png"));
    QString strPath = QFileDialog::getSaveFileName(this, bWholePanel ? tr("Save Panel Image") : tr("Save Display Image"),
                                                   strStart, tr("PNG images (*.png)"));
    if (strPath.isEmpty())
        return;
    if (!strPath.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        strPath += QStringLiteral(".png");
    QString strError;
    const bool bSaved = bWholePanel ? SavePanelImage(strPath, &strError) : SaveDisplayImage(strPath, &strError);
    if (!bSaved)
        QMessageBox::warning(this, QCoreApplication::applicationName(),
                             tr("Cannot write the image file %1:\n%2").arg(QDir::toNativeSeparators(strPath), strError),
                             QMessageBox::Ok, QMessageBox::NoButton);
}

bool CDeviceWidget::SaveDisplayImage(const QString& strPath, QString* pError) const
{
    return WritePng(m_DevicePaint.DisplayImage(), strPath, pError);
}

bool CDeviceWidget::SavePanelImage(const QString& strPath, QString* pError) const
{
    return WritePng(m_DevicePaint.PanelImage(), strPath, pError);
}
