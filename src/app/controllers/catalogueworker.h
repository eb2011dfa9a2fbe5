#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

#include <cstdint>
#include <memory>

class CCatalogue;

// The catalogue's side of the window: lives in a thread of its own, where
// its database connection belongs, and is only ever called by queued calls.
// A catalogue that cannot be opened or written is tried again at the next
// call; one found damaged is rebuilt by opening it again.
class CCatalogueWorker : public QObject
{
    Q_OBJECT
public:
    enum Fault { OpenFault = 1, WriteFault = 2 };

    CCatalogueWorker();
    ~CCatalogueWorker() override;

    // Opens (or switches to) the catalogue of strStorage and brings it in line with the folder.
    void Open(const QString& strStorage);
    // Files added, changed or removed since the last look.
    void Sync();
    void IndexFiles(const QStringList& paths);
    // Makes the session strPath its room's baseline; BaselineSet answers.
    void SetBaseline(const QString& strPath);

Q_SIGNALS:
    void Changed();
    // Client, address, room and operator values the catalogue holds, by column name.
    void KnownValues(const QVariantMap& values);
    void Failed(int nFault, const QString& strText);
    // The answer to SetBaseline: strText is why it was refused when bOk is false.
    void BaselineSet(const QString& strPath, bool bOk, const QString& strText);
    // Each room's baseline now, told with every change: a list of maps with
    // "path" (absolute), "site" and "room".
    void Baselines(const QVariantList& baselines);
    // Something the user should know that is not a fault (a rebuilt catalogue).
    void Notice(const QString& strText);

private:
    bool EnsureOpen();
    void Succeeded();
    QVariantList CurrentBaselines();

    QString m_strStorage;
    std::unique_ptr<CCatalogue> m_pCatalogue;
    // Damage or a lost connection may lie behind a failure: the next call opens anew.
    bool m_bReopen = true;
    // At the last change told; -1: none told since opening.
    int64_t m_nChanges = -1;
};
