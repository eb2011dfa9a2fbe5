#include "reportmanifest.h"

#include "checkedsavefile.h"
#include "fileindexer.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

void SetError(QString* pError, const QString& strText)
{
    if (pError)
        *pError = strText;
}

QString UtcText(int64_t nMs)
{
    return QDateTime::fromMSecsSinceEpoch(nMs, Qt::UTC).toString(Qt::ISODate);
}

QString OffsetText(int64_t nMs, int nOffsetSecs)
{
    return QDateTime::fromMSecsSinceEpoch(nMs, Qt::OffsetFromUTC, nOffsetSecs).toString(Qt::ISODate);
}

// JSON numbers are doubles: integers beyond 2^53 are not exact.
constexpr double kMaxExact = 9007199254740992.0;

bool Integer(const QJsonValue& value, double dMin, double dMax, int64_t& nValue)
{
    if (!value.isDouble())
        return false;
    const double d = value.toDouble();
    if (!std::isfinite(d) || d != std::floor(d) || d < dMin || d > dMax)
        return false;
    nValue = int64_t(d);
    return true;
}

bool Text(const QJsonObject& object, const char* pKey, QString& strText, bool bRequired)
{
    const QJsonValue value = object.value(QLatin1String(pKey));
    if (value.isUndefined() || value.isNull())
        return !bRequired;
    if (!value.isString() || value.toString().size() > CReportManifest::kMaxText)
        return false;
    strText = value.toString();
    return !bRequired || !strText.isEmpty();
}

bool Instant(const QJsonObject& object, const char* pKey, int64_t& nMs)
{
    const QDateTime time = QDateTime::fromString(object.value(QLatin1String(pKey)).toString(), Qt::ISODate);
    if (!time.isValid())
        return false;
    nMs = time.toMSecsSinceEpoch();
    return true;
}

} // namespace

void CReportManifest::SetContext(const CSweepContext& context)
{
    m_strClient = context.m_strClient;
    m_strSite = context.m_strAddress;
    m_strOperator = context.m_strOperator;
}

bool CReportManifest::AddSource(const QString& strDataPath, const QString& strManifestFolder, const QString& strStorage,
                                QString* pError)
{
    CFileIndexer::Result result;
    QString strError;
    if (!CFileIndexer::Index(strDataPath, result, &strError)) {
        SetError(pError, strError);
        return false;
    }
    const QString strAbsolute = QFileInfo(strDataPath).absoluteFilePath();
    Source source;
    source.strPath = QDir(strManifestFolder).relativeFilePath(strAbsolute);
    if (!strStorage.isEmpty()) {
        const QString strRelative = QDir(strStorage).relativeFilePath(strAbsolute);
        if (!strRelative.startsWith(QLatin1String("../")) && strRelative != QLatin1String("..")
            && !QDir::isAbsolutePath(strRelative))
            source.strStoragePath = strRelative;
    }
    source.strSha256 = result.strSha256;
    source.strRoom = result.sidecar.m_Context.m_strRoom;
    source.capture = result.sidecar.m_Capture;
    source.bHasRecords = result.nRecords > 0;
    source.nFirstMs = result.nFirstMs;
    source.nLastMs = result.nLastMs;
    m_Sources << source;
    return true;
}

void CReportManifest::RoomsFromSources()
{
    m_Rooms.clear();
    QMap<QString, int> index;
    for (const Source& source : m_Sources) {
        if (!source.bHasRecords)
            continue;
        const auto it = index.constFind(source.strRoom);
        if (it == index.constEnd()) {
            index.insert(source.strRoom, int(m_Rooms.size()));
            m_Rooms << Room{source.strRoom, source.nFirstMs, source.nLastMs, source.capture.m_nUtcOffsetSecs};
            continue;
        }
        Room& room = m_Rooms[*it];
        room.nStartMs = std::min(room.nStartMs, source.nFirstMs);
        room.nEndMs = std::max(room.nEndMs, source.nLastMs);
    }
    std::stable_sort(m_Rooms.begin(), m_Rooms.end(),
                     [](const Room& a, const Room& b) { return a.nStartMs < b.nStartMs; });
}

