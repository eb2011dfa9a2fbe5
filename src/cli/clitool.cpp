#include "clitool.h"

#include "catalogue.h"
#include "checkedsavefile.h"
#include "findprinter.h"
#include "csvexporter.h"
#include "devicefiles.h"
#include "devicesession.h"
#include "kv520device.h"
#include "kv520protocol.h"
#include "logdownload.h"
#include "monitorconfig.h"
#include "monitorservice.h"
#include "servicenotifier.h"
#include "portdiscovery.h"
#include "progressprinter.h"
#include "qtserialportenumerator.h"
#include "recordjson.h"
#include "reportmanifest.h"
#include "recordstream.h"
#include "reportloader.h"
#include "visitassembler.h"
#include "visitreportdata.h"
#include "serial.h"
#include "sessioncomparison.h"
#include "sidecar.h"
#include "terminationwatcher.h"
#ifdef KV521_HAVE_SIMULATOR
#include "kv521simulator.h"
#endif

#include <QCommandLineParser>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QBuffer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

namespace {

// The detector answers its first frame well within this when it is there.
constexpr int kConnectMs = 8000;
constexpr int kCommandMs = 5000;
// A download that has not moved for this long has stalled.
constexpr int kStallMs = 30000;
constexpr int kRecordPollMs = 25;
// Parse's answer when it has shown the help: the command ends successfully.
constexpr int kHelpShown = -1;

struct Command
{
    const char* pName;
    const char* pSummary;
};

const Command kCommands[] = {
    {"ports", QT_TRANSLATE_NOOP("CCliTool", "List the serial ports and the one the detector is looked for on.")},
    {"download", QT_TRANSLATE_NOOP("CCliTool", "Download the detector's log into log files.")},
    {"record", QT_TRANSLATE_NOOP("CCliTool", "Record live measurements to a realtime file or as CSV lines.")},
    {"convert", QT_TRANSLATE_NOOP("CCliTool", "Convert realtime and log files to CSV or JSON lines.")},
    {"settings", QT_TRANSLATE_NOOP("CCliTool", "Read the detector's settings into a file (get) or write a file to it (set).")},
    {"clock", QT_TRANSLATE_NOOP("CCliTool", "Set the detector's clock to this computer's (sync).")},
    {"report", QT_TRANSLATE_NOOP("CCliTool", "Make a PDF report of a realtime or log file, or of a site visit's files.")},
    {"monitor", QT_TRANSLATE_NOOP("CCliTool", "Record without end and publish levels and alarms (a service).")},
    {"catalogue", QT_TRANSLATE_NOOP("CCliTool", "Rebuild the catalogue of the storage folder from its files (rebuild).")},
    {"find", QT_TRANSLATE_NOOP("CCliTool", "Search the catalogue for sessions and events.")},
    {"baseline", QT_TRANSLATE_NOOP("CCliTool", "Make a session its room's baseline (set) or list a room's baselines (show).")},
    {"compare", QT_TRANSLATE_NOOP("CCliTool", "List what differs between a session and its room's baseline or another session.")},
    {"verify", QT_TRANSLATE_NOOP("CCliTool", "Check the source files of a report against its manifest.")},
};

QString Native(const QString& strPath)
{
    return QDir::toNativeSeparators(strPath);
}

// Reading a FIFO or a device would block or never end; only regular files are ours.
bool CheckRegularInput(const QString& strPath, QString* pError)
{
    const QFileInfo info(strPath);
    if (!info.exists()) {
        *pError = CCliTool::tr("%1 does not exist.").arg(Native(strPath));
        return false;
    }
    if (!info.isFile()) {
        *pError = CCliTool::tr("%1 is not a regular file.").arg(Native(strPath));
        return false;
    }
    return true;
}

bool CheckRegularOutput(const QString& strPath, QString* pError)
{
    const QFileInfo info(strPath);
    if (info.exists() && !info.isFile()) {
        *pError = CCliTool::tr("%1 is not a regular file.").arg(Native(strPath));
        return false;
    }
    return true;
}

bool MakeFolder(const QString& strFolder, QString* pError)
{
    if (QFileInfo(strFolder).isDir() || QDir().mkpath(strFolder))
        return true;
    *pError = CCliTool::tr("Could not create the folder %1.").arg(Native(strFolder));
    return false;
}

// "--out -": the standard output instead of a file.
bool IsStandardOutput(const QString& strOut)
{
    return strOut == QLatin1String("-");
}

CCsvExporter::Dialect CsvDialect(const QCommandLineParser& parser)
{
    return parser.isSet(QStringLiteral("excel")) ? CCsvExporter::Dialect::Excel : CCsvExporter::Dialect::Plain;
}

// The printed form asked for; nothing when --csv and --json are both given.
std::optional<CFindPrinter::Format> FormatOf(const QCommandLineParser& parser)
{
    const bool bCsv = parser.isSet(QStringLiteral("csv"));
    const bool bJson = parser.isSet(QStringLiteral("json"));
    if (bCsv && bJson)
        return std::nullopt;
    return bJson ? CFindPrinter::Format::Json : bCsv ? CFindPrinter::Format::Csv : CFindPrinter::Format::Table;
}

QString StorageOf(const QCommandLineParser& parser)
{
    const QString strStorage = parser.value(QStringLiteral("storage"));
    return QDir(strStorage.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) : strStorage)
        .absolutePath();
}

CSweepContext SweepContextOf(const QCommandLineParser& parser)
{
    CSweepContext context;
    context.m_strClient = parser.value(QStringLiteral("site"));
    context.m_strRoom = parser.value(QStringLiteral("room"));
    context.m_strOperator = parser.value(QStringLiteral("operator"));
    return context;
}

// A date alone means the start of that day on this PC (for --to: its end);
// a time without an offset is this PC's local time.
bool ParseInstant(const QString& strText, bool bEnd, int64_t& nMs)
{
    const QDate date = QDate::fromString(strText, Qt::ISODate);
    if (date.isValid()) {
        nMs = date.addDays(bEnd ? 1 : 0).startOfDay().toMSecsSinceEpoch();
        return true;
    }
    const QDateTime time = QDateTime::fromString(strText, Qt::ISODate);
    if (!time.isValid())
        return false;
    nMs = time.toMSecsSinceEpoch();
    return true;
}

// Places the records at the instants they were captured, as the file's
// sidecar tells the year and the PC's offset; false when there is none.
bool ApplyCapture(const QString& strPath, QList<CDeviceRecord>& records, CCaptureTime& capture)
{
    CSidecar sidecar;
    if (!CSidecar::Read(strPath, sidecar))
        return false;
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(CDeviceFiles::kHeaderSize))
        return false;
    constexpr qsizetype kSize = qsizetype(sizeof(DeviceRawRecord));
    const QByteArray raw = file.read(qint64(records.size()) * kSize);
    if (raw.size() / kSize < records.size())
        return false;
    capture = sidecar.m_Capture;
    DeviceRawRecord first;
    DeviceRawRecord record;
    if (!records.isEmpty())
        std::memcpy(static_cast<void*>(&first), raw.constData(), sizeof(first));
    for (qsizetype i = 0; i < records.size(); ++i) {
        std::memcpy(static_cast<void*>(&record), raw.constData() + i * kSize, sizeof(record));
        records[i].m_nTime = capture.InstantMs(record, first) / 1000;
    }
    return true;
}

} // namespace

CCliTool::CCliTool(std::FILE* pOut, std::FILE* pErr)
    : m_pOut(pOut)
    , m_pErr(pErr)
{
}

QString CCliTool::CommandOf(const QStringList& arguments)
{
    for (int i = 1; i < arguments.size(); ++i)
        if (!arguments[i].startsWith(QLatin1Char('-')))
            return arguments[i];
    return QString();
}

