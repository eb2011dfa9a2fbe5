#pragma once

#include "devicerecord.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QStatusBar;
class QWidget;

// File > "Export Report...": a PDF sweep report of the file the log pane
// shows. Remembers that file as it is opened, so the report is of exactly
// what the user sees.
class CReportExporter : public QObject
{
    Q_OBJECT

public:
    CReportExporter(QAction* pAction, QWidget* pDialogParent, QStatusBar* pStatusBar, QObject* pParent = nullptr);

    // Asks for the report's path; tests answer instead of a file dialog.
    std::function<QString(QWidget* pParent, const QString& strTitle, const QString& strStart)> m_fnChooseSaveFile;

public Q_SLOTS:
    // A file has been opened into the log pane; strPath names it.
    void OnFileShown(const QList<CDeviceRecord>& records, int nVersion, const QString& strPath);
    void OnExportReportAction();

protected:
    // The window's language change also renames the action.
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    QAction* m_pAction;
    QWidget* m_pDialogParent;
    QStatusBar* m_pStatusBar;
    QList<CDeviceRecord> m_Records;
    int m_nVersion = 0;
    QString m_strPath;
};
