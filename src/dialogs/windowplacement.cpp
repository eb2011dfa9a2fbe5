#include "windowplacement.h"

#include <QGuiApplication>
#include <QScreen>

bool CWindowPlacement::IsReachable(const QRect& rect)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return true;
    for (const QScreen* pScreen : screens) {
        const QRect visible = pScreen->availableGeometry().intersected(rect);
        if (visible.width() >= 64 && visible.height() >= 32)
            return true;
    }
    return false;
}

QRect CWindowPlacement::BroughtBack(const QRect& rect)
{
    const QScreen* pScreen = QGuiApplication::primaryScreen();
    if (IsReachable(rect) || !pScreen)
        return rect;
    const QRect screen = pScreen->availableGeometry();
    QRect placed = rect;
    placed.setSize(rect.size().boundedTo(screen.size() - QSize(50, 50)).expandedTo(QSize(1, 1)));
    placed.moveTopLeft(screen.topLeft() + QPoint(50, 50));
    return placed;
}

QRect CWindowPlacement::FirstStart(const QRect& available)
{
    QRect placed(QPoint(0, 0), (available.size() * 3 / 4).expandedTo(QSize(1, 1)));
    placed.moveCenter(available.center());
    return placed;
}

QRect CWindowPlacement::KeptWithin(const QRect& frame, const QRect& available)
{
    QRect kept = frame;
    kept.setSize(frame.size().boundedTo(available.size()));
    if (kept.right() > available.right())
        kept.moveRight(available.right());
    if (kept.bottom() > available.bottom())
        kept.moveBottom(available.bottom());
    if (kept.left() < available.left())
        kept.moveLeft(available.left());
    if (kept.top() < available.top())
        kept.moveTop(available.top());
    return kept;
}
