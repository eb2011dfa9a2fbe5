#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QThread>
#include <QTimer>
#include <QVariantMap>

#include <functional>

class CCatalogueWorker;
class QStatusBar;

// Keeps the catalogue of the storage folder up to date beside the window:
// opened and brought in line with the folder at start, looked over again
// every kSyncMs (and whenever the storage folder changes), and told of every
// file the program writes. All the work runs in a thread of its own, reached
// by queued calls only, so a slow, locked or broken catalogue never holds up
// the live view, the recording or a download. A fault is told on the status
// bar once for each kind until the catalogue works again.
class CCatalogueController : public QObject
{
    Q_OBJECT
public:
    static constexpr int kSyncMs = 30000;

    // storage: where the storage folder is now (it may change while running).
    CCatalogueController(std::function<QString()> storage, QStatusBar* pBar, QObject* pParent = nullptr);
    ~CCatalogueController() override;

    // Opens the catalogue; the first look at the folder follows in the worker.
    void Start();
    // Files just written (a recording closed, data saved, a log downloaded).
    void IndexFiles(const QStringList& paths);
    void IndexFile(const QString& strPath) { IndexFiles({strPath}); }
    // A look at the folder soon, for writes whose file names are not known here.
    void SyncSoon();

Q_SIGNALS:
    void CatalogueChanged();
    void KnownValues(const QVariantMap& values);

private:
    void OnTimer();
    void OnFailed(int nFault, const QString& strText);
    void OnChanged();

    std::function<QString()> m_Storage;
    QStatusBar* m_pBar;
    QThread m_Thread;
    CCatalogueWorker* m_pWorker;
    QTimer m_Timer;
    QString m_strStorage;
    // Kinds of fault told since the catalogue last worked.
    int m_nToldFaults = 0;
};
