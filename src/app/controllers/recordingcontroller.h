#pragma once

#include "sweepcontext.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>

class CRealtimeRecorder;
class CRecordFeed;
class CStorageBrowser;
class QAction;
class QStatusBar;
class QTreeWidget;
class QWidget;

// Recording to file and the records that would be lost: the recorder fed by
// the record feed, Save Data, and the Save / Discard / Cancel question asked
// before closing or switching the port.
class CRecordingController : public QObject
{
    Q_OBJECT
public:
    // pRecordAction: Realtime > Record to File; pStorage: where Save Data writes and recordings show.
    // The recorder is subscribed to pFeed; the feed's owner unsubscribes it before the feed goes.
    CRecordingController(CRecordFeed* pFeed, CStorageBrowser* pStorage, QTreeWidget* pStorageTree,
                         QAction* pRecordAction, QWidget* pDialogParent, QStatusBar* pBar,
                         QObject* pParent = nullptr);
    ~CRecordingController() override;

    CRealtimeRecorder* Recorder() const { return m_pRecorder.get(); }
    // Where recordings go: the "Recordings" folder of the storage folder.
    QString RecordingFolder() const;

    // Hands on to every sink what the device stored since the last call (the
    // folder of a new file is taken first); returns how many records.
    int64_t PollFeed();
    // One poll step after the feed's: flushes, reports a failure; bConnected false ends the file.
    void Poll(bool bConnected);
    // The link ends (closing, another port): what the worker stored last goes
    // into the recording before it ends.
    void Finish(bool bConnected);
    // Records collected that are neither recorded nor saved.
    bool HasUnsavedRecords();
    // Save Data; true when a file was written.
    bool SaveCollectedData();
    // Asks strQuestion with Save / Discard / Cancel when collected records
    // would be lost; true when the caller may go on.
    bool SaveOrDiscardCollected(const QString& strQuestion);
    void OnRecordToFileAction(bool bChecked);
    // The sweep that recordings, Save Data and log downloads are filed
    // under; another room ends the recording's file and the next one begins.
    void SetSweepContext(const CSweepContext& context);
    // The link is up: the detector as now known goes into the next files' sidecars.
    void OnConnected();

Q_SIGNALS:
    // Save Data wrote a file.
    void DataSaved();

private:
    CRecordFeed* m_pFeed;
    CStorageBrowser* m_pStorage;
    QTreeWidget* m_pStorageTree;
    QAction* m_pRecordAction;
    QWidget* m_pDialogParent;
    QStatusBar* m_pBar;
    std::unique_ptr<CRealtimeRecorder> m_pRecorder;
    QString m_strRecordingFile;
    CSweepContext m_Context;
    // Records up to this count are recorded or saved.
    int64_t m_nSavedTotal = 0;
};
