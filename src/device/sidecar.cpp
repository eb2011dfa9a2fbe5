#include "sidecar.h"

#include "checkedsavefile.h"
#include "devicefiles.h"
#include "idevice.h"
#include "kv520protocol.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QRegularExpression>

#include <cmath>

#include <algorithm>
#include <atomic>

namespace {

void SetError(QString* pError, const QString& strText)
{
    if (pError)
        *pError = strText;
}

std::atomic<bool> g_bWarned{false};

const QString kBaselineKey = QStringLiteral("baselineSetAt");
const QString kBaselineBeforeKey = QStringLiteral("baselineSetBefore");

QString UtcText(int64_t nMs)
{
    return QDateTime::fromMSecsSinceEpoch(nMs, Qt::UTC).toString(Qt::ISODateWithMs);
}

// An instant the program wrote; anything else is left out, never fatal:
// the rest of the sidecar is still good.
bool ParseUtc(const QJsonValue& value, int64_t& nMs)
{
    const QDateTime time = QDateTime::fromString(value.toString(), Qt::ISODateWithMs);
    if (!time.isValid())
        return false;
    nMs = time.toMSecsSinceEpoch();
    return true;
}

void SetBaselineKeys(QJsonObject& object, const QList<int64_t>& instants)
{
    object.remove(kBaselineKey);
    object.remove(kBaselineBeforeKey);
    if (instants.isEmpty())
        return;
    object.insert(kBaselineKey, UtcText(instants.last()));
    if (instants.size() > 1) {
        QJsonArray before;
        for (qsizetype i = 0; i + 1 < instants.size(); ++i)
            before.append(UtcText(instants[i]));
        object.insert(kBaselineBeforeKey, before);
    }
}

} // namespace

QString CSidecar::PathFor(const QString& strDataPath)
{
    return strDataPath + QStringLiteral(".json");
}

bool CSidecar::IsSidecarName(const QString& strFileName)
{
    return strFileName.endsWith(QLatin1String(".rdf.json")) || strFileName.endsWith(QLatin1String(".ldf.json"));
}

CSidecar CSidecar::At(const CSweepContext& context, const DeviceRawRecord& first, const QDateTime& now,
                      const QString& strPort, const QString& strUsbSerial)
{
    CSidecar sidecar;
    sidecar.m_Context = context;
    sidecar.m_Capture = CCaptureTime::At(first, now);
    sidecar.m_strPort = strPort;
    sidecar.m_strUsbSerial = strUsbSerial;
    return sidecar;
}