bool CCliTool::NeedsGui(const QString& strCommand)
{
    return strCommand == QLatin1String("report");
}

void CCliTool::Print(const QString& strText)
{
    errno = 0;
    if ((std::fprintf(m_pOut, "%s\n", strText.toLocal8Bit().constData()) < 0 || std::fflush(m_pOut) != 0)
        && m_nOutError == 0)
        m_nOutError = errno ? errno : EIO;
}

bool CCliTool::WriteOut(const QByteArray& data, QString* pError)
{
    errno = 0;
    if (std::fwrite(data.constData(), 1, size_t(data.size()), m_pOut) == size_t(data.size()) && std::fflush(m_pOut) == 0
        && !std::ferror(m_pOut))
        return true;
    *pError = tr("Could not write to the standard output: %1")
                  .arg(QString::fromLocal8Bit(std::strerror(errno != 0 ? errno : EIO)));
    return false;
}

int CCliTool::Fail(const QString& strMessage)
{
    std::fprintf(m_pErr, "kv521-cli: %s\n", strMessage.toLocal8Bit().constData());
    return ExitFailed;
}

int CCliTool::Usage(const QString& strMessage)
{
    std::fprintf(m_pErr, "kv521-cli: %s\n%s\n", strMessage.toLocal8Bit().constData(),
                 tr("Try \"kv521-cli --help\".").toLocal8Bit().constData());
    return ExitUsage;
}

void CCliTool::PrintGeneralHelp(std::FILE* pStream)
{
    QString strText = tr("Usage: kv521-cli [--verbose] <command> [options]") + QLatin1Char('\n')
                    + tr("Command-line companion of the KV521 radio-frequency detector.") + QLatin1String("\n\n")
                    + tr("Commands:") + QLatin1Char('\n');
    for (const Command& command : kCommands)
        strText += QStringLiteral("  %1 %2\n").arg(QLatin1String(command.pName), -10).arg(tr(command.pSummary));
    strText += QLatin1Char('\n') + tr("\"kv521-cli <command> --help\" describes a command.") + QLatin1Char('\n')
             + tr("Exit codes: 0 done, 1 failed, 2 bad usage.") + QLatin1Char('\n')
             + tr("compare ends with 3 when the sessions differ.") + QLatin1Char('\n');
    std::fprintf(pStream, "%s", strText.toLocal8Bit().constData());
}

int CCliTool::Parse(QCommandLineParser& parser, const QStringList& arguments, int nMinArgs, int nMaxArgs)
{
    parser.addHelpOption();
    parser.addOption(QCommandLineOption(QStringLiteral("verbose"), tr("Trace the serial link on the error stream.")));
    if (!parser.parse(arguments))
        return Usage(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        std::fprintf(m_pOut, "%s", parser.helpText().toLocal8Bit().constData());
        return kHelpShown;
    }
    if (parser.isSet(QStringLiteral("verbose")))
        QLoggingCategory::setFilterRules(QStringLiteral("kv521.*=true"));
    // The command word itself comes first.
    const int nArgs = int(parser.positionalArguments().size()) - 1;
    if (nArgs < nMinArgs)
        return Usage(tr("Too few arguments for \"%1\".").arg(parser.positionalArguments().value(0)));
    if (nMaxArgs >= 0 && nArgs > nMaxArgs)
        return Usage(tr("Unexpected argument \"%1\".").arg(parser.positionalArguments().value(nMaxArgs + 1)));
    return ExitOk;
}

bool CCliTool::LinkOptions(QCommandLineParser& parser, QString& strPort, bool& bSimulate)
{
    strPort = parser.value(QStringLiteral("port"));
    bSimulate = parser.isSet(QStringLiteral("simulate"));
    if (bSimulate && !strPort.isEmpty()) {
        Usage(tr("--port and --simulate exclude each other."));
        return false;
    }
    if (strPort.isEmpty() && !bSimulate)
        strPort = qEnvironmentVariable("KV521_PORT");
    return true;
}

int CCliTool::Run(const QStringList& arguments)
{
    const int nResult = RunCommand(arguments);
    if (m_nOutError == 0 || nResult != ExitOk)
        return nResult;
    return Fail(tr("Could not write to the standard output: %1").arg(QString::fromLocal8Bit(std::strerror(m_nOutError))));
}

