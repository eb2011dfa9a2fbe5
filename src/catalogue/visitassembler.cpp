#include "visitassembler.h"

#include "catalogue.h"
#include "reporttime.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>
#include <memory>

namespace {

void SetError(QString* pError, const QString& strText)
{
    if (pError)
        *pError = strText;
}

QString Native(const QString& strPath)
{
    return QDir::toNativeSeparators(strPath);
}

// One file under two names (a link, "a/../b") is still one file.
QString SameFileKey(const QString& strPath)
{
    const QFileInfo info(strPath);
    const QString strCanonical = info.canonicalFilePath();
    return strCanonical.isEmpty() ? info.absoluteFilePath() : strCanonical;
}

QString SpanText(const QList<CDeviceRecord>& records)
{
    if (records.isEmpty())
        return QString();
    int64_t nFirst = records.first().m_nTime;
    int64_t nLast = nFirst;
    for (const CDeviceRecord& record : records) {
        nFirst = std::min(nFirst, record.m_nTime);
        nLast = std::max(nLast, record.m_nTime);
    }
    return CReportTime::Text(nFirst) + QStringLiteral(" \u2013 ") + CReportTime::Text(nLast);
}

QString LevelText(double dLevel)
{
    return CVisitAssembler::tr("%1 dB").arg(dLevel, 0, 'f', 1);
}

// The row of the report's comparison table: what the engine found, with the
// state of then and of now in a word or a value each.
CVisitReportData::Difference RowOf(const CSessionDifference& difference, const QString& strPrefix)
{
    using Kind = CSessionDifference::Kind;
    CVisitReportData::Difference row;
    row.strInstant = difference.m_nPosition >= 0 ? CReportTime::Text(difference.m_nTime) : QString();
    row.strWhat = strPrefix + difference.m_strText;
    switch (difference.m_eKind) {
    case Kind::SignalNew:
    case Kind::BandNew:
        row.strThen = CVisitAssembler::tr("not seen");
        row.strNow = CVisitAssembler::tr("seen");
        break;
    case Kind::SignalGone:
    case Kind::BandGone:
        row.strThen = CVisitAssembler::tr("seen");
        row.strNow = CVisitAssembler::tr("not seen");
        break;
    case Kind::FrequencyNew:
        row.strThen = CVisitAssembler::tr("not seen");
        row.strNow = CVisitAssembler::tr("seen");
        break;
    case Kind::LevelRose:
    case Kind::LevelFell:
        row.strThen = LevelText(difference.m_dBefore);
        row.strNow = LevelText(difference.m_dNow);
        break;
    case Kind::AlarmNew:
        row.strThen = CVisitAssembler::tr("no alarm");
        row.strNow = CVisitAssembler::tr("alarm");
        break;
    }
    return row;
}

} // namespace

QString CVisitAssembler::DefaultStorage()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).absolutePath();
}

