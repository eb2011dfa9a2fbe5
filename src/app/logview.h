#pragma once

#include "devicerecord.h"
#include "recordtexts.h"
#include "sweepcontext.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <functional>

class QLabel;
class QMenu;
class QLineEdit;
class QStatusBar;
class QTabWidget;
class QTreeWidget;
class QWidget;
class CQDiagramWidget;
class CStorageBrowser;

// The "Logged Data" pane: an opened file shown as a diagram and, for log
// files, as a sortable list; and the download of the detector's log into the
// storage. Its columns are the record texts' columns.
class CLogView : public QObject, public CRecordTexts
{
    Q_OBJECT
public:
    CLogView(CQDiagramWidget* pGraph, QTreeWidget* pList, QTabWidget* pTabs, QLabel* pNumEventsLabel,
             QLineEdit* pNumEventsEdit, QWidget* pDialogParent, QStatusBar* pStatusBar, QObject* pParent = nullptr);

    // Where downloaded logs go; the browser's selected folder.
    void SetStorageBrowser(CStorageBrowser* pStorage) { m_pStorage = pStorage; }

    // (Re)sets the translated column titles.
    void InitLogList();
    // Widths the user has given the columns, kept from then on; without them
    // every loaded list sizes its columns to what they hold.
    void RestoreColumnWidths(const QList<int>& widths);
    bool IsAutoColumnWidths() const { return m_bAutoWidths; }
    void FillLogList(const QList<CDeviceRecord>& records);
    void ShowFileData(const QList<CDeviceRecord>& records, int nVersion);
    // Brings record nIndex of the file shown (from 0, in file order) into
    // view: the diagram centred on its time, its row current in the list.
    // False when the file has no such record.
    bool ShowRecord(qint64 nIndex);
    // The diagram's window when a record is shown: wide enough to see what
    // led up to it, narrow enough to see the record itself.
    static constexpr qint64 kRecordWindowSecs = 300;
    // The list rows' record index (from 0), on the number column.
    static constexpr int RecordRole = Qt::UserRole + 1;

    // The file shown: a log file's session may be given its site and room.
    void SetShownFile(const QString& strPath) { m_strShownFile = strPath; }
    // Where the values offered for a site and room come from.
    void SetKnownValues(std::function<QVariantMap()> known) { m_KnownValues = std::move(known); }
    // Gives the shown session another site and room; false when it is not a log file or the sidecar failed.
    bool SetSessionPlace(const CSweepContext& place);
    QString ShownFile() const { return m_strShownFile; }
    // Adds what can be done to the session shown to the list's context menu.
    void SetSessionMenu(std::function<void(QMenu* pMenu, const QString& strPath)> fill)
    {
        m_FillSessionMenu = std::move(fill);
    }

Q_SIGNALS:
    // Log files written by a download (full paths).
    void LogDownloaded(const QStringList& paths);
    // The site or room of a stored session changed.
    void SessionPlaceChanged(const QString& strPath);

public Q_SLOTS:
    // An opened file: diagram, and list with "Number of Events" for log files.
    void ShowFile(const QList<CDeviceRecord>& records, int nVersion);
    void OnDownloadButton();
    // "Set Site and Room..." of the list's context menu.
    void OnSetPlaceAction();

private:
    void ShowMessage(const QString& strText, int nTimeoutMs = 0);
    void FitColumns();
    void OnSectionResized(int nSection);

    CQDiagramWidget* m_pGraph;
    QTreeWidget* m_pList;
    QTabWidget* m_pTabs;
    QLabel* m_pNumEventsLabel;
    QLineEdit* m_pNumEventsEdit;
    QWidget* m_pDialogParent;
    QStatusBar* m_pStatusBar;
    CStorageBrowser* m_pStorage = nullptr;
    QString m_strShownFile;
    std::function<QVariantMap()> m_KnownValues;
    std::function<void(QMenu*, const QString&)> m_FillSessionMenu;
    bool m_bAutoWidths = true;
    bool m_bFitting = false;
    bool m_bSortChosen = false;
    // The diagram times of the file shown, in file order.
    QList<qint64> m_RecordTimes;
};