int CCliTool::RunCommand(const QStringList& arguments)
{
    const QString strCommand = CommandOf(arguments);
    if (strCommand.isEmpty()) {
        if (arguments.contains(QLatin1String("--version"))) {
            Print(QStringLiteral("kv521-cli ") + QCoreApplication::applicationVersion());
            return ExitOk;
        }
        if (arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h"))) {
            PrintGeneralHelp(m_pOut);
            return ExitOk;
        }
        PrintGeneralHelp(m_pErr);
        return ExitUsage;
    }

    const QCommandLineOption portOption(QStringLiteral("port"), tr("Use serial port <name>."), QStringLiteral("name"));
    const QCommandLineOption simulateOption(QStringLiteral("simulate"), tr("Use a simulated detector."));
    const QCommandLineOption outDirOption(QStringLiteral("out"), tr("Write into folder <dir>."), QStringLiteral("dir"));
    const QCommandLineOption storageOption(
        QStringLiteral("storage"), tr("The storage folder with its catalogue (default: the program's storage folder)."),
        QStringLiteral("dir"));
    const QList<QCommandLineOption> contextOptions = {
        {QStringLiteral("site"), tr("The site of the sweep (kept beside the files and in the catalogue)."), QStringLiteral("site")},
        {QStringLiteral("room"), tr("The room of the sweep."), QStringLiteral("room")},
        {QStringLiteral("operator"), tr("Who made the sweep."), QStringLiteral("name")}};

    QCommandLineParser parser;
    parser.setApplicationDescription(tr("Command-line companion of the KV521 radio-frequency detector."));
    int nMin = 0;
    int nMax = 0;
    if (strCommand == QLatin1String("ports")) {
        parser.addPositionalArgument(strCommand, tr(kCommands[0].pSummary));
        parser.addOption({QStringLiteral("json"), tr("Write the list as JSON.")});
    } else if (strCommand == QLatin1String("download")) {
        parser.addPositionalArgument(strCommand, tr(kCommands[1].pSummary));
        parser.addOptions({portOption, simulateOption,
                           {QStringLiteral("out"), tr("Write into folder <dir> (default: the storage folder given with --storage, else the current folder)."),
                            QStringLiteral("dir")},
                           storageOption});
        parser.addOptions(contextOptions);
    } else if (strCommand == QLatin1String("record")) {
        parser.addPositionalArgument(strCommand, tr(kCommands[2].pSummary));
        parser.addOptions({portOption, simulateOption,
                           {QStringLiteral("duration"), tr("Stop after <seconds> (default: until Ctrl+C)."),
                            QStringLiteral("seconds")},
                           {QStringLiteral("out"), tr("Store the records in realtime file <file>."),
                            QStringLiteral("file")},
                           {QStringLiteral("csv"), tr("Write the records as CSV lines to the output (the default without --out).")},
                           {QStringLiteral("excel"), tr("CSV for spreadsheets: a byte order mark and CRLF line ends.")},
                           storageOption});
        parser.addOptions(contextOptions);
    } else if (strCommand == QLatin1String("convert")) {
        parser.addPositionalArgument(strCommand, tr(kCommands[3].pSummary));
        parser.addPositionalArgument(QStringLiteral("files"), tr("Realtime (.rdf) and log (.ldf) files."),
                                     QStringLiteral("FILE..."));
        parser.addOptions({{QStringLiteral("to"), tr("Output format: csv (default) or json."), QStringLiteral("format")},
                           {QStringLiteral("out"), tr("Write into folder <dir> (default: beside each file); - writes one file's records to the output."),
                            QStringLiteral("dir")},
                           {QStringLiteral("excel"), tr("CSV for spreadsheets: a byte order mark and CRLF line ends.")}});
        nMin = 1;
        nMax = -1;
    } else if (strCommand == QLatin1String("settings")) {
        parser.addPositionalArgument(strCommand, tr(kCommands[4].pSummary));
        parser.addPositionalArgument(QStringLiteral("action"), tr("get, or set followed by the settings file."),
                                     QStringLiteral("get|set [FILE.mnu]"));
        parser.addOptions({portOption, simulateOption,
                           {QStringLiteral("out"), tr("get: the settings file to write."), QStringLiteral("file")}});
        nMin = 1;
        nMax = 2;
    } else if (strCommand == QLatin1String("clock")) {
        parser.addPositionalArgument(strCommand, tr(kCommands[5].pSummary));
        parser.addPositionalArgument(QStringLiteral("action"), tr("sync"), QStringLiteral("sync"));
        parser.addOptions({portOption, simulateOption});
        nMin = nMax = 1;
    } else if (strCommand == QLatin1String("report")) {
        parser.addPositionalArgument(strCommand, tr(kCommands[6].pSummary));
        parser.addPositionalArgument(QStringLiteral("files"),
                                     tr("A realtime (.rdf) or log (.ldf) file; several, or --findings, --number or "
                                        "--storage, make the report of a site visit."),
                                     QStringLiteral("FILE..."));
        parser.setApplicationDescription(
            tr("The report of a site visit compares each room with its baseline in the catalogue, and writes beside "
               "X.pdf the manifest X.json that \"kv521-cli verify\" checks the source files against."));
        parser.addOptions({{QStringLiteral("out"), tr("The PDF file to write (default: beside the first file); - writes "
                                                      "the report of one file to the output (a visit report needs a file)."),
                            QStringLiteral("file")},
                           {QStringLiteral("findings"), tr("Findings and recommendations, a UTF-8 text file."), QStringLiteral("file")},
                           {QStringLiteral("number"), tr("The report number (default: the next one the catalogue issues)."),
                            QStringLiteral("number")},
                           storageOption});
        nMin = 1;
        nMax = -1;
    } else if (strCommand == QLatin1String("monitor")) {
        parser.addPositionalArgument(strCommand, tr(kCommands[7].pSummary));
        parser.setApplicationDescription(
            tr("Records every measurement into the storage folder and, with a broker host, publishes to MQTT:\n"
               "<prefix>/<detector>/state (retained online/offline), levels (each interval) and alarm.\n"
               "While the broker is away, alarms and level summaries wait on disk, at most queue-limit\n"
               "messages (100000 by default, about a day of summaries); beyond that the oldest are dropped.\n"
               "Every option can also be a \"key = value\" line of the --config file; options win."));
        parser.addOption({QStringLiteral("config"), tr("Read the settings from <file>."), QStringLiteral("file")});
        for (const QString& strKey : CMonitorConfig::Keys()) {
            if (CMonitorConfig::IsFlag(strKey))
                parser.addOption({strKey, CMonitorConfig::Description(strKey)});
            else
                parser.addOption({strKey, CMonitorConfig::Description(strKey), CMonitorConfig::ValueName(strKey)});
        }
    } else if (strCommand == QLatin1String("catalogue")) {
        parser.addPositionalArgument(strCommand, tr(kCommands[8].pSummary));
        parser.addPositionalArgument(QStringLiteral("action"), tr("rebuild"), QStringLiteral("rebuild"));
        parser.addOption(storageOption);
        nMin = nMax = 1;
    } else if (strCommand == QLatin1String("find")) {
        parser.addPositionalArgument(strCommand, tr(kCommands[9].pSummary));
        parser.addOptions({storageOption,
                           {QStringLiteral("from"), tr("From <time> on (ISO 8601 date or date and time)."), QStringLiteral("time")},
                           {QStringLiteral("to"), tr("Up to <time> (a date includes that day)."), QStringLiteral("time")},
                           {QStringLiteral("site"), tr("Only the site <site>."), QStringLiteral("site")},
                           {QStringLiteral("room"), tr("Only the room <room>."), QStringLiteral("room")},
                           {QStringLiteral("kind"), tr("Only signal kind <kind> (DECT, GSM, BLUETOOTH, WLAN, DECT BASE, WLAN BASE; may be repeated)."),
                            QStringLiteral("kind")},
                           {QStringLiteral("min-level"), tr("Only levels of at least <dB>."), QStringLiteral("dB")},
                           {QStringLiteral("alarms"), tr("Only alarms.")},
                           {QStringLiteral("sessions"), tr("List the matching files rather than their events.")},
                           {QStringLiteral("csv"), tr("Write CSV.")},
                           {QStringLiteral("json"), tr("Write JSON.")}});
    } else if (strCommand == QLatin1String("baseline")) {
        parser.addPositionalArgument(strCommand, tr(kCommands[10].pSummary));
        parser.addPositionalArgument(QStringLiteral("action"), tr("set followed by a realtime or log file, or show."),
                                     QStringLiteral("set FILE|show"));
        parser.addOptions({storageOption,
                           {QStringLiteral("site"), tr("show: only the site <site>."), QStringLiteral("site")},
                           {QStringLiteral("room"), tr("show: the room <room>."), QStringLiteral("room")},
                           {QStringLiteral("csv"), tr("Write CSV.")},
                           {QStringLiteral("json"), tr("Write JSON.")}});
        nMin = 1;
        nMax = 2;
    } else if (strCommand == QLatin1String("compare")) {
        parser.addPositionalArgument(strCommand, tr(kCommands[11].pSummary));
        parser.addPositionalArgument(QStringLiteral("new"), tr("The session to look at (.rdf or .ldf)."), QStringLiteral("NEW"));
        parser.addPositionalArgument(QStringLiteral("base"), tr("The session to compare with (default: the baseline of NEW's room)."),
                                     QStringLiteral("[BASE]"));
        parser.addOptions({storageOption,
                           {QStringLiteral("tolerance"), tr("Frequencies closer than <MHz> are the same (default 1)."),
                            QStringLiteral("MHz")},
                           {QStringLiteral("min-change"), tr("Highest levels that moved by at least <dB> (default 6)."),
                            QStringLiteral("dB")},
                           {QStringLiteral("csv"), tr("Write CSV.")},
                           {QStringLiteral("json"), tr("Write JSON.")}});
        parser.setApplicationDescription(tr("Exit codes: 0 nothing differs, 3 something differs, 1 failed, 2 bad usage."));
        nMin = 1;
        nMax = 2;
    } else if (strCommand == QLatin1String("verify")) {
        parser.addPositionalArgument(strCommand, tr(kCommands[12].pSummary));
        parser.addPositionalArgument(QStringLiteral("manifest"), tr("The report's JSON manifest."), QStringLiteral("REPORT.json"));
        parser.setApplicationDescription(
            tr("Exit codes: 0 every file matches, 1 a file changed or is missing (each named), 2 the manifest cannot be read."));
        nMin = nMax = 1;
    } else {
        return Usage(tr("Unknown command \"%1\".").arg(strCommand));
    }

    const int nParsed = Parse(parser, arguments, nMin, nMax);
    if (nParsed != ExitOk)
        return nParsed == kHelpShown ? int(ExitOk) : nParsed;
    const QStringList args = parser.positionalArguments().mid(1);
    if (strCommand == QLatin1String("ports"))
        return Ports(parser, args);
    if (strCommand == QLatin1String("download"))
        return Download(parser, args);
    if (strCommand == QLatin1String("record"))
        return Record(parser, args);
    if (strCommand == QLatin1String("convert"))
        return Convert(parser, args);
    if (strCommand == QLatin1String("settings"))
        return Settings(parser, args);
    if (strCommand == QLatin1String("clock"))
        return Clock(parser, args);
    if (strCommand == QLatin1String("monitor"))
        return Monitor(parser, args);
    if (strCommand == QLatin1String("catalogue"))
        return Catalogue(parser, args);
    if (strCommand == QLatin1String("find"))
        return Find(parser, args);
    if (strCommand == QLatin1String("baseline"))
        return Baseline(parser, args);
    if (strCommand == QLatin1String("compare"))
        return Compare(parser, args);
    if (strCommand == QLatin1String("verify"))
        return Verify(parser, args);
    return Report(parser, args);
}

