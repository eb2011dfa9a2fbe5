#include "windowstate.h"

#include "logview.h"
#include "windowplacement.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QTabWidget>
#include <QTreeWidget>

CWindowState::CWindowState(QMainWindow* pWindow, QSplitter* pSplitter, QTreeWidget* pLogList, QTabWidget* pLogTabs,
                           CLogView* pLogView)
    : m_pWindow(pWindow), m_pSplitter(pSplitter), m_pLogList(pLogList), m_pLogTabs(pLogTabs), m_pLogView(pLogView)
{
}

void CWindowState::SplitHalves()
{
    const int h = m_pWindow->height();
    m_pSplitter->setSizes({h / 2, h / 2});
}

bool CWindowState::ToggleMaximized(int nPane)
{
    const int h = m_pWindow->height();
    const bool bMaximize = m_pSplitter->sizes().value(1 - nPane) != 0;
    const QList<int> whole = nPane == 0 ? QList<int>{h, 0} : QList<int>{0, h};
    m_pSplitter->setSizes(bMaximize ? whole : QList<int>{h / 2, h / 2});
    return bMaximize;
}

void CWindowState::Restore()
{
    QSettings settings;
    const QScreen* pScreen = m_pWindow->screen() ? m_pWindow->screen() : QGuiApplication::primaryScreen();
    const QRect firstStart = pScreen ? CWindowPlacement::FirstStart(pScreen->availableGeometry())
                                     : QRect(50, 50, 600, 400);
    QRect geometry = settings.value(QStringLiteral("Window/Geometry"), firstStart).toRect();
    if (!geometry.isValid())
        geometry = firstStart;
    geometry = CWindowPlacement::BroughtBack(geometry);
    m_pWindow->setGeometry(geometry);
    m_pWindow->setWindowState(settings.value(QStringLiteral("Window/Maximized"), false).toBool() ? Qt::WindowMaximized
                                                                                                : Qt::WindowNoState);
    if (!m_pSplitter->restoreState(settings.value(QStringLiteral("Window/Splitter")).toByteArray()))
        SplitHalves();
    QList<int> widths;
    for (int i = 0; i < m_pLogList->columnCount(); ++i) {
        const QVariant vWidth = settings.value(QStringLiteral("Window/Log/Column%1").arg(i));
        if (!vWidth.isValid())
            break;
        widths << vWidth.toInt();
    }
    m_pLogView->RestoreColumnWidths(widths);
    m_pLogTabs->setCurrentIndex(settings.value(QStringLiteral("Window/Log/TabIndex"), 0).toInt());
}

void CWindowState::Save() const
{
    QSettings settings;
    settings.setValue(QStringLiteral("Window/Maximized"), m_pWindow->isMaximized());
    settings.setValue(QStringLiteral("Window/Geometry"), m_pWindow->geometry());
    settings.setValue(QStringLiteral("Window/Splitter"), m_pSplitter->saveState());
    // Widths fitted to a list are not the user's: the next list fits its own.
    if (!m_pLogView->IsAutoColumnWidths())
        for (int i = 0; i < m_pLogList->columnCount(); ++i)
            settings.setValue(QStringLiteral("Window/Log/Column%1").arg(i), m_pLogList->columnWidth(i));
    settings.setValue(QStringLiteral("Window/Log/TabIndex"), m_pLogTabs->currentIndex());
    // The language is stored only when the user picks one: until then a
    // change of the desktop's language is followed.
}
