#include "dialogsizer.h"

#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>

namespace {

// Room for the title bar's icon and buttons besides the title's text.
constexpr int kTitleBarExtra = 140;
constexpr int kMinimumChars = 48;
const char kWidenedProperty[] = "kv521Widened";

} // namespace

CDialogSizer::CDialogSizer(QObject* pParent)
    : QObject(pParent)
{
}

int CDialogSizer::MinimumWidth(const QWidget* pDialog)
{
    const QFontMetrics titleMetrics(QApplication::font("QMdiSubWindowTitleBar"));
    const QFontMetrics textMetrics(pDialog->font());
    int nWidth = qMax(titleMetrics.horizontalAdvance(pDialog->windowTitle()) + kTitleBarExtra,
                      textMetrics.averageCharWidth() * kMinimumChars);
    if (const QScreen* pScreen = pDialog->screen())
        nWidth = qMin(nWidth, pScreen->availableGeometry().width() * 9 / 10);
    return nWidth;
}

bool CDialogSizer::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    // Before the dialog's own show handling, which fixes a message box's size.
    if (pEvent->type() == QEvent::Show && pWatched->isWidgetType())
        Widen(static_cast<QWidget*>(pWatched));
    return QObject::eventFilter(pWatched, pEvent);
}

void CDialogSizer::Widen(QWidget* pDialog)
{
    const bool bBox = qobject_cast<QMessageBox*>(pDialog) != nullptr;
    const bool bInput = qobject_cast<QInputDialog*>(pDialog) != nullptr;
    const bool bFile = qobject_cast<QFileDialog*>(pDialog) != nullptr;
    if (!bBox && !bInput && !bFile)
        return;
    const int nWidth = MinimumWidth(pDialog);
    if (bBox) {
        // A message box computes a fixed size from its layout's minimum: a
        // spacer across the layout is what makes it wider. Added once only.
        auto* pGrid = qobject_cast<QGridLayout*>(pDialog->layout());
        if (!pGrid || pDialog->property(kWidenedProperty).toBool())
            return;
        pDialog->setProperty(kWidenedProperty, true);
        const QMargins margins = pGrid->contentsMargins();
        pGrid->addItem(new QSpacerItem(nWidth - margins.left() - margins.right(), 0, QSizePolicy::Minimum,
                                       QSizePolicy::Fixed),
                       pGrid->rowCount(), 0, 1, pGrid->columnCount());
        return;
    }
    if (bFile) {
        // The toolkit's own file dialog opens barely wide enough for its buttons.
        const QSize minimum(qMax(nWidth, 640), 420);
        pDialog->resize(pDialog->size().expandedTo(minimum));
        return;
    }
    // An input dialog's layout sets its minimum from the contents: the label
    // is what has to be wide.
    const QMargins margins = pDialog->layout() ? pDialog->layout()->contentsMargins() : QMargins();
    if (auto* pLabel = pDialog->findChild<QLabel*>())
        pLabel->setMinimumWidth(nWidth - margins.left() - margins.right());
    pDialog->setMinimumWidth(nWidth);
    if (pDialog->width() < nWidth)
        pDialog->resize(nWidth, pDialog->height());
}