int CCliTool::Ports(QCommandLineParser& parser, const QStringList&)
{
    QList<SerialPortEntry> ports = CQtSerialPortEnumerator().Ports();
    // KV521_PORT names the port the program and the other commands use; it
    // may be one the enumeration misses (a pseudo-terminal, a link).
    const QString strNamed = qEnvironmentVariable("KV521_PORT");
    const auto samePort = [](const QString& strA, const QString& strB) {
        if (strA == strB)
            return true;
        const QString strCanonical = QFileInfo(strA).canonicalFilePath();
        return !strCanonical.isEmpty() && strCanonical == QFileInfo(strB).canonicalFilePath();
    };
    QString strDefault;
    if (!strNamed.isEmpty()) {
        strDefault = strNamed;
        bool bListed = false;
        for (const SerialPortEntry& port : ports)
            bListed = bListed || samePort(port.OpenPath(), strNamed);
        if (!bListed) {
            SerialPortEntry named;
            named.m_strName = QFileInfo(strNamed).fileName();
            named.m_strLocation = strNamed;
            ports.prepend(named);
        }
    } else {
        // The program's own rule, so the tool marks the port the program would use.
        const CPortDiscovery::Result found = CPortDiscovery::Automatic(ports);
        if (found.m_eOutcome == CPortDiscovery::Outcome::Found)
            strDefault = found.m_Port.OpenPath();
    }
    const auto isDefault = [&](const SerialPortEntry& port) {
        return !strDefault.isEmpty() && samePort(port.OpenPath(), strDefault);
    };

    if (parser.isSet(QStringLiteral("json"))) {
        QJsonArray list;
        for (const SerialPortEntry& port : ports) {
            QJsonObject entry{{QStringLiteral("path"), port.OpenPath()},
                              {QStringLiteral("name"), port.m_strName},
                              {QStringLiteral("description"), port.m_strDescription},
                              {QStringLiteral("manufacturer"), port.m_strManufacturer},
                              {QStringLiteral("serialNumber"), port.m_strSerialNumber},
                              {QStringLiteral("default"), isDefault(port)},
                              {QStringLiteral("namedByEnvironment"), !strNamed.isEmpty() && samePort(port.OpenPath(), strNamed)},
                              {QStringLiteral("exists"), QFileInfo::exists(port.OpenPath())}};
            if (port.m_bHasUsbId) {
                entry.insert(QStringLiteral("vendorId"), port.m_nVendorId);
                entry.insert(QStringLiteral("productId"), port.m_nProductId);
                entry.insert(QStringLiteral("usbId"), port.UsbId());
            }
            list.append(entry);
        }
        const QJsonObject document{{QStringLiteral("schema"), CRecordJson::kSchemaVersion},
                                   {QStringLiteral("ports"), list},
                                   {QStringLiteral("default"), strDefault.isEmpty() ? QJsonValue() : QJsonValue(strDefault)},
                                   {QStringLiteral("defaultFrom"),
                                    strDefault.isEmpty() ? QJsonValue()
                                    : strNamed.isEmpty() ? QJsonValue(QStringLiteral("automatic"))
                                                         : QJsonValue(QStringLiteral("KV521_PORT"))}};
        QString strError;
        return WriteOut(QJsonDocument(document).toJson(QJsonDocument::Indented), &strError) ? int(ExitOk)
                                                                                             : Fail(strError);
    }

    if (ports.isEmpty()) {
        Print(tr("No serial ports found."));
        return ExitOk;
    }
    Print(QStringLiteral("  %1 %2 %3 %4")
              .arg(tr("Port"), -20)
              .arg(tr("Vendor:Product"), -15)
              .arg(tr("Serial number"), -20)
              .arg(tr("Description")));
    for (const SerialPortEntry& port : ports) {
        QString strDescription = port.m_strDescription;
        if (!strNamed.isEmpty() && samePort(port.OpenPath(), strNamed) && strDescription.isEmpty())
            strDescription = QFileInfo::exists(strNamed) ? tr("(named by KV521_PORT)")
                                                         : tr("(named by KV521_PORT, not present)");
        Print(QStringLiteral("%1 %2 %3 %4 %5")
                  .arg(isDefault(port) ? QLatin1Char('*') : QLatin1Char(' '))
                  .arg(Native(port.OpenPath()), -20)
                  .arg(port.UsbId(), -15)
                  .arg(port.m_strSerialNumber, -20)
                  .arg(strDescription));
    }
    if (!strNamed.isEmpty())
        Print(tr("* the port named by KV521_PORT, used when none is named: %1").arg(Native(strNamed)));
    else
        Print(strDefault.isEmpty() ? tr("No port is the detector's by the automatic rule; name one with --port.")
                                   : tr("* the port used when none is named: %1").arg(Native(strDefault)));
    return ExitOk;
}

int CCliTool::Download(QCommandLineParser& parser, const QStringList&)
{
    QString strPort;
    bool bSimulate = false;
    if (!LinkOptions(parser, strPort, bSimulate))
        return ExitUsage;
    const QString strFolder = QDir(parser.isSet(QStringLiteral("out"))       ? parser.value(QStringLiteral("out"))
                                   : parser.isSet(QStringLiteral("storage")) ? parser.value(QStringLiteral("storage"))
                                                                             : QDir::currentPath())
                                  .absolutePath();
    QString strError;
    if (!MakeFolder(strFolder, &strError))
        return Fail(strError);

    CDeviceSession session;
    if (!session.Open(strPort, bSimulate, false, kConnectMs, &strError))
        return Fail(strError);
    session.Device().SetSweepContext(SweepContextOf(parser));
    CLogDownload download(session.Device());
    download.Start();
    CProgressPrinter progress(m_pErr);
    const std::atomic<int>* pProgress = download.Progress();
    int nLast = -1;
    QDeadlineTimer stall(kStallMs);
    while (download.Poll() == CLogDownload::State::Reading) {
        const int nValue = pProgress->load();
        if (nValue != nLast) {
            nLast = nValue;
            progress.Show(nValue);
            stall.setRemainingTime(kStallMs);
        }
        if (stall.hasExpired()) {
            progress.Finish();
            return Fail(tr("The detector stopped sending its log."));
        }
        CDeviceSession::WaitUntil([] { return false; }, 20);
    }
    if (download.Poll() == CLogDownload::State::ReadFailed) {
        progress.Finish();
        return Fail(tr("An error occured reading the log."));
    }
    progress.Show(100);
    progress.Finish();

    const CLogDownload::Result result = download.Save(strFolder);
    if (result.eOutcome == CLogDownload::Outcome::Failed)
        return Fail(tr("An error occured parsing log!") + QLatin1Char(' ') + result.strError);
    for (const QString& strName : result.files)
        Print(Native(QDir(strFolder).filePath(strName)));
    QStringList paths;
    for (const QString& strName : result.files)
        paths << QDir(strFolder).filePath(strName);
    Catalogue(StorageOf(parser), paths);
    // The cut and the empty log are told after the files, so a script
    // reading the standard output gets every file a download stored.
    if (!result.strError.isEmpty())
        std::fprintf(m_pErr, "%s\n", result.strError.toLocal8Bit().constData());
    return ExitOk;
}