QByteArray CSidecar::ToJson() const
{
    const QJsonObject site{{QStringLiteral("client"), m_Context.m_strClient},
                           {QStringLiteral("address"), m_Context.m_strAddress}};
    QJsonObject capture{{QStringLiteral("year"), m_Capture.m_nYear},
                        {QStringLiteral("utcOffsetSeconds"), m_Capture.m_nUtcOffsetSecs}};
    // Only when so: sidecars written at capture stay as they always were.
    if (m_Capture.m_bGuessed)
        capture.insert(QStringLiteral("guessed"), true);
    QJsonObject detector{{QStringLiteral("usbSerial"), m_strUsbSerial}, {QStringLiteral("port"), m_strPort}};
    if (!m_MenuBlock.isEmpty())
        detector.insert(QStringLiteral("menuBlock"), QString::fromLatin1(m_MenuBlock.toHex()));
    if (m_bClockOffsetKnown)
        detector.insert(QStringLiteral("clockOffsetSeconds"), m_nClockOffsetSecs);
    QJsonObject object{{QStringLiteral("schema"), kSchemaVersion},
                             {QStringLiteral("site"), site},
                             {QStringLiteral("room"), m_Context.m_strRoom},
                             {QStringLiteral("operator"), m_Context.m_strOperator},
                             {QStringLiteral("notes"), m_Context.m_strNotes},
                             {QStringLiteral("capture"), capture},
                             {QStringLiteral("detector"), detector}};
    SetBaselineKeys(object, m_BaselineSetAtMs);
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

bool CSidecar::FromJson(const QByteArray& json, CSidecar& sidecar, QString* pError)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (!document.isObject()) {
        SetError(pError, parseError.error != QJsonParseError::NoError ? parseError.errorString()
                                                                        : tr("not a JSON object"));
        return false;
    }
    const QJsonObject object = document.object();
    const int nSchema = object.value(QStringLiteral("schema")).toInt(0);
    // A later schema may add fields; one that is missing or below 1 is not ours.
    if (nSchema < 1) {
        SetError(pError, tr("unknown sidecar schema"));
        return false;
    }
    const QJsonObject capture = object.value(QStringLiteral("capture")).toObject();
    const int nYear = capture.value(QStringLiteral("year")).toInt(0);
    const int nOffset = capture.value(QStringLiteral("utcOffsetSeconds")).toInt(-1000000);
    // Offsets on Earth lie within -12 h ... +14 h; years within what a PC clock shows.
    if (nYear < 1970 || nYear > 9999 || nOffset < -16 * 3600 || nOffset > 16 * 3600) {
        SetError(pError, tr("no valid year and UTC offset"));
        return false;
    }
    CSidecar result;
    const QJsonObject site = object.value(QStringLiteral("site")).toObject();
    result.m_Context.m_strClient = site.value(QStringLiteral("client")).toString();
    result.m_Context.m_strAddress = site.value(QStringLiteral("address")).toString();
    result.m_Context.m_strRoom = object.value(QStringLiteral("room")).toString();
    result.m_Context.m_strOperator = object.value(QStringLiteral("operator")).toString();
    result.m_Context.m_strNotes = object.value(QStringLiteral("notes")).toString();
    result.m_Capture.m_nYear = nYear;
    result.m_Capture.m_nUtcOffsetSecs = nOffset;
    result.m_Capture.m_bGuessed = capture.value(QStringLiteral("guessed")).toBool(false);
    result.m_Capture.m_bKnown = !result.m_Capture.m_bGuessed;
    const QJsonObject detector = object.value(QStringLiteral("detector")).toObject();
    result.m_strUsbSerial = detector.value(QStringLiteral("usbSerial")).toString();
    result.m_strPort = detector.value(QStringLiteral("port")).toString();
    int64_t nMs = 0;
    for (const QJsonValue& value : object.value(kBaselineBeforeKey).toArray())
        if (ParseUtc(value, nMs))
            result.m_BaselineSetAtMs << nMs;
    std::sort(result.m_BaselineSetAtMs.begin(), result.m_BaselineSetAtMs.end());
    // The latest stays the latest even when an earlier one was mistyped later.
    if (ParseUtc(object.value(kBaselineKey), nMs)) {
        result.m_BaselineSetAtMs.removeAll(nMs);
        result.m_BaselineSetAtMs << nMs;
    }
    // The optional keys are additions: one that does not hold what it should
    // is left out, and the rest of the sidecar still counts.
    const QString strMenu = detector.value(QStringLiteral("menuBlock")).toString();
    static const QRegularExpression hex(QStringLiteral("^([0-9a-fA-F]{2})+$"));
    if (strMenu.size() <= 2 * KV520::kMenuSize && hex.match(strMenu).hasMatch())
        result.m_MenuBlock = QByteArray::fromHex(strMenu.toLatin1());
    const QJsonValue offset = detector.value(QStringLiteral("clockOffsetSeconds"));
    if (offset.isDouble() && std::abs(offset.toDouble()) <= 400.0 * 86400.0) {
        result.m_bClockOffsetKnown = true;
        result.m_nClockOffsetSecs = qint64(offset.toDouble());
    }
    sidecar = result;
    return true;
}

void CSidecar::TakeDetectorState(IDevice& device, const QDateTime& pcNow)
{
    QByteArray menu;
    QDateTime clock;
    if (!device.GetDetectorSettings(menu, clock))
        return;
    m_MenuBlock = menu;
    m_bClockOffsetKnown = clock.isValid() && pcNow.isValid();
    m_nClockOffsetSecs = m_bClockOffsetKnown ? ClockOffset(clock, pcNow) : 0;
}

qint64 CSidecar::ClockOffset(const QDateTime& detector, const QDateTime& pcNow)
{
    qint64 nBest = pcNow.secsTo(detector);
    for (int nYears : {-1, 1}) {
        const qint64 nOffset = pcNow.secsTo(detector.addYears(nYears));
        if (std::abs(nOffset) < std::abs(nBest))
            nBest = nOffset;
    }
    return nBest;
}