QByteArray CReportManifest::ToJson() const
{
    QJsonArray rooms;
    for (const Room& room : m_Rooms)
        rooms.append(QJsonObject{{QStringLiteral("room"), room.strRoom},
                                 {QStringLiteral("start"), OffsetText(room.nStartMs, room.nUtcOffsetSecs)},
                                 {QStringLiteral("end"), OffsetText(room.nEndMs, room.nUtcOffsetSecs)}});
    QJsonArray files;
    for (const Source& source : m_Sources) {
        QJsonObject file{{QStringLiteral("path"), QDir::fromNativeSeparators(source.strPath)},
                         {QStringLiteral("storagePath"), source.strStoragePath.isEmpty()
                                                             ? QJsonValue()
                                                             : QJsonValue(source.strStoragePath)},
                         {QStringLiteral("sha256"), source.strSha256},
                         {QStringLiteral("room"), source.strRoom},
                         {QStringLiteral("utcOffsetSeconds"), source.capture.m_nUtcOffsetSecs},
                         {QStringLiteral("timeGuessed"), !source.capture.m_bKnown}};
        file.insert(QStringLiteral("first"), source.bHasRecords
                                                 ? QJsonValue(OffsetText(source.nFirstMs, source.capture.m_nUtcOffsetSecs))
                                                 : QJsonValue());
        file.insert(QStringLiteral("last"), source.bHasRecords
                                                ? QJsonValue(OffsetText(source.nLastMs, source.capture.m_nUtcOffsetSecs))
                                                : QJsonValue());
        file.insert(QStringLiteral("firstUtc"), source.bHasRecords ? QJsonValue(UtcText(source.nFirstMs)) : QJsonValue());
        file.insert(QStringLiteral("lastUtc"), source.bHasRecords ? QJsonValue(UtcText(source.nLastMs)) : QJsonValue());
        files.append(file);
    }
    const QJsonObject object{{QStringLiteral("schema"), kSchemaVersion},
                             {QStringLiteral("reportNumber"), qint64(m_nReportNumber)},
                             {QStringLiteral("created"), OffsetText(m_nCreatedMs, m_nCreatedOffsetSecs)},
                             {QStringLiteral("client"), m_strClient},
                             {QStringLiteral("site"), m_strSite},
                             {QStringLiteral("operator"), m_strOperator},
                             {QStringLiteral("rooms"), rooms},
                             {QStringLiteral("files"), files}};
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

bool CReportManifest::FromJson(const QByteArray& json, CReportManifest& manifest, QString* pError)
{
    if (json.size() > kMaxSize) {
        SetError(pError, tr("too large for a report manifest"));
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (!document.isObject()) {
        SetError(pError, parseError.error != QJsonParseError::NoError ? parseError.errorString()
                                                                        : tr("not a JSON object"));
        return false;
    }
    const QJsonObject object = document.object();
    const auto bad = [&](const QString& strWhat) {
        SetError(pError, tr("not a report manifest: %1").arg(strWhat));
        return false;
    };
    int64_t nSchema = 0;
    // A later schema may add fields; what this one reads keeps its meaning.
    if (!Integer(object.value(QStringLiteral("schema")), 1, 1000000, nSchema))
        return bad(QStringLiteral("schema"));
    CReportManifest result;
    if (!Integer(object.value(QStringLiteral("reportNumber")), 1, kMaxExact, result.m_nReportNumber))
        return bad(QStringLiteral("reportNumber"));
    const QDateTime created = QDateTime::fromString(object.value(QStringLiteral("created")).toString(), Qt::ISODate);
    if (!created.isValid())
        return bad(QStringLiteral("created"));
    result.m_nCreatedMs = created.toMSecsSinceEpoch();
    result.m_nCreatedOffsetSecs = created.offsetFromUtc();
    if (!Text(object, "client", result.m_strClient, false) || !Text(object, "site", result.m_strSite, false)
        || !Text(object, "operator", result.m_strOperator, false))
        return bad(QStringLiteral("client, site or operator"));
    const QJsonArray rooms = object.value(QStringLiteral("rooms")).toArray();
    if (rooms.size() > kMaxFiles)
        return bad(QStringLiteral("rooms"));
    for (const QJsonValue& value : rooms) {
        const QJsonObject entry = value.toObject();
        Room room;
        if (!Text(entry, "room", room.strRoom, false) || !Instant(entry, "start", room.nStartMs)
            || !Instant(entry, "end", room.nEndMs))
            return bad(QStringLiteral("rooms"));
        room.nUtcOffsetSecs =
            QDateTime::fromString(entry.value(QStringLiteral("start")).toString(), Qt::ISODate).offsetFromUtc();
        result.m_Rooms << room;
    }
    const QJsonValue filesValue = object.value(QStringLiteral("files"));
    if (!filesValue.isArray() || filesValue.toArray().isEmpty() || filesValue.toArray().size() > kMaxFiles)
        return bad(QStringLiteral("files"));
    static const QRegularExpression sha256(QStringLiteral("^[0-9a-fA-F]{64}$"));
    for (const QJsonValue& value : filesValue.toArray()) {
        if (!value.isObject())
            return bad(QStringLiteral("files"));
        const QJsonObject entry = value.toObject();
        Source source;
        if (!Text(entry, "path", source.strPath, true) || source.strPath.contains(QChar(0))
            || !Text(entry, "storagePath", source.strStoragePath, false) || !Text(entry, "room", source.strRoom, false)
            || !Text(entry, "sha256", source.strSha256, true) || !sha256.match(source.strSha256).hasMatch())
            return bad(QStringLiteral("files"));
        source.strSha256 = source.strSha256.toLower();
        int64_t nOffset = 0;
        if (Integer(entry.value(QStringLiteral("utcOffsetSeconds")), -16 * 3600, 16 * 3600, nOffset))
            source.capture.m_nUtcOffsetSecs = int(nOffset);
        source.capture.m_bKnown = !entry.value(QStringLiteral("timeGuessed")).toBool(false);
        source.capture.m_bGuessed = !source.capture.m_bKnown;
        source.bHasRecords =
            Instant(entry, "first", source.nFirstMs) && Instant(entry, "last", source.nLastMs);
        result.m_Sources << source;
    }
    manifest = result;
    return true;
}

bool CReportManifest::Write(const QString& strPath, QString* pError) const
{
    return CCheckedSaveFile::WriteWhole(strPath, ToJson(), pError);
}

bool CReportManifest::Read(const QString& strPath, CReportManifest& manifest, QString* pError)
{
    const QFileInfo info(strPath);
    const QString strNative = QDir::toNativeSeparators(strPath);
    // Only a regular file is opened: a FIFO under the name would block.
    if (!info.exists()) {
        SetError(pError, tr("%1 does not exist.").arg(strNative));
        return false;
    }
    if (!info.isFile()) {
        SetError(pError, tr("%1 is not a regular file.").arg(strNative));
        return false;
    }
    if (info.size() > kMaxSize) {
        SetError(pError, tr("%1: too large for a report manifest").arg(strNative));
        return false;
    }
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly)) {
        SetError(pError, QStringLiteral("%1: %2").arg(strNative, file.errorString()));
        return false;
    }
    QString strReason;
    if (!FromJson(file.read(kMaxSize + 1), manifest, &strReason)) {
        SetError(pError, QStringLiteral("%1: %2").arg(strNative, strReason));
        return false;
    }
    return true;
}

QString CReportManifest::Sha256Of(const QString& strPath, QString* pError)
{
    if (!QFileInfo(strPath).isFile()) {
        SetError(pError, tr("%1 is not a regular file.").arg(QDir::toNativeSeparators(strPath)));
        return QString();
    }
    QFile file(strPath);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file)) {
        SetError(pError, QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(strPath), file.errorString()));
        return QString();
    }
    return QString::fromLatin1(hash.result().toHex());
}

QList<CReportManifest::Check> CReportManifest::Verify(const QString& strManifestFolder) const
{
    QList<Check> checks;
    const QDir folder(strManifestFolder);
    for (const Source& source : m_Sources) {
        Check check;
        check.strPath = source.strPath;
        const QString strFile = QDir::cleanPath(folder.filePath(source.strPath));
        const QFileInfo info(strFile);
        if (!info.exists()) {
            check.eState = State::Missing;
        } else {
            QString strError;
            const QString strHash = Sha256Of(strFile, &strError);
            check.eState = strHash.isEmpty()                ? State::Unreadable
                         : strHash == source.strSha256 ? State::Same
                                                       : State::Changed;
        }
        checks << check;
    }
    return checks;
}