int CCliTool::Record(QCommandLineParser& parser, const QStringList&)
{
    QString strPort;
    bool bSimulate = false;
    if (!LinkOptions(parser, strPort, bSimulate))
        return ExitUsage;
    double dSeconds = 0.0;
    if (parser.isSet(QStringLiteral("duration"))) {
        bool bOk = false;
        dSeconds = parser.value(QStringLiteral("duration")).toDouble(&bOk);
        if (!bOk || dSeconds <= 0.0 || dSeconds > 1e6)
            return Usage(tr("--duration needs a positive number of seconds."));
    }
    const QString strFile = parser.value(QStringLiteral("out"));
    const bool bCsv = parser.isSet(QStringLiteral("csv")) || strFile.isEmpty();
    QString strError;
    if (!strFile.isEmpty() && !CheckRegularOutput(strFile, &strError))
        return Fail(strError);

    CDeviceSession session;
    if (!session.Open(strPort, bSimulate, false, kConnectMs, &strError))
        return Fail(strError);
    CRecordStream stream(session.Device());
    if (!strFile.isEmpty() && !stream.OpenFile(strFile, &strError))
        return Fail(strError);
    if (!strFile.isEmpty()) {
        // The records to come are the detector's now: this month, this year.
        const QDateTime now = QDateTime::currentDateTime();
        DeviceRawRecord first;
        first.Clear();
        first.Month = uint8_t(now.date().month());
        QString strSidecarError;
        CSidecar sidecar = CSidecar::At(SweepContextOf(parser), first, now, session.Device().GetPortName(),
                                        session.Device().GetUsbSerial());
        sidecar.TakeDetectorState(session.Device(), now);
        if (!sidecar.Write(strFile, &strSidecarError))
            CSidecar::WarnOnce(strSidecarError);
    }
    if (bCsv && !stream.SetCsvStream(m_pOut, &strError, CsvDialect(parser)))
        return Fail(strError);

    QEventLoop loop;
    bool bFailed = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!stream.Poll(&strError)) {
            bFailed = true;
            loop.quit();
        }
    });
    poll.start(kRecordPollMs);
    QTimer duration;
    duration.setSingleShot(true);
    QObject::connect(&duration, &QTimer::timeout, &loop, &QEventLoop::quit);
    if (dSeconds > 0.0)
        duration.start(int(dSeconds * 1000.0));
    // Ctrl+C, a closed terminal or a service manager end the recording in
    // order: what arrived is written before the program ends.
    CTerminationWatcher termination;
    QObject::connect(&termination, &CTerminationWatcher::terminationRequested, &loop, &QEventLoop::quit);
    loop.exec();
    poll.stop();
    session.Device().Stop();
    if (!stream.Close(&strError) || bFailed)
        return Fail(strError);
    // Only a machine too busy to poll for longer than the ring holds gets here.
    if (stream.Missed() > 0)
        std::fprintf(m_pErr, "kv521-cli: %s\n",
                     tr("%1 records left the detector's history before they could be written.")
                         .arg(stream.Missed())
                         .toLocal8Bit()
                         .constData());
    if (!strFile.isEmpty()) {
        std::fprintf(m_pErr, "%s\n",
                     tr("Records written to %1: %2").arg(Native(strFile)).arg(stream.Count()).toLocal8Bit().constData());
        Catalogue(StorageOf(parser), {strFile});
    }
    return ExitOk;
}

int CCliTool::Convert(QCommandLineParser& parser, const QStringList& args)
{
    const QString strFormat = parser.isSet(QStringLiteral("to")) ? parser.value(QStringLiteral("to")).toLower()
                                                                  : QStringLiteral("csv");
    if (strFormat != QLatin1String("csv") && strFormat != QLatin1String("json"))
        return Usage(tr("--to takes csv or json."));
    const bool bJson = strFormat == QLatin1String("json");
    const CCsvExporter::Dialect eDialect = CsvDialect(parser);
    QString strError;
    const QString strOutDir = parser.value(QStringLiteral("out"));
    const bool bToOutput = IsStandardOutput(strOutDir);
    if (bToOutput && args.size() != 1)
        return Usage(tr("--out - writes one file's records to the output: name one file."));

    const auto targetOf = [&](const QString& strPath) {
        const QFileInfo info(strPath);
        const QDir folder(strOutDir.isEmpty() ? info.absolutePath() : strOutDir);
        return folder.filePath(info.completeBaseName() + (bJson ? QStringLiteral(".jsonl") : QStringLiteral(".csv")));
    };
    // Two inputs of one name (a/x.ldf and b/x.ldf, x.rdf and x.ldf) would
    // write one output twice, the first one's rows lost: refused before
    // anything is written.
    QHash<QString, QString> sources;
    for (const QString& strPath : bToOutput ? QStringList() : args) {
        const QString strTarget = QFileInfo(targetOf(strPath)).absoluteFilePath();
        if (sources.contains(strTarget))
            return Fail(tr("%1 and %2 would both be converted to %3; convert them into different folders.")
                            .arg(Native(sources.value(strTarget)), Native(strPath), Native(strTarget)));
        sources.insert(strTarget, strPath);
    }
    if (!bToOutput && !strOutDir.isEmpty() && !MakeFolder(strOutDir, &strError))
        return Fail(strError);

    int nResult = ExitOk;
    for (const QString& strPath : args) {
        QList<CDeviceRecord> records;
        int nVersion = 0;
        QString strWarning;
        if (!CheckRegularInput(strPath, &strError)
            || !CDeviceFiles::LoadDataFile(strPath, records, nVersion, &strError, &strWarning)) {
            nResult = Fail(strError);
            continue;
        }
        // The whole records are good: a warning, not a failure.
        if (!strWarning.isEmpty())
            std::fprintf(m_pErr, "kv521-cli: %s\n", strWarning.toLocal8Bit().constData());
        CCaptureTime capture;
        std::optional<int> utcOffset;
        if (ApplyCapture(strPath, records, capture))
            utcOffset = capture.m_nUtcOffsetSecs;
        else
            std::fprintf(m_pErr, "kv521-cli: %s\n",
                         tr("%1: when it was captured is not known; its year and time zone are assumed to be this "
                            "computer's now.")
                             .arg(Native(strPath))
                             .toLocal8Bit()
                             .constData());
        if (bToOutput) {
            QByteArray data;
            if (bJson) {
                int nRow = 0;
                for (const CDeviceRecord& record : records)
                    data += CRecordJson::Line(record, ++nRow, nVersion, utcOffset);
            } else {
                data = CCsvExporter::Build(records, nVersion, eDialect, utcOffset);
            }
            if (!WriteOut(data, &strError))
                nResult = Fail(strError);
            continue;
        }
        const QString strTarget = targetOf(strPath);
        if (!CheckRegularOutput(strTarget, &strError)) {
            nResult = Fail(strError);
            continue;
        }
        if (bJson) {
            CCheckedSaveFile file(strTarget);
            bool bOk = file.Open();
            int nRow = 0;
            for (const CDeviceRecord& record : records) {
                if (!bOk)
                    break;
                bOk = file.Write(CRecordJson::Line(record, ++nRow, nVersion, utcOffset));
            }
            if (!bOk || !file.Commit()) {
                nResult = Fail(QStringLiteral("%1: %2").arg(Native(strTarget), file.ErrorString()));
                continue;
            }
        } else if (!CCsvExporter::Write(strTarget, records, nVersion, &strError, eDialect, utcOffset)) {
            nResult = Fail(strError);
            continue;
        }
        Print(Native(strTarget));
    }
    return nResult;
}

