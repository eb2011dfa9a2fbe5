#pragma once

#include "capturetime.h"
#include "sweepcontext.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

#include <cstdint>

// The JSON file beside a report that names every source file of it with its
// SHA-256 and capture times, so that anyone can check later that the data
// behind the report is untouched (kv521-cli verify). One place for the
// format: the report writes it through this class, verify reads it here.
// A manifest read back is untrusted input: sizes, counts and every field
// are checked, and a malformed one is refused with the reason.
class CReportManifest
{
    Q_DECLARE_TR_FUNCTIONS(CReportManifest)

public:
    static constexpr int kSchemaVersion = 1;
    static constexpr qint64 kMaxSize = 16 * 1024 * 1024;
    static constexpr int kMaxFiles = 100000;
    static constexpr int kMaxText = 4096;

    struct Room
    {
        QString strRoom;
        int64_t nStartMs = 0; // UTC
        int64_t nEndMs = 0;
        int nUtcOffsetSecs = 0; // the PC's at capture
    };

    struct Source
    {
        QString strPath;        // relative to the manifest's folder, '/' separated
        QString strStoragePath; // relative to the storage folder; empty when outside it
        QString strSha256;      // lower-case hex
        QString strRoom;
        CCaptureTime capture;
        bool bHasRecords = false;
        int64_t nFirstMs = 0; // UTC
        int64_t nLastMs = 0;
    };

    enum class State { Same, Changed, Missing, Unreadable };
    struct Check
    {
        QString strPath; // as the manifest names it
        State eState = State::Same;
    };

    int64_t m_nReportNumber = 0;
    int64_t m_nCreatedMs = 0; // UTC
    int m_nCreatedOffsetSecs = 0;
    QString m_strClient;
    QString m_strSite;
    QString m_strOperator;
    QList<Room> m_Rooms;
    QList<Source> m_Sources;

    // Client, site (the address) and operator of a sweep.
    void SetContext(const CSweepContext& context);
    // Reads a data file as the catalogue does (its hash, and its capture
    // times from its sidecar) and adds it, with its room, to the sources.
    bool AddSource(const QString& strDataPath, const QString& strManifestFolder, const QString& strStorage,
                   QString* pError);
    // The rooms swept, each from the first to the last record of its sources.
    void RoomsFromSources();

    QByteArray ToJson() const;
    static bool FromJson(const QByteArray& json, CReportManifest& manifest, QString* pError);
    // Through CCheckedSaveFile; false with the reason.
    bool Write(const QString& strPath, QString* pError) const;
    static bool Read(const QString& strPath, CReportManifest& manifest, QString* pError);

    // Each source's file now, found from the manifest's folder.
    QList<Check> Verify(const QString& strManifestFolder) const;
    static QString Sha256Of(const QString& strPath, QString* pError);
};
