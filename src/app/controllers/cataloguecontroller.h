#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QThread>
#include <QTimer>
#include <QVariantList>
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
    // Makes the session its room's baseline; the status bar tells how it went.
    void SetBaseline(const QString& strPath);

    // The current baseline of a site's room, as last told by the catalogue;
    // empty when the room has none. The site matches the whole site text or the client.
    QString BaselineOf(const QString& strSite, const QString& strClient, const QString& strRoom) const;
    // Absolute path of each room's baseline -> "room — site" it stands for.
    QHash<QString, QString> Baselines() const { return m_Baselines; }

Q_SIGNALS:
    void CatalogueChanged();
    void KnownValues(const QVariantMap& values);
    void BaselinesChanged();
    // The answer to SetBaseline.
    void BaselineSet(const QString& strPath, bool bOk);

private:
    void OnTimer();
    void OnFailed(int nFault, const QString& strText);
    void OnChanged();
    void OnBaselines(const QVariantList& baselines);
    void OnBaselineSet(const QString& strPath, bool bOk, const QString& strText);

    std::function<QString()> m_Storage;
    QStatusBar* m_pBar;
    QThread m_Thread;
    CCatalogueWorker* m_pWorker;
    QTimer m_Timer;
    QString m_strStorage;
    // Kinds of fault told since the catalogue last worked.
    int m_nToldFaults = 0;
    QHash<QString, QString> m_Baselines;
    QVariantList m_BaselineRows;
};