int CCliTool::Settings(QCommandLineParser& parser, const QStringList& args)
{
    QString strPort;
    bool bSimulate = false;
    if (!LinkOptions(parser, strPort, bSimulate))
        return ExitUsage;
    const QString strAction = args.value(0);
    QString strFile;
    if (strAction == QLatin1String("get")) {
        if (args.size() > 1)
            return Usage(tr("Unexpected argument \"%1\".").arg(args[1]));
        strFile = parser.value(QStringLiteral("out"));
        if (strFile.isEmpty())
            return Usage(tr("settings get needs --out FILE.mnu."));
    } else if (strAction == QLatin1String("set")) {
        if (args.size() != 2)
            return Usage(tr("settings set needs the settings file."));
        strFile = args[1];
    } else {
        return Usage(tr("settings takes get or set."));
    }
    QString strError;
    const bool bGet = strAction == QLatin1String("get");
    if (!(bGet ? CheckRegularOutput(strFile, &strError) : CheckRegularInput(strFile, &strError)))
        return Fail(strError);

    CDeviceSession session;
    if (!session.Open(strPort, bSimulate, true, kConnectMs, &strError))
        return Fail(strError);
    CKV520Device& device = session.Device();
    if (bGet) {
        if (!device.SaveMenuFile(strFile))
            return Fail(QStringLiteral("%1: %2").arg(Native(strFile), device.GetLastFileError()));
        Print(Native(strFile));
        return ExitOk;
    }
    if (!device.LoadMenuFile(strFile))
        return Fail(QStringLiteral("%1: %2").arg(Native(strFile), device.GetLastFileError()));
    if (!session.RunCommand(KV520::kCmdWriteMenu, kCommandMs))
        return Fail(tr("The detector did not take the settings."));
    return ExitOk;
}

int CCliTool::Clock(QCommandLineParser& parser, const QStringList& args)
{
    if (args.value(0) != QLatin1String("sync"))
        return Usage(tr("clock takes sync."));
    QString strPort;
    bool bSimulate = false;
    if (!LinkOptions(parser, strPort, bSimulate))
        return ExitUsage;
    QString strError;
    CDeviceSession session;
    if (!session.Open(strPort, bSimulate, true, kConnectMs, &strError))
        return Fail(strError);
    const QDateTime now = QDateTime::currentDateTime();
    session.Device().SetDeviceTime(now);
    if (!session.RunCommand(KV520::kCmdWriteMenu, kCommandMs))
        return Fail(tr("The detector did not take the time."));
    Print(tr("The detector's clock is set to %1.").arg(now.toString(Qt::ISODate)));
    return ExitOk;
}

int CCliTool::Report(QCommandLineParser& parser, const QStringList& args)
{
    const bool bVisit = args.size() > 1 || parser.isSet(QStringLiteral("findings")) || parser.isSet(QStringLiteral("number"))
                        || parser.isSet(QStringLiteral("storage"));
    const QString strPath = args.value(0);
    QString strError;
    if (bVisit)
        return VisitReport(parser, args);
    QList<CDeviceRecord> records;
    int nVersion = 0;
    QString strWarning;
    if (!CheckRegularInput(strPath, &strError)
        || !CDeviceFiles::LoadDataFile(strPath, records, nVersion, &strError, &strWarning))
        return Fail(strError);
    if (!strWarning.isEmpty())
        std::fprintf(m_pErr, "kv521-cli: %s\n", strWarning.toLocal8Bit().constData());
    // The sweep beside the file, when there is one: its year places the
    // records, its zone is stated, its operator signs the document.
    CVisitReportData::Source source;
    const bool bSidecar = CVisitReportData::LoadSource(strPath, source, &strError) && source.bHasSidecar;
    if (bSidecar)
        records = source.records;
    const CSidecar& sidecar = source.sidecar;
    const QFileInfo info(strPath);
    const QString strOut = parser.isSet(QStringLiteral("out"))
                             ? parser.value(QStringLiteral("out"))
                             : info.absoluteDir().filePath(info.completeBaseName() + QStringLiteral(".pdf"));
    if (!CReportLoader::Instance().Load(&strError))
        return Fail(strError);
    const auto write = CReportLoader::Instance().WriteReport2();
    const CSweepContext context = bSidecar ? sidecar.m_Context : CSweepContext();
    if (IsStandardOutput(strOut)) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        if (!write(records, nVersion, info.fileName(), context, bSidecar && sidecar.m_Capture.m_bKnown,
                   sidecar.m_Capture.m_nUtcOffsetSecs, QString(), &buffer, &strError)
            || !WriteOut(buffer.data(), &strError))
            return Fail(strError);
        return ExitOk;
    }
    if (!CheckRegularOutput(strOut, &strError))
        return Fail(strError);
    if (!write(records, nVersion, info.fileName(), context, bSidecar && sidecar.m_Capture.m_bKnown,
               sidecar.m_Capture.m_nUtcOffsetSecs, strOut, nullptr, &strError))
        return Fail(strError);
    Print(Native(strOut));
    return ExitOk;
}

int CCliTool::VisitReport(QCommandLineParser& parser, const QStringList& args)
{
    // Findings longer than this are not notes of a visit.
    constexpr qint64 kMaxFindings = 1024 * 1024;
    QString strError;
    CVisitAssembler::Request request;
    request.files = args;
    request.strStorage = StorageOf(parser);
    if (parser.isSet(QStringLiteral("number"))) {
        bool bOk = false;
        request.nNumber = parser.value(QStringLiteral("number")).toLongLong(&bOk);
        if (!bOk || request.nNumber <= 0)
            return Usage(tr("--number takes a positive whole number."));
    }
    const QFileInfo first(args.value(0));
    const QString strOut = parser.isSet(QStringLiteral("out"))
                             ? parser.value(QStringLiteral("out"))
                             : first.absoluteDir().filePath(first.completeBaseName() + QStringLiteral("-visit.pdf"));
    // The manifest that proves the sources untouched needs a place beside the report.
    if (IsStandardOutput(strOut))
        return Usage(tr("A visit report is written to a file, with its manifest beside it; give --out a PDF file."));
    const QString strManifest = CVisitAssembler::ManifestPathFor(strOut);
    if (parser.isSet(QStringLiteral("findings"))) {
        const QString strFindings = parser.value(QStringLiteral("findings"));
        if (!CheckRegularInput(strFindings, &strError))
            return Fail(strError);
        QFile file(strFindings);
        if (QFileInfo(strFindings).size() > kMaxFindings)
            return Fail(tr("%1 is too large for findings.").arg(Native(strFindings)));
        if (!file.open(QIODevice::ReadOnly))
            return Fail(QStringLiteral("%1: %2").arg(Native(strFindings), file.errorString()));
        request.strFindings = QString::fromUtf8(file.read(kMaxFindings));
    }
    for (const QString& strPath : args)
        if (!CheckRegularInput(strPath, &strError))
            return Fail(strError);
    if (!CheckRegularOutput(strOut, &strError) || !CheckRegularOutput(strManifest, &strError))
        return Fail(strError);
    if (!CReportLoader::Instance().Load(&strError))
        return Fail(strError);
    CVisitReportData data;
    CReportManifest manifest;
    QStringList warnings;
    const bool bAssembled = CVisitAssembler::Assemble(request, data, manifest, &strError, &warnings);
    for (const QString& strWarning : warnings)
        std::fprintf(m_pErr, "kv521-cli: %s\n", strWarning.toLocal8Bit().constData());
    if (!bAssembled)
        return Fail(strError);
    const auto write = CReportLoader::Instance().WriteVisitReport();
    if (!write(data, strOut, nullptr, &strError))
        return Fail(strError);
    if (!CVisitAssembler::WriteManifest(manifest, strOut, &strError)) {
        // A manifest of an earlier report beside this one would vouch for other files.
        QFile::remove(strManifest);
        return Fail(strError);
    }
    Print(Native(strOut));
    Print(Native(strManifest));
    return ExitOk;
}