QString CVisitAssembler::ManifestPathFor(const QString& strPdfPath)
{
    QString strBase = strPdfPath;
    if (strBase.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        strBase.chop(4);
    return strBase + QStringLiteral(".json");
}

bool CVisitAssembler::WriteManifest(const CReportManifest& manifest, const QString& strPdfPath, QString* pError)
{
    const QString strManifest = ManifestPathFor(strPdfPath);
    CReportManifest placed = manifest;
    const QDir folder = QFileInfo(strManifest).absoluteDir();
    for (CReportManifest::Source& source : placed.m_Sources)
        if (QDir::isAbsolutePath(source.strPath))
            source.strPath = folder.relativeFilePath(source.strPath);
    return placed.Write(strManifest, pError);
}

bool CVisitAssembler::Assemble(const Request& request, CVisitReportData& data, CReportManifest& manifest,
                               QString* pError, QStringList* pWarnings)
{
    const auto warn = [&](const QString& strText) {
        if (pWarnings)
            *pWarnings << strText;
    };
    if (request.files.isEmpty()) {
        SetError(pError, tr("A report needs at least one realtime or log file."));
        return false;
    }
    if (request.nNumber < 0) {
        SetError(pError, tr("A report number is a positive whole number."));
        return false;
    }

    CVisitReportData result;
    result.m_strFindings = request.strFindings;
    QSet<QString> seen;
    for (const QString& strPath : request.files) {
        const QString strKey = SameFileKey(strPath);
        if (seen.contains(strKey)) {
            SetError(pError, tr("%1 is named twice.").arg(Native(strPath)));
            return false;
        }
        seen.insert(strKey);
        CVisitReportData::Source source;
        QString strWarning;
        if (!CVisitReportData::LoadSource(strPath, source, pError, &strWarning))
            return false;
        if (!strWarning.isEmpty())
            warn(strWarning);
        if (!source.bHasSidecar)
            warn(tr("%1 has no sweep details beside it: its room is its file name, its year this one.")
                     .arg(Native(strPath)));
        result.m_Sources << source;
    }

    const QString strStorage = request.strStorage.isEmpty() ? DefaultStorage()
                                                            : QDir(request.strStorage).absolutePath();
    CCatalogue catalogue(strStorage);
    bool bCatalogueOpen = false;
    const auto openCatalogue = [&]() {
        if (!bCatalogueOpen) {
            bCatalogueOpen = catalogue.Open(pError);
            if (bCatalogueOpen && !catalogue.Notice().isEmpty())
                warn(catalogue.Notice());
        }
        return bCatalogueOpen;
    };

    CSessionComparison::Options options;
    options.dToleranceKhz = request.dToleranceKHz;
    options.dMinChangeDb = request.dMinChangeDb;
    for (const QString& strRoom : result.Rooms()) {
        CVisitReportData::Comparison comparison;
        comparison.strRoom = strRoom;
        QList<const CVisitReportData::Source*> sessions;
        for (const CVisitReportData::Source& source : result.m_Sources)
            if (source.Room() == strRoom)
                sessions << &source;
        const CVisitReportData::Source& first = *sessions.first();
        const bool bInside = std::any_of(sessions.cbegin(), sessions.cend(), [&](const auto* pSource) {
            return !catalogue.Relative(pSource->strPath).isEmpty();
        });
        if (!first.bHasSidecar || first.sidecar.m_Context.m_strRoom.trimmed().isEmpty()) {
            comparison.strNote = tr("%1 was not recorded in a room, so it has no baseline.").arg(first.strFileName);
            result.m_Comparisons << comparison;
            continue;
        }
        if (!openCatalogue())
            return false;
        CCatalogue::BaselineRow row;
        QString strError;
        if (!catalogue.Baseline(first.sidecar.m_Context.Site(), first.sidecar.m_Context.m_strRoom, row, &strError)) {
            if (!strError.isEmpty()) {
                SetError(pError, strError);
                return false;
            }
            if (bInside)
                comparison.eBaseline = CVisitReportData::Baseline::None;
            else
                comparison.strNote = tr("%1 is not in the catalogue of %2, so its room's baseline is not known.")
                                         .arg(first.strFileName, Native(strStorage));
            result.m_Comparisons << comparison;
            continue;
        }

        const QString strBasePath = QDir(catalogue.Storage()).filePath(row.strPath);
        CVisitReportData::Source base;
        QString strWarning;
        if (!CVisitReportData::LoadSource(strBasePath, base, &strError, &strWarning)) {
            comparison.strNote = tr("The baseline %1 cannot be read: %2").arg(Native(row.strPath), strError);
            result.m_Comparisons << comparison;
            continue;
        }
        comparison.eBaseline = CVisitReportData::Baseline::Compared;
        comparison.strBaseline = base.records.isEmpty() ? row.strPath
                                                        : QStringLiteral("%1, %2").arg(row.strPath, SpanText(base.records));
        CSessionComparison::Session baseSession{base.records, base.IsLog()};
        QStringList notes;
        // The file's name says which session a row is of, once there are several.
        const bool bNamed = sessions.size() > 1;
        for (const CVisitReportData::Source* pSource : sessions) {
            if (SameFileKey(pSource->strPath) == SameFileKey(strBasePath)) {
                notes << tr("%1 is this room's baseline.").arg(pSource->strFileName);
                continue;
            }
            const CSessionComparison::Session now{pSource->records, pSource->IsLog()};
            for (const CSessionDifference& difference : CSessionComparison::Compare(now, baseSession, options))
                comparison.differences << RowOf(difference, bNamed ? pSource->strFileName + QStringLiteral(": ")
                                                                   : QString());
        }
        comparison.strNote = notes.join(QLatin1Char(' '));
        result.m_Comparisons << comparison;
    }

    // The manifest reads each file again as the catalogue does; a file that
    // changed in between would give the report and its manifest two hashes.
    CReportManifest sources;
    for (const CVisitReportData::Source& source : result.m_Sources) {
        if (!sources.AddSource(source.strPath, QString(), strStorage, pError))
            return false;
        CReportManifest::Source& added = sources.m_Sources.last();
        if (added.strSha256 != source.strSha256) {
            SetError(pError, CVisitReportData::tr("%1 changed while it was read.").arg(Native(source.strPath)));
            return false;
        }
        added.strPath = source.strPath;
        added.strRoom = source.Room();
    }

    qint64 nNumber = request.nNumber;
    if (nNumber == 0) {
        int64_t nNext = 0;
        if (!openCatalogue() || !catalogue.NextReportNumber(nNext, pError))
            return false;
        nNumber = nNext;
    }
    result.m_strNumber = QString::number(nNumber);

    const QDateTime now = QDateTime::currentDateTime();
    sources.m_nReportNumber = nNumber;
    sources.m_nCreatedMs = now.toMSecsSinceEpoch();
    sources.m_nCreatedOffsetSecs = now.offsetFromUtc();
    for (const CVisitReportData::Source& source : result.m_Sources) {
        if (source.bHasSidecar && !source.sidecar.m_Context.IsEmpty()) {
            sources.SetContext(source.sidecar.m_Context);
            break;
        }
    }
    sources.RoomsFromSources();
    data = result;
    manifest = sources;
    return true;
}
