#pragma once

#include "capturetime.h"
#include "devicerawrecord.h"
#include "sweepcontext.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QString>

#include <cstdint>

// What a data file cannot hold, kept beside it as "name.rdf.json" or
// "name.ldf.json": the sweep's context, the year and the PC's UTC offset at
// capture, and the detector as it was known. Written when the data file is,
// so the catalogue can always be rebuilt from the folder alone.
//
// A sidecar is an addition: one that cannot be written or read never stops
// the data file's write or load. The first failure of a run is told on the
// warning channel, later ones are not repeated.
class IDevice;

class CSidecar
{
    Q_DECLARE_TR_FUNCTIONS(CSidecar)

public:
    static constexpr int kSchemaVersion = 1;
    // Sidecars are a few hundred bytes; anything far larger is not one.
    static constexpr qint64 kMaxSize = 64 * 1024;

    CSweepContext m_Context;
    CCaptureTime m_Capture;
    QString m_strUsbSerial;
    QString m_strPort;
    // When the file was made its room's baseline, ms since 1970 UTC, oldest
    // first; a file chosen again keeps its earlier choices. Empty: never.
    QList<int64_t> m_BaselineSetAtMs;
    // What the detector reported while the file was made: its settings
    // (menu positions 0-53; empty when none had been read) and how far its
    // clock was ahead of the PC's. Optional keys; older sidecars lack them.
    QByteArray m_MenuBlock;
    bool m_bClockOffsetKnown = false;
    qint64 m_nClockOffsetSecs = 0;

    // Takes the settings and the clock offset from the device, as it reports
    // them at pcNow; leaves them unknown when it has reported none yet.
    void TakeDetectorState(IDevice& device, const QDateTime& pcNow);
    // Seconds the detector's clock is ahead of the PC's; the detector keeps
    // no year, so the year that gives the smallest difference is taken.
    static qint64 ClockOffset(const QDateTime& detector, const QDateTime& pcNow);

    static QString PathFor(const QString& strDataPath);
    static bool IsSidecarName(const QString& strFileName);

    // The sidecar of a file whose first record is first, written now.
    static CSidecar At(const CSweepContext& context, const DeviceRawRecord& first, const QDateTime& now,
                       const QString& strPort, const QString& strUsbSerial);

    QByteArray ToJson() const;
    static bool FromJson(const QByteArray& json, CSidecar& sidecar, QString* pError);

    // Through CCheckedSaveFile. False with the reason; the caller's file stands.
    bool Write(const QString& strDataPath, QString* pError = nullptr) const;
    // False when there is none or it is not readable as one (reason given).
    static bool Read(const QString& strDataPath, CSidecar& sidecar, QString* pError = nullptr);

    // Writes the sidecars of freshly written data files in strFolder, each
    // with the year of its own first record. Failures are warned of once.
    static void WriteFor(const QString& strFolder, const QStringList& names, const CSweepContext& context,
                         const QDateTime& now, const QString& strPort, const QString& strUsbSerial,
                         IDevice* pDevice = nullptr);
    // Gives a stored file another site and room (client, address, room of
    // place), keeping everything else its sidecar holds. A file without one
    // gets one whose year and zone come from its modification time and stay
    // marked as guessed. False with the reason; the data file is not touched.
    static bool SetPlace(const QString& strDataPath, const CSweepContext& place, QString* pError);
    // Records that the file became its room's baseline at nSetAtMs. The
    // sidecar is edited in place, so keys this program does not know stay.
    static bool AddBaseline(const QString& strDataPath, int64_t nSetAtMs, QString* pError);

    // Tells a sidecar failure once per run.
    static void WarnOnce(const QString& strText);
};