int CCliTool::Monitor(QCommandLineParser& parser, const QStringList&)
{
    CMonitorConfig config;
    QString strError;
    const auto configError = [this](const QString& strMessage) {
        std::fprintf(m_pErr, "kv521-cli: %s\n", strMessage.toLocal8Bit().constData());
        return int(ExitUsage);
    };
    if (parser.isSet(QStringLiteral("config")) && !config.LoadFile(parser.value(QStringLiteral("config")), &strError))
        return configError(strError);
    for (const QString& strKey : CMonitorConfig::Keys()) {
        if (!parser.isSet(strKey))
            continue;
        const QString strValue = CMonitorConfig::IsFlag(strKey) ? QStringLiteral("true") : parser.value(strKey);
        if (!config.Set(strKey, strValue, &strError))
            return configError(strError);
    }
    if (config.m_strPort.isEmpty() && !config.m_bSimulate)
        config.m_strPort = qEnvironmentVariable("KV521_PORT");
    if (!config.Check(&strError))
        return configError(strError);

#ifdef KV521_HAVE_SIMULATOR
    std::unique_ptr<CKV521Simulator> pSimulator;
    if (config.m_bSimulate) {
        pSimulator = CKV521Simulator::StartForUsers(&strError);
        if (!pSimulator)
            return Fail(tr("Cannot start the simulated detector: %1").arg(strError));
        config.m_strPort = pSimulator->SlavePath();
    }
#else
    if (config.m_bSimulate)
        return Fail(tr("The simulated detector needs a POSIX system."));
#endif

    // A service manager's stop or Ctrl+C, also while starting: what was
    // recorded is written and the detector marked offline before the end.
    QEventLoop loop;
    bool bStopRequested = false;
    CTerminationWatcher termination;
    QObject::connect(&termination, &CTerminationWatcher::terminationRequested, &loop, [&] {
        bStopRequested = true;
        loop.quit();
    });
    CMonitorService service(config);
    CServiceNotifier notifier;
    if (!service.Start(&strError))
        return Fail(strError);
    notifier.Ready();
    if (!bStopRequested)
        loop.exec();
    notifier.Stopping();
    service.Stop();
#ifdef KV521_HAVE_SIMULATOR
    if (pSimulator)
        pSimulator->Stop();
#endif
    return ExitOk;
}
void CCliTool::Catalogue(const QString& strStorage, const QStringList& paths)
{
    // Only files inside the storage folder belong to its catalogue; a
    // catalogue that cannot be written never fails what was stored.
    QStringList inside;
    CCatalogue catalogue(strStorage);
    for (const QString& strPath : paths)
        if (!catalogue.Relative(strPath).isEmpty())
            inside << strPath;
    if (inside.isEmpty())
        return;
    QString strError;
    bool bOk = catalogue.Open(&strError);
    for (int i = 0; bOk && i < inside.size(); ++i)
        bOk = catalogue.IndexFile(inside[i], &strError);
    if (!catalogue.Notice().isEmpty())
        std::fprintf(m_pErr, "kv521-cli: %s\n", catalogue.Notice().toLocal8Bit().constData());
    if (!bOk)
        std::fprintf(m_pErr, "kv521-cli: %s\n",
                     tr("The files are stored, but the catalogue could not take them: %1").arg(strError).toLocal8Bit().constData());
}

int CCliTool::Catalogue(QCommandLineParser& parser, const QStringList& args)
{
    if (args.value(0) != QLatin1String("rebuild"))
        return Usage(tr("catalogue takes rebuild."));
    CCatalogue catalogue(StorageOf(parser));
    QString strError;
    if (!catalogue.Open(&strError) || !catalogue.Rebuild(&strError))
        return Fail(strError);
    for (const QString& strWarning : catalogue.Warnings())
        std::fprintf(m_pErr, "kv521-cli: %s\n", strWarning.toLocal8Bit().constData());
    const QList<CCatalogue::FileRow> files = catalogue.FindFiles(CCatalogue::Query(), &strError);
    Print(tr("The catalogue %1 holds %2 files.").arg(Native(catalogue.DatabasePath())).arg(files.size()));
    return ExitOk;
}

int CCliTool::Find(QCommandLineParser& parser, const QStringList&)
{
    CCatalogue::Query query;
    if (parser.isSet(QStringLiteral("from")) && !ParseInstant(parser.value(QStringLiteral("from")), false, query.nFromMs))
        return Usage(tr("--from takes an ISO 8601 date or date and time."));
    if (parser.isSet(QStringLiteral("to")) && !ParseInstant(parser.value(QStringLiteral("to")), true, query.nToMs))
        return Usage(tr("--to takes an ISO 8601 date or date and time."));
    query.strSite = parser.value(QStringLiteral("site"));
    query.strRoom = parser.value(QStringLiteral("room"));
    for (const QString& strKind : parser.values(QStringLiteral("kind"))) {
        const int nKind = CFindPrinter::KindOf(strKind);
        if (nKind < 0)
            return Usage(tr("Unknown signal kind \"%1\".").arg(strKind));
        query.kinds << nKind;
    }
    if (parser.isSet(QStringLiteral("min-level"))) {
        bool bOk = false;
        query.dMinLevel = parser.value(QStringLiteral("min-level")).toDouble(&bOk);
        if (!bOk || query.dMinLevel < 0.0 || query.dMinLevel > 200.0)
            return Usage(tr("--min-level takes a level in dB."));
    }
    query.bAlarmsOnly = parser.isSet(QStringLiteral("alarms"));
    const std::optional<CFindPrinter::Format> format = FormatOf(parser);
    if (!format)
        return Usage(tr("--csv and --json exclude each other."));
    const CFindPrinter::Format eFormat = *format;

    CCatalogue catalogue(StorageOf(parser));
    QString strError;
    // Files added, changed or removed since the last look are taken in first.
    if (!catalogue.Open(&strError) || !catalogue.Sync(&strError))
        return Fail(strError);
    if (!catalogue.Notice().isEmpty())
        std::fprintf(m_pErr, "kv521-cli: %s\n", catalogue.Notice().toLocal8Bit().constData());
    for (const QString& strWarning : catalogue.Warnings())
        std::fprintf(m_pErr, "kv521-cli: %s\n", strWarning.toLocal8Bit().constData());
    strError.clear();
    QByteArray data;
    if (parser.isSet(QStringLiteral("sessions")))
        data = CFindPrinter::Files(catalogue.FindFiles(query, &strError), eFormat);
    else
        data = CFindPrinter::Events(catalogue.FindEvents(query, &strError), eFormat);
    if (!strError.isEmpty())
        return Fail(strError);
    return WriteOut(data, &strError) ? int(ExitOk) : Fail(strError);
}

bool CCliTool::OpenCatalogue(CCatalogue& catalogue, QString* pError)
{
    if (!catalogue.Open(pError) || !catalogue.Sync(pError))
        return false;
    if (!catalogue.Notice().isEmpty())
        std::fprintf(m_pErr, "kv521-cli: %s\n", catalogue.Notice().toLocal8Bit().constData());
    for (const QString& strWarning : catalogue.Warnings())
        std::fprintf(m_pErr, "kv521-cli: %s\n", strWarning.toLocal8Bit().constData());
    return true;
}