bool CSidecar::Write(const QString& strDataPath, QString* pError) const
{
    return CCheckedSaveFile::WriteWhole(PathFor(strDataPath), ToJson(), pError);
}

bool CSidecar::Read(const QString& strDataPath, CSidecar& sidecar, QString* pError)
{
    const QString strPath = PathFor(strDataPath);
    const QFileInfo info(strPath);
    // Only a regular file is opened: a FIFO under the name would block.
    if (!info.isFile()) {
        SetError(pError, tr("%1: no sidecar").arg(QDir::toNativeSeparators(strPath)));
        return false;
    }
    if (info.size() > kMaxSize) {
        SetError(pError, tr("%1: too large for a sidecar").arg(QDir::toNativeSeparators(strPath)));
        return false;
    }
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly)) {
        SetError(pError, QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(strPath), file.errorString()));
        return false;
    }
    QString strReason;
    if (!FromJson(file.read(kMaxSize), sidecar, &strReason)) {
        SetError(pError, QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(strPath), strReason));
        return false;
    }
    return true;
}

bool CSidecar::AddBaseline(const QString& strDataPath, int64_t nSetAtMs, QString* pError)
{
    CSidecar sidecar;
    if (!Read(strDataPath, sidecar, pError))
        return false;
    const QString strPath = PathFor(strDataPath);
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly)) {
        SetError(pError, QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(strPath), file.errorString()));
        return false;
    }
    QJsonObject object = QJsonDocument::fromJson(file.read(kMaxSize)).object();
    file.close();
    QList<int64_t> instants = sidecar.m_BaselineSetAtMs;
    instants.removeAll(nSetAtMs);
    instants << nSetAtMs;
    std::sort(instants.begin(), instants.end() - 1);
    SetBaselineKeys(object, instants);
    return CCheckedSaveFile::WriteWhole(strPath, QJsonDocument(object).toJson(QJsonDocument::Indented), pError);
}

void CSidecar::WriteFor(const QString& strFolder, const QStringList& names, const CSweepContext& context,
                        const QDateTime& now, const QString& strPort, const QString& strUsbSerial, IDevice* pDevice)
{
    const QDir folder(strFolder);
    for (const QString& strName : names) {
        const QString strPath = folder.filePath(strName);
        // A file found stored with the same bytes keeps the sweep it was made in.
        CSidecar existing;
        if (Read(strPath, existing))
            continue;
        // The first record gives the year; the file was just written by us.
        DeviceRawRecord first;
        CDeviceFiles::ReadFirstRecord(strPath, first);
        QString strError;
        CSidecar sidecar = At(context, first, now, strPort, strUsbSerial);
        if (pDevice)
            sidecar.TakeDetectorState(*pDevice, now);
        if (!sidecar.Write(strPath, &strError))
            WarnOnce(strError);
    }
}

bool CSidecar::SetPlace(const QString& strDataPath, const CSweepContext& place, QString* pError)
{
    CSidecar sidecar;
    if (!Read(strDataPath, sidecar)) {
        const QFileInfo info(strDataPath);
        DeviceRawRecord first;
        if (!CDeviceFiles::ReadFirstRecord(strDataPath, first)) {
            SetError(pError, tr("%1 is not a data file with records.").arg(QDir::toNativeSeparators(strDataPath)));
            return false;
        }
        sidecar = At(CSweepContext(), first, info.lastModified(), QString(), QString());
        sidecar.m_Capture.m_bKnown = false;
        sidecar.m_Capture.m_bGuessed = true;
    }
    sidecar.m_Context.m_strClient = place.m_strClient;
    sidecar.m_Context.m_strAddress = place.m_strAddress;
    sidecar.m_Context.m_strRoom = place.m_strRoom;
    return sidecar.Write(strDataPath, pError);
}

void CSidecar::WarnOnce(const QString& strText)
{
    if (!g_bWarned.exchange(true))
        qWarning("%s", qPrintable(tr("The sweep details could not be kept beside a data file (%1); the data file itself "
                                      "is stored.")
                                       .arg(strText)));
}
