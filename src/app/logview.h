#pragma once

#include "devicerecord.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class QLabel;
class QLineEdit;
class QStatusBar;
class QTabWidget;
class QTreeWidget;
class QWidget;
class CQDiagramWidget;
class CStorageBrowser;

// The "Logged Data" pane: an opened file shown as a diagram and, for log
// files, as a sortable list; and the download of the detector's log into the
// storage.
class CLogView : public QObject
{
    Q_OBJECT
public:
    enum Column {
        ColNum, ColBand, ColAlarmTime, ColDuration, Col1DC, Col1AC, Col2DC, Col2AC, ColSignal, ColFreq, ColComment,
        ColumnCount
    };

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

    static QStringList HeaderLabels();
    // The cells of one list row; nRow counts from 1.
    static QStringList RowTexts(const CDeviceRecord& record, int nRow);
    // Bit c set: cell c is highlighted.
    static unsigned HighlightMask(const CDeviceRecord& record);
    static QString BandText(int nBandMask);
    // The detector counts frequency in kHz; the list and exports show MHz.
    static QString FrequencyText(double dKilohertz);
    static QString DurationText(int nSeconds);
    // The last non-zero signal kind of the record's entries, 0 when none.
    static int SignalKindOf(const CDeviceRecord& record);
    static QString SignalText(int nKind);

public Q_SLOTS:
    // An opened file: diagram, and list with "Number of Events" for log files.
    void ShowFile(const QList<CDeviceRecord>& records, int nVersion);
    void OnDownloadButton();

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
    bool m_bAutoWidths = true;
    bool m_bFitting = false;
    bool m_bSortChosen = false;
};