int CCliTool::Baseline(QCommandLineParser& parser, const QStringList& args)
{
    const QString strAction = args.value(0);
    if (strAction == QLatin1String("set")) {
        if (args.size() != 2)
            return Usage(tr("baseline set needs the realtime or log file."));
        QString strError;
        if (!CheckRegularInput(args[1], &strError))
            return Fail(strError);
        CCatalogue catalogue(StorageOf(parser));
        if (!OpenCatalogue(catalogue, &strError) || !catalogue.SetBaseline(args[1], &strError))
            return Fail(strError);
        CSidecar sidecar;
        CSidecar::Read(args[1], sidecar);
        Print(tr("%1 is now the baseline of room %2.").arg(Native(args[1]), sidecar.m_Context.m_strRoom));
        return ExitOk;
    }
    if (strAction != QLatin1String("show"))
        return Usage(tr("baseline takes set or show."));
    if (args.size() > 1)
        return Usage(tr("Unexpected argument \"%1\".").arg(args[1]));
    const QString strRoom = parser.value(QStringLiteral("room"));
    if (strRoom.isEmpty())
        return Usage(tr("baseline show needs --room."));
    const std::optional<CFindPrinter::Format> format = FormatOf(parser);
    if (!format)
        return Usage(tr("--csv and --json exclude each other."));
    const CFindPrinter::Format eFormat = *format;
    CCatalogue catalogue(StorageOf(parser));
    QString strError;
    if (!OpenCatalogue(catalogue, &strError))
        return Fail(strError);
    strError.clear();
    const bool bAnySite = !parser.isSet(QStringLiteral("site"));
    const QList<CCatalogue::BaselineRow> rows =
        catalogue.BaselineHistory(parser.value(QStringLiteral("site")), strRoom, &strError, bAnySite);
    if (!strError.isEmpty())
        return Fail(strError);
    if (rows.isEmpty() && eFormat == CFindPrinter::Format::Table) {
        Print(tr("Room %1 has no baseline.").arg(strRoom));
        return ExitOk;
    }
    return WriteOut(CFindPrinter::Baselines(rows, eFormat), &strError) ? int(ExitOk) : Fail(strError);
}

int CCliTool::Compare(QCommandLineParser& parser, const QStringList& args)
{
    CSessionComparison::Options options;
    if (parser.isSet(QStringLiteral("tolerance"))) {
        bool bOk = false;
        const double dMhz = parser.value(QStringLiteral("tolerance")).toDouble(&bOk);
        if (!bOk || dMhz < 0.0 || dMhz * 1000.0 > CSessionComparison::kMaxToleranceKhz)
            return Usage(tr("--tolerance takes a frequency difference in MHz."));
        options.dToleranceKhz = dMhz * 1000.0;
    }
    if (parser.isSet(QStringLiteral("min-change"))) {
        bool bOk = false;
        options.dMinChangeDb = parser.value(QStringLiteral("min-change")).toDouble(&bOk);
        if (!bOk || options.dMinChangeDb < 0.0 || options.dMinChangeDb > 200.0)
            return Usage(tr("--min-change takes a level difference in dB."));
    }
    const std::optional<CFindPrinter::Format> format = FormatOf(parser);
    if (!format)
        return Usage(tr("--csv and --json exclude each other."));
    const CFindPrinter::Format eFormat = *format;
    const QString strNew = args.value(0);
    QString strBase = args.value(1);
    QString strError;
    if (!CheckRegularInput(strNew, &strError))
        return Fail(strError);
    if (strBase.isEmpty()) {
        CSidecar sidecar;
        if (!CSidecar::Read(strNew, sidecar) || sidecar.m_Context.m_strRoom.isEmpty())
            return Fail(tr("%1 was not recorded in a room, so it has no baseline; name the session to compare it with.")
                            .arg(Native(strNew)));
        CCatalogue catalogue(StorageOf(parser));
        CCatalogue::BaselineRow baseline;
        if (!OpenCatalogue(catalogue, &strError))
            return Fail(strError);
        strError.clear();
        if (!catalogue.Baseline(sidecar.m_Context.Site(), sidecar.m_Context.m_strRoom, baseline, &strError))
            return Fail(strError.isEmpty()
                            ? tr("Room %1 has no baseline; set one with \"kv521-cli baseline set FILE\" or name the "
                                 "session to compare with.")
                                  .arg(sidecar.m_Context.m_strRoom)
                            : strError);
        strBase = QDir(catalogue.Storage()).filePath(baseline.strPath);
    }
    CSessionComparison::Session sessions[2];
    CCaptureTime capture;
    const QString paths[2] = {strNew, strBase};
    for (int i = 0; i < 2; ++i) {
        int nVersion = 0;
        QString strWarning;
        if (!CheckRegularInput(paths[i], &strError)
            || !CDeviceFiles::LoadDataFile(paths[i], sessions[i].records, nVersion, &strError, &strWarning))
            return Fail(strError);
        if (!strWarning.isEmpty())
            std::fprintf(m_pErr, "kv521-cli: %s\n", strWarning.toLocal8Bit().constData());
        sessions[i].bLog = nVersion == CDeviceFiles::kLogVersion;
        CCaptureTime fileCapture;
        if (ApplyCapture(paths[i], sessions[i].records, fileCapture) && i == 0)
            capture = fileCapture;
    }
    const QList<CSessionDifference> differences = CSessionComparison::Compare(sessions[0], sessions[1], options);
    if (differences.isEmpty() && eFormat == CFindPrinter::Format::Table) {
        Print(tr("Nothing differs from %1.").arg(Native(strBase)));
        return ExitOk;
    }
    if (!WriteOut(CFindPrinter::Differences(differences, capture, Native(strNew), Native(strBase), eFormat), &strError))
        return Fail(strError);
    return differences.isEmpty() ? int(ExitOk) : int(ExitDifferent);
}

int CCliTool::Verify(QCommandLineParser&, const QStringList& args)
{
    const QString strManifest = args.value(0);
    CReportManifest manifest;
    QString strError;
    if (!CReportManifest::Read(strManifest, manifest, &strError)) {
        std::fprintf(m_pErr, "kv521-cli: %s\n", strError.toLocal8Bit().constData());
        return ExitUsage;
    }
    const QDir folder = QFileInfo(strManifest).absoluteDir();
    int nBad = 0;
    for (const CReportManifest::Check& check : manifest.Verify(folder.absolutePath())) {
        const QString strFile = Native(QDir::cleanPath(folder.filePath(check.strPath)));
        switch (check.eState) {
        case CReportManifest::State::Same:
            Print(tr("unchanged: %1").arg(strFile));
            continue;
        case CReportManifest::State::Changed:
            Fail(tr("%1 has changed since report %2 was made.").arg(strFile).arg(manifest.m_nReportNumber));
            break;
        case CReportManifest::State::Missing:
            Fail(tr("%1 is missing.").arg(strFile));
            break;
        case CReportManifest::State::Unreadable:
            Fail(tr("%1 cannot be read.").arg(strFile));
            break;
        }
        ++nBad;
    }
    if (nBad > 0)
        return Fail(tr("%1 of the %2 source files of report %3 do not match its manifest.")
                        .arg(nBad)
                        .arg(manifest.m_Sources.size())
                        .arg(manifest.m_nReportNumber));
    Print(tr("All %1 source files of report %2 match its manifest.").arg(manifest.m_Sources.size()).arg(manifest.m_nReportNumber));
    return ExitOk;
}
