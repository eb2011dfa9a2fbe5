#pragma once

class CLogView;
class QMainWindow;
class QSplitter;
class QTabWidget;
class QTreeWidget;

// What the window looks like between runs: geometry, the split between the
// log and realtime panes, the log list's column widths and the log tab.
class CWindowState
{
public:
    CWindowState(QMainWindow* pWindow, QSplitter* pSplitter, QTreeWidget* pLogList, QTabWidget* pLogTabs,
                 CLogView* pLogView);

    void Restore();
    void Save() const;
    // The two panes share the height equally.
    void SplitHalves();
    // Gives pane nPane (0 log, 1 realtime) the whole height, or halves again
    // when it has it; true when it now has it.
    bool ToggleMaximized(int nPane);

private:
    QMainWindow* m_pWindow;
    QSplitter* m_pSplitter;
    QTreeWidget* m_pLogList;
    QTabWidget* m_pLogTabs;
    CLogView* m_pLogView;
};
