// kv521-cli run as a user runs it, against simulated detectors on
// pseudo-terminals.
#include "catalogue.h"
#include "devicefiles.h"
#include "kv520device.h"
#include "kv520protocol.h"
#include "kv521simulator.h"
#include "progressprinter.h"
#include "recordstream.h"
#include "reportmanifest.h"
#include "sidecar.h"
#include "sweepfiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

#include "../tinyfilesystem.h"

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/stat.h>
#endif

#if defined(__SANITIZE_THREAD__)
// The tests start the tool while simulator threads run; the child execs at
// once, so the fork is safe and ThreadSanitizer need not give up on it.
extern "C" const char* __tsan_default_options()
{
    return "die_after_fork=0";
}
#endif

namespace {

struct Result
{
    int nExit = -1;
    QByteArray out;
    QByteArray err;
};

Result RunCli(const QStringList& arguments, const QStringList& environment = {}, const QString& strStdout = {})
{
    QProcess process;
    if (!strStdout.isEmpty())
        process.setStandardOutputFile(strStdout);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // English messages and no stored settings of whoever runs the tests.
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), QDir::temp().filePath(QStringLiteral("kv521-cli-test-config")));
    env.insert(QStringLiteral("LANG"), QStringLiteral("en_US.UTF-8"));
    env.remove(QStringLiteral("KV521_PORT"));
    for (const QString& strPair : environment)
        env.insert(strPair.section(QLatin1Char('='), 0, 0), strPair.section(QLatin1Char('='), 1));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(KV521_CLI_PATH), arguments);
    Result result;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.nExit = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

QByteArray ReadAll(const QString& strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A log file of the simulator's default log, as a download writes it.
QString WriteDefaultLog(const QString& strFolder)
{
    QByteArray blocks;
    for (const QByteArray& block : CKV521Simulator::DefaultLog())
        blocks += block;
    QStringList written;
    QString strError;
    if (!CDeviceFiles::SaveLogFile(blocks, strFolder, &strError, &written) || written.isEmpty())
        return QString();
    // As the program stores them: with the sidecars that date them.
    CSidecar::WriteFor(strFolder, written, CSweepContext(), QDateTime::currentDateTime(), QString(), QString());
    return QDir(strFolder).filePath(written.first());
}

QString PdfText(const QString& strPdf)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), strPdf, QStringLiteral("-")});
    pdftotext.waitForFinished(60000);
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

// Two visits, in March and April, to two rooms of one office; on the second
// the boardroom shows one extra signal kind (WLAN).
bool WriteTwoVisits(const QDir& storage)
{
    using namespace SweepFiles;
    const auto visit = [&](int nMonth, bool bExtraKind) {
        QList<DeviceRawRecord> boardroom = {Record(nMonth, 15, 10, 0, 0, 40, 55, 1), Record(nMonth, 15, 10, 0, 1, 58, 55, 1),
                                            Record(nMonth, 15, 10, 0, 2, 45, 55)};
        if (bExtraKind)
            boardroom.insert(2, Record(nMonth, 15, 10, 0, 2, 44, 55, 4));
        const QString strFolder = QStringLiteral("visit%1/").arg(nMonth);
        return WriteSweep(storage.filePath(strFolder + QStringLiteral("rt_boardroom.rdf")), boardroom, false,
                          QStringLiteral("Office"), QStringLiteral("Boardroom"), 2026, 3600)
            && WriteSweep(storage.filePath(strFolder + QStringLiteral("rt_room2.rdf")),
                          {Record(nMonth, 15, 11, 0, 0, 30, 55, 2), Record(nMonth, 15, 11, 0, 1, 61, 55, 2)}, false,
                          QStringLiteral("Office"), QStringLiteral("Room 2"), 2026, 3600);
    };
    return visit(3, false) && visit(4, true);
}

QStringList CsvRows(const QByteArray& text)
{
    QString strText = QString::fromUtf8(text);
    strText.remove(QChar(0xFEFF));
    strText.remove(QLatin1Char('\r'));
    return strText.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
#ifdef Q_OS_LINUX
    void startsWithoutDisplayLibraries()
    {
        // A headless machine has no X, EGL or D-Bus: the tool must not ask
        // the loader for them, directly or through a library it needs.
        QProcess ldd;
        ldd.start(QStringLiteral("ldd"), {QStringLiteral(KV521_CLI_PATH)});
        if (!ldd.waitForFinished(30000) || ldd.exitCode() != 0)
            QSKIP("ldd cannot read the tool here");
        const QString strNeeded = QString::fromLocal8Bit(ldd.readAllStandardOutput());
        static const QRegularExpression display(
            QStringLiteral(R"(lib(Qt6(Widgets|Gui|DBus)|X11|xcb|EGL|GLX|OpenGL|dbus-1)\b)"));
        QVERIFY2(!display.match(strNeeded).hasMatch(), qPrintable(strNeeded));
    }
#endif
    void downloadWritesWhatTheProgramWrites()
    {
        CKV521Simulator::Options options;
        options.bDeterministic = true;
        CKV521Simulator simForCli(options);
        CKV521Simulator simForProgram(options);
        QString strError;
        QVERIFY2(simForCli.Open(&strError), qPrintable(strError));
        QVERIFY2(simForProgram.Open(&strError), qPrintable(strError));
        simForCli.Start();
        simForProgram.Start();

        QTemporaryDir dir;
        const QString strCliDir = dir.filePath(QStringLiteral("cli/new")); // created on the way
        const Result result = RunCli({QStringLiteral("download"), QStringLiteral("--port"), simForCli.SlavePath(),
                                      QStringLiteral("--out"), strCliDir});
        QVERIFY2(result.nExit == 0, result.err.constData());
        // Not a terminal: plain percentages, ending at 100.
        QVERIFY(result.err.contains("100%\n"));
        QVERIFY(!result.err.contains('\r'));

        CKV520Device device;
        device.SetPortOverride(simForProgram.SlavePath());
        device.Start();
        QTRY_VERIFY_WITH_TIMEOUT(device.IsConnected(), 8000);
        device.SetCommand(KV520::kCmdReadLog);
        QTRY_COMPARE_WITH_TIMEOUT(device.GetProgress()->load(), KV520::kProgressDone, 15000);
        device.Stop();
        QVERIFY(device.SaveLogFile(dir.path()));

        // The data files; their sidecars name the port each side used.
        QStringList names = QDir(strCliDir).entryList({QStringLiteral("*.ldf")}, QDir::Files, QDir::Name);
        QCOMPARE(names, QDir(dir.path()).entryList({QStringLiteral("*.ldf")}, QDir::Files, QDir::Name));
        QCOMPARE(names.size(), 3);
        for (const QString& strName : names) {
            QCOMPARE(ReadAll(QDir(strCliDir).filePath(strName)), ReadAll(dir.filePath(strName)));
            QVERIFY2(result.out.contains(QDir(strCliDir).filePath(strName).toUtf8()), "the files written are listed");
        }
    }

    void recordThenConvertRoundTrips()
    {
        QTemporaryDir dir;
        const QString strFile = dir.filePath(QStringLiteral("rec.rdf"));
        const Result recorded = RunCli({QStringLiteral("record"), QStringLiteral("--simulate"), QStringLiteral("--duration"),
                                        QStringLiteral("3"), QStringLiteral("--out"), strFile, QStringLiteral("--csv")});
        QVERIFY2(recorded.nExit == 0, recorded.err.constData());
        const QStringList streamed = CsvRows(recorded.out);
        QVERIFY2(streamed.size() > 3, "a header and records");
        // Plain CSV, and the log list's names for the quantities it shares.
        QVERIFY(!recorded.out.startsWith("\xEF\xBB\xBF"));
        QVERIFY(!recorded.out.contains('\r'));
        QVERIFY2(streamed.first().startsWith(QStringLiteral("Num,Band,Alarm Time,Duration,1DC (dB),1DC Threshold (dB),1AC (dB)")),
                 qPrintable(streamed.first()));
        QVERIFY(streamed.first().endsWith(QStringLiteral(",Signal,Freq (MHz)")));

        const Result converted = RunCli({QStringLiteral("convert"), strFile, QStringLiteral("--out"), dir.filePath(QStringLiteral("csv"))});
        QVERIFY2(converted.nExit == 0, converted.err.constData());
        const QStringList fromFile = CsvRows(ReadAll(dir.filePath(QStringLiteral("csv/rec.csv"))));
        QCOMPARE(fromFile.size(), streamed.size());
        QCOMPARE(fromFile.first(), streamed.first());
        // A file keeps its thresholds in the record's level block, the live view
        // in the threshold block; every other column must survive the file.
        const QList<int> kept = {0, 1, 2, 3, 4, 6, 8, 10, 12, 14, 16, 17};
        for (int r = 1; r < fromFile.size(); ++r) {
            const QStringList a = fromFile[r].split(QLatin1Char(','));
            const QStringList b = streamed[r].split(QLatin1Char(','));
            QCOMPARE(a.size(), b.size());
            for (int c : kept)
                QCOMPARE(a.value(c), b.value(c));
        }
        QList<CDeviceRecord> records;
        int nVersion = -1;
        QString strError;
        QVERIFY(CDeviceFiles::LoadDataFile(strFile, records, nVersion, &strError));
        QCOMPARE(nVersion, int(CDeviceFiles::kRealtimeVersion));
        QCOMPARE(records.size(), streamed.size() - 1);
    }

#ifdef Q_OS_UNIX
    void recordEndsCleanlyOnCtrlC()
    {
        QTemporaryDir dir;
        const QString strFile = dir.filePath(QStringLiteral("live.rdf"));
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(KV521_CLI_PATH), {QStringLiteral("record"), QStringLiteral("--simulate"),
                                                       QStringLiteral("--out"), strFile, QStringLiteral("--csv")});
        QVERIFY(process.waitForStarted(10000));
        // Records are on their way once CSV rows beyond the header come out.
        QTRY_VERIFY_WITH_TIMEOUT((process.waitForReadyRead(100), process.peek(1 << 20).count('\n') >= 3), 20000);
        ::kill(pid_t(process.processId()), SIGINT);
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        const int nRows = int(CsvRows(process.readAllStandardOutput()).size()) - 1;
        // Every record shown was also stored, whole.
        QCOMPARE(QFileInfo(strFile).size(), qint64(CDeviceFiles::kHeaderSize) + qint64(nRows) * 76);
    }
#endif

    // A killed record loses at most the poll under way: each poll's records
    // are in the file for any reader at once.
    void recordStreamHandsEachPollToTheSystem()
    {
        QTemporaryDir dir;
        CKV520Device device; // never started: records stored as the worker stores them
        CRecordStream stream(device);
        QString strError;
        const QString strFile = dir.filePath(QStringLiteral("live.rdf"));
        QVERIFY2(stream.OpenFile(strFile, &strError), qPrintable(strError));
        std::vector<uint8_t> frame(KV520::kFrameSize, 0);
        frame[KV520::kBandMask] = 1;
        for (int nTotal : {1, 2, 30}) {
            while (device.Model().WriteIndex() < nTotal)
                device.Model().StoreDataFrame(frame.data(), 0);
            QVERIFY(stream.Poll(&strError));
            QCOMPARE(QFileInfo(strFile).size(), qint64(CDeviceFiles::kHeaderSize) + nTotal * 76);
            QCOMPARE(ReadAll(strFile).size(), CDeviceFiles::kHeaderSize + nTotal * 76);
        }
    }

    void convertIgnoresTheDecimalComma()
    {
        QTemporaryDir dir;
        const QString strLog = WriteDefaultLog(dir.path());
        QVERIFY(!strLog.isEmpty());
        const QStringList german = {QStringLiteral("LC_ALL=de_DE.UTF-8"), QStringLiteral("LANG=de_DE.UTF-8"),
                                    QStringLiteral("LC_NUMERIC=de_DE.UTF-8")};
        Result result = RunCli({QStringLiteral("convert"), strLog, QStringLiteral("--out"), dir.filePath(QStringLiteral("out"))}, german);
        QVERIFY2(result.nExit == 0, result.err.constData());
        const QStringList rows = CsvRows(ReadAll(dir.filePath(QStringLiteral("out/") + QFileInfo(strLog).completeBaseName() + QStringLiteral(".csv"))));
        QCOMPARE(rows.size(), 11);
        const QStringList first = rows[1].split(QLatin1Char(','));
        QCOMPARE(first.size(), 11); // a decimal comma would split the level fields
        QCOMPARE(first[4], QStringLiteral("30.0"));
        QVERIFY2(QRegularExpression(QStringLiteral("^\\d{4}-03-11T09:00:00")).match(first[2]).hasMatch(),
                 qPrintable(first[2]));

        result = RunCli({QStringLiteral("convert"), strLog, QStringLiteral("--to"), QStringLiteral("json"), QStringLiteral("--out"), dir.filePath(QStringLiteral("out"))}, german);
        QVERIFY2(result.nExit == 0, result.err.constData());
        const QByteArray json = ReadAll(dir.filePath(QStringLiteral("out/") + QFileInfo(strLog).completeBaseName() + QStringLiteral(".jsonl")));
        QCOMPARE(json.count('\n'), 10);
        QVERIFY(json.contains("\"level\":30,") || json.contains("\"level\":30}"));
        QVERIFY(json.contains("\"frequencyMHz\":2400"));
    }

    // What scripts read: CSV and JSON on the standard output, the PDF too,
    // and the port list as JSON with the port KV521_PORT names.
    void outputsForScripts()
    {
        QTemporaryDir dir;
        QVERIFY(QDir::setCurrent(dir.path()));
        const QString strLog = WriteDefaultLog(dir.path());
        QVERIFY(!strLog.isEmpty());
        const QString strDash = QStringLiteral("-");
        Result result = RunCli({QStringLiteral("convert"), strLog, QStringLiteral("--out"), strDash});
        QVERIFY2(result.nExit == 0, result.err.constData());
        QVERIFY2(result.out.startsWith("Num,Band,Alarm Time,Duration,1DC (dB),1AC (dB),2DC (dB),2AC (dB),Signal,Freq (MHz),Comment\n"),
                 result.out.left(120).constData());
        QVERIFY(!result.out.contains('\r'));
        QCOMPARE(result.out.count('\n'), 11);

        result = RunCli({QStringLiteral("convert"), strLog, QStringLiteral("--excel"), QStringLiteral("--out"), strDash});
        QVERIFY(result.out.startsWith("\xEF\xBB\xBFNum,"));
        QCOMPARE(result.out.count("\r\n"), 11);

        result = RunCli({QStringLiteral("convert"), strLog, QStringLiteral("--to"), QStringLiteral("json"), QStringLiteral("--out"), strDash});
        QVERIFY2(result.nExit == 0, result.err.constData());
        const QList<QByteArray> lines = result.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 10);
        const QJsonObject first = QJsonDocument::fromJson(lines.first()).object();
        QCOMPARE(first.value(QStringLiteral("schema")).toInt(), 1);
        QCOMPARE(first.value(QStringLiteral("durationSeconds")).toInt(), first.value(QStringLiteral("status")).toInt());
        QCOMPARE(first.value(QStringLiteral("units")).toObject().value(QStringLiteral("level")).toString(), QStringLiteral("dB"));
        QCOMPARE(first.value(QStringLiteral("units")).toObject().value(QStringLiteral("threshold")).toString(), QStringLiteral("dB"));

        result = RunCli({QStringLiteral("report"), strLog, QStringLiteral("--out"), strDash});
        QVERIFY2(result.nExit == 0, result.err.constData());
        QVERIFY(result.out.startsWith("%PDF-"));
        QVERIFY(result.out.trimmed().endsWith("%%EOF"));
        QVERIFY(!QFileInfo::exists(dir.filePath(strDash)));

        // Several files cannot share the one output.
        result = RunCli({QStringLiteral("convert"), strLog, strLog, QStringLiteral("--out"), strDash});
        QCOMPARE(result.nExit, 2);
        QVERIFY(!QFileInfo::exists(dir.filePath(strDash)));

        // A pseudo-terminal is not in the system's list, yet KV521_PORT makes it the one used.
        const QString strPort = dir.filePath(QStringLiteral("ttyKV521"));
        result = RunCli({QStringLiteral("ports"), QStringLiteral("--json")}, {QStringLiteral("KV521_PORT=") + strPort});
        QVERIFY2(result.nExit == 0, result.err.constData());
        const QJsonObject ports = QJsonDocument::fromJson(result.out).object();
        QCOMPARE(ports.value(QStringLiteral("default")).toString(), strPort);
        QCOMPARE(ports.value(QStringLiteral("defaultFrom")).toString(), QStringLiteral("KV521_PORT"));
        int nMarked = 0;
        for (const QJsonValue& value : ports.value(QStringLiteral("ports")).toArray()) {
            const QJsonObject port = value.toObject();
            if (port.value(QStringLiteral("default")).toBool()) {
                ++nMarked;
                QCOMPARE(port.value(QStringLiteral("path")).toString(), strPort);
                QVERIFY(port.value(QStringLiteral("namedByEnvironment")).toBool());
            }
        }
        QCOMPARE(nMarked, 1);
        result = RunCli({QStringLiteral("ports")}, {QStringLiteral("KV521_PORT=") + strPort});
        QVERIFY2(result.out.contains(QStringLiteral("* %1").arg(strPort).toUtf8()), result.out.constData());
        QVERIFY(QDir::setCurrent(QDir::tempPath()));
    }

    // A visit of two rooms: the report names both, its number, the settings
    // by name and each file's hash, with every moment in one format.
    void visitReportHoldsRoomsNumberAndHashes()
    {
        QTemporaryDir dir;
        QVERIFY(!WriteDefaultLog(dir.path()).isEmpty());
        const QStringList files = QDir(dir.path()).entryList({QStringLiteral("*.ldf")}, QDir::Files, QDir::Name);
        QVERIFY(files.size() >= 2);
        const QStringList rooms = {QStringLiteral("Boardroom"), QStringLiteral("Office 2")};
        QStringList paths;
        for (int i = 0; i < 2; ++i) {
            paths << dir.filePath(files[i]);
            CSidecar sidecar;
            QVERIFY(CSidecar::Read(paths[i], sidecar));
            sidecar.m_Context.m_strClient = QStringLiteral("ACME");
            sidecar.m_Context.m_strRoom = rooms[i];
            sidecar.m_MenuBlock = QByteArray(54, '\x01');
            QVERIFY(sidecar.Write(paths[i]));
        }
        const QString strFindings = dir.filePath(QStringLiteral("findings.txt"));
        QFile findings(strFindings);
        QVERIFY(findings.open(QIODevice::WriteOnly));
        findings.write("Sweep the boardroom again after the refit.\n");
        findings.close();
        const QString strPdf = dir.filePath(QStringLiteral("visit.pdf"));
        const Result result = RunCli({QStringLiteral("report"), paths[0], paths[1], QStringLiteral("--number"),
                                      QStringLiteral("42"), QStringLiteral("--findings"), strFindings,
                                      QStringLiteral("--out"), strPdf, QStringLiteral("--storage"), dir.path()});
        QVERIFY2(result.nExit == 0, result.err.constData());
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), strPdf, QStringLiteral("-")});
        QVERIFY(pdftotext.waitForFinished(60000));
        const QString strText = QString::fromUtf8(pdftotext.readAllStandardOutput());
        for (const QString& strRoom : rooms)
            QVERIFY2(strText.contains(QStringLiteral("Room: ") + strRoom), qPrintable(strRoom));
        QVERIFY(strText.contains(QStringLiteral("Report number 42")));
        QVERIFY(strText.contains(QStringLiteral("Enable Range 1")));
        QVERIFY(strText.contains(QStringLiteral("Sweep the boardroom again after the refit.")));
        for (const QString& strPath : paths)
            QVERIFY2(strText.contains(QString::fromLatin1(QCryptographicHash::hash(ReadAll(strPath), QCryptographicHash::Sha256).toHex())),
                     qPrintable(strPath));
        const QRegularExpression shortDate(QStringLiteral("(?<![\\d-])\\d\\d[.-]\\d\\d[ T]\\d\\d:\\d\\d"));
        QVERIFY2(!shortDate.match(strText).hasMatch(), qPrintable(shortDate.match(strText).captured()));
    }

    void failuresAndBadUsage()
    {
        QTemporaryDir dir;
        const QString strBad = dir.filePath(QStringLiteral("bad.ldf"));
        QFile bad(strBad);
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("not a data file at all");
        bad.close();
        Result result = RunCli({QStringLiteral("convert"), strBad});
        QCOMPARE(result.nExit, 1);
        QVERIFY(result.err.startsWith("kv521-cli: "));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("bad.csv"))));

        result = RunCli({QStringLiteral("report"), dir.filePath(QStringLiteral("missing.ldf"))});
        QCOMPARE(result.nExit, 1);
        QVERIFY(result.err.contains("missing.ldf"));

#ifdef Q_OS_UNIX
        // Reading a FIFO would wait for a writer forever.
        const QString strFifo = dir.filePath(QStringLiteral("pipe.rdf"));
        QCOMPARE(::mkfifo(QFile::encodeName(strFifo).constData(), 0600), 0);
        result = RunCli({QStringLiteral("convert"), strFifo});
        QCOMPARE(result.nExit, 1);
        QVERIFY(result.err.contains("not a regular file"));
        // The tool speaks the user's language: its catalogue travels with it.
        result = RunCli({QStringLiteral("convert"), strFifo}, {QStringLiteral("LANG=ru_RU.UTF-8")});
        QCOMPARE(result.nExit, 1);
        QVERIFY2(QString::fromUtf8(result.err).contains(QStringLiteral("не является обычным файлом")), result.err);
#endif

        result = RunCli({QStringLiteral("download"), QStringLiteral("--port"), dir.filePath(QStringLiteral("no-such-port"))});
        QCOMPARE(result.nExit, 1);
        QVERIFY(result.err.size() > 12);

        for (const QStringList& usage :
             {QStringList{QStringLiteral("frobnicate")}, QStringList{QStringLiteral("convert")},
              QStringList{QStringLiteral("download"), QStringLiteral("--simulate"), QStringLiteral("--port"), QStringLiteral("x")},
              QStringList{QStringLiteral("convert"), strBad, QStringLiteral("--to"), QStringLiteral("xml")},
              QStringList{QStringLiteral("record"), QStringLiteral("--duration"), QStringLiteral("-1")},
              QStringList{QStringLiteral("settings"), QStringLiteral("get")}, QStringList{}}) {
            result = RunCli(usage);
            QVERIFY2(result.nExit == 2, qPrintable(usage.join(QLatin1Char(' '))));
        }
        result = RunCli({QStringLiteral("record"), QStringLiteral("--help")});
        QCOMPARE(result.nExit, 0);
        QVERIFY(result.out.contains("--duration"));
    }

#ifdef Q_OS_UNIX
    // A full disk or a full output is a failure with the system's reason,
    // never an exit 0 with empty or missing data.
    void fullOutputsFailTheRun()
    {
        Result result = RunCli({QStringLiteral("record"), QStringLiteral("--simulate"), QStringLiteral("--duration"),
                                QStringLiteral("1"), QStringLiteral("--csv")},
                               {}, QStringLiteral("/dev/full"));
        QCOMPARE(result.nExit, 1);
        QVERIFY2(result.err.contains("No space left on device"), result.err.constData());

        QTemporaryDir dir;
        const QString strLog = WriteDefaultLog(dir.path());
        result = RunCli({QStringLiteral("convert"), strLog}, {}, QStringLiteral("/dev/full"));
        QCOMPARE(result.nExit, 1);
        QVERIFY2(result.err.contains("No space left on device"), result.err.constData());
    }

    void downloadOnAFullDiskFailsAndLeavesNoEmptyFile()
    {
        CTinyFileSystem disk(16);
        if (!disk.Mounted())
            QSKIP("No permission to mount a small file system here");
        // Filled up to the last byte by some other file.
        QFile filler(QDir(disk.Path()).filePath(QStringLiteral("filler")));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(512, 'x')) > 0) {
        }
        filler.close();
        const Result result = RunCli({QStringLiteral("download"), QStringLiteral("--simulate"), QStringLiteral("--out"),
                                      disk.Path()});
        QCOMPARE(result.nExit, 1);
        QVERIFY2(result.err.contains("No space left on device") && result.err.contains(".ldf"), result.err.constData());
        QCOMPARE(result.out, QByteArray());
        QCOMPARE(QDir(disk.Path()).entryList(QDir::Files | QDir::Hidden), QStringList({QStringLiteral("filler")}));
    }
#endif

    // Inputs of one name would give one output twice: refused before
    // anything is written. A cut-off last record is left out with a warning.
    void convertRefusesCollidingOutputsAndNamesACutTail()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("a")) && QDir(dir.path()).mkpath(QStringLiteral("b")));
        const QString strA = WriteDefaultLog(dir.filePath(QStringLiteral("a")));
        const QString strName = QFileInfo(strA).fileName();
        const QString strB = dir.filePath(QStringLiteral("b/") + strName);
        QVERIFY(QFile::copy(strA, strB));
        const QString strOut = dir.filePath(QStringLiteral("out"));
        Result result = RunCli({QStringLiteral("convert"), strA, strB, QStringLiteral("--out"), strOut});
        QCOMPARE(result.nExit, 1);
        QVERIFY2(result.err.contains(QFileInfo(strName).completeBaseName().toUtf8() + ".csv"), result.err.constData());
        QVERIFY(!QFileInfo::exists(strOut));
        // x.rdf beside x.ldf: the same clash.
        const QString strRdf = QFileInfo(strA).absoluteDir().filePath(QFileInfo(strName).completeBaseName() + ".rdf");
        QVERIFY(QFile::copy(strA, strRdf));
        result = RunCli({QStringLiteral("convert"), strA, strRdf});
        QCOMPARE(result.nExit, 1);
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("a/") + QFileInfo(strName).completeBaseName() + ".csv")));

        QFile cut(strB);
        QVERIFY(cut.open(QIODevice::Append));
        cut.write(QByteArray(30, '\x5a'));
        cut.close();
        result = RunCli({QStringLiteral("convert"), strB});
        QCOMPARE(result.nExit, 0);
        QVERIFY2(result.err.contains(strName.toUtf8()) && result.err.contains("30 bytes"), result.err.constData());
        const Result whole = RunCli({QStringLiteral("convert"), strA, QStringLiteral("--out"), strOut});
        QCOMPARE(whole.nExit, 0);
        QCOMPARE(whole.err, QByteArray());
        QCOMPARE(ReadAll(dir.filePath(QStringLiteral("b/") + QFileInfo(strName).completeBaseName() + ".csv")),
                 ReadAll(QDir(strOut).filePath(QFileInfo(strName).completeBaseName() + ".csv")));
    }

    // Two visits to two rooms: the second brings one extra signal kind into
    // the boardroom. Compared with each room's baseline, exactly that is told.
    void comparesASecondVisitWithTheRoomsBaseline()
    {
        using namespace SweepFiles;
        QTemporaryDir dir;
        const QDir storage(dir.path());
        QVERIFY(WriteTwoVisits(storage));
        const QString strStorage = storage.path();
        const QString strNewBoardroom = storage.filePath(QStringLiteral("visit4/rt_boardroom.rdf"));
        const auto compare = [&](QStringList arguments) {
            arguments.prepend(QStringLiteral("compare"));
            arguments << QStringLiteral("--storage") << strStorage;
            return RunCli(arguments);
        };

        Result result = compare({strNewBoardroom});
        QCOMPARE(result.nExit, 1);
        QVERIFY2(result.err.contains("has no baseline"), result.err);
        for (const char* pFile : {"visit3/rt_boardroom.rdf", "visit3/rt_room2.rdf"}) {
            result = RunCli({QStringLiteral("baseline"), QStringLiteral("set"), storage.filePath(QLatin1String(pFile)),
                             QStringLiteral("--storage"), strStorage});
            QVERIFY2(result.nExit == 0, result.err);
        }
        result = RunCli({QStringLiteral("baseline"), QStringLiteral("show"), QStringLiteral("--room"),
                         QStringLiteral("boardroom"), QStringLiteral("--storage"), strStorage, QStringLiteral("--json")});
        QCOMPARE(result.nExit, 0);
        const QJsonArray baselines = QJsonDocument::fromJson(result.out).object().value(QStringLiteral("baselines")).toArray();
        QCOMPARE(baselines.size(), 1);
        QCOMPARE(baselines[0].toObject().value(QStringLiteral("file")).toString(), QStringLiteral("visit3/rt_boardroom.rdf"));
        QVERIFY(baselines[0].toObject().value(QStringLiteral("current")).toBool());

        result = compare({strNewBoardroom, QStringLiteral("--json")});
        QCOMPARE(result.nExit, 3);
        const QJsonArray differences =
            QJsonDocument::fromJson(result.out).object().value(QStringLiteral("differences")).toArray();
        QCOMPARE(differences.size(), 1);
        const QJsonObject difference = differences[0].toObject();
        QCOMPARE(difference.value(QStringLiteral("kind")).toString(), QStringLiteral("signal-new"));
        QCOMPARE(difference.value(QStringLiteral("signal")).toString(), QStringLiteral("WLAN"));
        QCOMPARE(difference.value(QStringLiteral("position")).toInt(), 2);
        QCOMPARE(difference.value(QStringLiteral("time")).toString(), QStringLiteral("2026-04-15T10:00:02+01:00"));
        result = compare({strNewBoardroom});
        QCOMPARE(result.nExit, 3);
        QVERIFY2(result.out.contains("New signal kind: WLAN"), result.out);

        // The other room, and a session with itself: nothing.
        QCOMPARE(compare({storage.filePath(QStringLiteral("visit4/rt_room2.rdf"))}).nExit, 0);
        result = compare({strNewBoardroom, strNewBoardroom, QStringLiteral("--csv")});
        QCOMPARE(result.nExit, 0);
        QCOMPARE(CsvRows(result.out).size(), 1);

        // A file without a room cannot be a baseline.
        QVERIFY(WriteData(storage.filePath(QStringLiteral("loose.rdf")), {Record(5, 1, 8, 0, 0, 20)}, false));
        result = RunCli({QStringLiteral("baseline"), QStringLiteral("set"), storage.filePath(QStringLiteral("loose.rdf")),
                         QStringLiteral("--storage"), strStorage});
        QCOMPARE(result.nExit, 1);
        QVERIFY2(result.err.contains("room"), result.err);
        QCOMPARE(compare({strNewBoardroom, QStringLiteral("--min-change"), QStringLiteral("x")}).nExit, 2);
    }

    // The report of the second visit flags exactly the boardroom's new kind,
    // holds every room, its number and every hash, and its manifest vouches
    // for the sources until one byte of one changes.
    void visitReportComparesWithBaselinesAndLeavesAManifest()
    {
        QTemporaryDir dir;
        const QDir storage(dir.path());
        QVERIFY(WriteTwoVisits(storage));
        const QString strStorage = storage.path();
        for (const char* pFile : {"visit3/rt_boardroom.rdf", "visit3/rt_room2.rdf"})
            QCOMPARE(RunCli({QStringLiteral("baseline"), QStringLiteral("set"), storage.filePath(QLatin1String(pFile)),
                             QStringLiteral("--storage"), strStorage})
                         .nExit,
                     0);
        const QStringList second = {storage.filePath(QStringLiteral("visit4/rt_boardroom.rdf")),
                                    storage.filePath(QStringLiteral("visit4/rt_room2.rdf"))};
        const QString strPdf = storage.filePath(QStringLiteral("reports/april.pdf"));
        QVERIFY(storage.mkpath(QStringLiteral("reports")));
        const auto report = [&](const QStringList& files, const QString& strOut) {
            return RunCli(QStringList{QStringLiteral("report")} + files
                          + QStringList{QStringLiteral("--storage"), strStorage, QStringLiteral("--out"), strOut});
        };
        Result result = report(second, strPdf);
        QVERIFY2(result.nExit == 0, result.err);
        const QString strManifest = storage.filePath(QStringLiteral("reports/april.json"));
        QCOMPARE(result.out, (strPdf + QLatin1Char('\n') + strManifest + QLatin1Char('\n')).toUtf8());
        const QJsonObject manifest = QJsonDocument::fromJson(ReadAll(strManifest)).object();
        const qint64 nNumber = manifest.value(QStringLiteral("reportNumber")).toInteger();
        QVERIFY(nNumber > 0);
        const QJsonArray files = manifest.value(QStringLiteral("files")).toArray();
        QCOMPARE(files.size(), 2);
        QCOMPARE(files[1].toObject().value(QStringLiteral("path")).toString(), QStringLiteral("../visit4/rt_room2.rdf"));

        const QString strText = PdfText(strPdf);
        const qsizetype nBoardroom = strText.indexOf(QStringLiteral("Room: Boardroom"));
        const qsizetype nRoom2 = strText.indexOf(QStringLiteral("Room: Room 2"));
        QVERIFY(nBoardroom >= 0 && nRoom2 > nBoardroom);
        QVERIFY(strText.contains(QStringLiteral("Report number %1").arg(nNumber)));
        for (int i = 0; i < 2; ++i) {
            const QString strHash = files[i].toObject().value(QStringLiteral("sha256")).toString();
            QCOMPARE(strHash, QString::fromLatin1(QCryptographicHash::hash(ReadAll(second[i]), QCryptographicHash::Sha256).toHex()));
            QVERIFY2(strText.contains(strHash), qPrintable(second[i]));
        }
        // One difference in all, in the boardroom's part; Room 2 as its baseline.
        QCOMPARE(strText.count(QStringLiteral("New signal kind")), 1);
        const qsizetype nNew = strText.indexOf(QStringLiteral("New signal kind: WLAN"));
        QVERIFY2(nNew > nBoardroom && nNew < nRoom2, qPrintable(strText));
        QVERIFY(strText.indexOf(QStringLiteral("No difference from the baseline was found."), nRoom2) > nRoom2);

        // The next report takes the next number; the baselines say what they are.
        const QString strMarch = storage.filePath(QStringLiteral("reports/march.pdf"));
        result = report({storage.filePath(QStringLiteral("visit3/rt_boardroom.rdf"))}, strMarch);
        QVERIFY2(result.nExit == 0, result.err);
        QCOMPARE(QJsonDocument::fromJson(ReadAll(storage.filePath(QStringLiteral("reports/march.json"))))
                     .object()
                     .value(QStringLiteral("reportNumber"))
                     .toInteger(),
                 nNumber + 1);
        QVERIFY(PdfText(strMarch).contains(QStringLiteral("rt_boardroom.rdf is this room's baseline.")));
        // A visit report's manifest needs a place beside it.
        QCOMPARE(report(second, QStringLiteral("-")).nExit, 2);

        QCOMPARE(RunCli({QStringLiteral("verify"), strManifest}).nExit, 0);
        {
            QFile file(second[1]);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.seek(file.size() - 1));
            QVERIFY(file.putChar('\x7f'));
        }
        result = RunCli({QStringLiteral("verify"), strManifest});
        QCOMPARE(result.nExit, 1);
        QVERIFY2(result.err.contains("rt_room2.rdf has changed") && !result.err.contains("rt_boardroom"), result.err);
    }

    void verifyNamesEachSourceThatChangedOrWentMissing()
    {
        using namespace SweepFiles;
        QTemporaryDir dir;
        const QDir storage(dir.path());
        QVERIFY(WriteOfficeDay(storage));
        QVERIFY(storage.mkpath(QStringLiteral("reports")));
        const QString strReports = storage.filePath(QStringLiteral("reports"));
        CReportManifest manifest;
        manifest.m_nReportNumber = 7;
        manifest.m_nCreatedMs = QDateTime::currentMSecsSinceEpoch();
        QString strError;
        for (const char* pName : {"rt_0315_1000.rdf", "rt_0315_1100.rdf", "log_0316_0900.ldf"})
            QVERIFY2(manifest.AddSource(storage.filePath(QLatin1String(pName)), strReports, storage.path(), &strError),
                     qPrintable(strError));
        manifest.RoomsFromSources();
        QCOMPARE(manifest.m_Rooms.size(), 2);
        QCOMPARE(manifest.m_Sources[0].strPath, QStringLiteral("../rt_0315_1000.rdf"));
        QCOMPARE(manifest.m_Sources[0].strStoragePath, QStringLiteral("rt_0315_1000.rdf"));
        const QString strManifest = QDir(strReports).filePath(QStringLiteral("report-7.json"));
        QVERIFY2(manifest.Write(strManifest, &strError), qPrintable(strError));
        const QJsonObject written = QJsonDocument::fromJson(ReadAll(strManifest)).object();
        QCOMPARE(written.value(QStringLiteral("files")).toArray()[0].toObject().value(QStringLiteral("first")).toString(),
                 QStringLiteral("2026-03-15T10:00:00+01:00"));

        Result result = RunCli({QStringLiteral("verify"), strManifest});
        QVERIFY2(result.nExit == 0, result.err);

        // One byte of one source changed, another source gone: both named, the third not.
        {
            QFile file(storage.filePath(QStringLiteral("rt_0315_1000.rdf")));
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.seek(40));
            char cByte = 0;
            QVERIFY(file.getChar(&cByte));
            QVERIFY(file.seek(40));
            QVERIFY(file.putChar(char(cByte ^ 1)));
        }
        QVERIFY(QFile::remove(storage.filePath(QStringLiteral("log_0316_0900.ldf"))));
        result = RunCli({QStringLiteral("verify"), strManifest});
        QCOMPARE(result.nExit, 1);
        QVERIFY2(result.err.contains("rt_0315_1000.rdf has changed"), result.err);
        QVERIFY2(result.err.contains("log_0316_0900.ldf is missing"), result.err);
        QVERIFY(!result.err.contains("rt_0315_1100.rdf"));

        // A manifest that is not one, cut short, or that lies about a hash's form.
        QByteArray json = ReadAll(strManifest);
        const QList<QByteArray> broken = {json.left(json.size() / 2), QByteArray("[]"),
                                          QByteArray(json).replace("\"sha256\": \"", "\"sha256\": \"zz"),
                                          QByteArray(json).replace("\"reportNumber\": 7", "\"reportNumber\": -7")};
        for (const QByteArray& bytes : broken) {
            QFile file(strManifest);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(bytes);
            file.close();
            result = RunCli({QStringLiteral("verify"), strManifest});
            QVERIFY2(result.nExit == 2, bytes.left(80));
            QVERIFY(result.err.contains("report-7.json"));
        }
#ifdef Q_OS_UNIX
        const QString strFifo = QDir(strReports).filePath(QStringLiteral("pipe.json"));
        QCOMPARE(::mkfifo(QFile::encodeName(strFifo).constData(), 0600), 0);
        QCOMPARE(RunCli({QStringLiteral("verify"), strFifo}).nExit, 2);
#endif
    }

    // The catalogue through the tool: searches against known answers, a
    // rebuild, and conversions that state the instant captured even when the
    // PC converting them is in another zone.
    void findsInTheCatalogueAndConvertsToTheCapturedInstant()
    {
        QTemporaryDir dir;
        const QString strStorage = dir.filePath(QStringLiteral("storage"));
        QVERIFY(SweepFiles::WriteOfficeDay(QDir(strStorage)));
        Result result = RunCli({QStringLiteral("find"), QStringLiteral("--storage"), strStorage, QStringLiteral("--room"),
                                QStringLiteral("Boardroom"), QStringLiteral("--alarms"), QStringLiteral("--json")});
        QVERIFY2(result.nExit == 0, result.err.constData());
        const QJsonArray events = QJsonDocument::fromJson(result.out).object().value(QStringLiteral("events")).toArray();
        QCOMPARE(events.size(), 4);
        QCOMPARE(events[0].toObject().value(QStringLiteral("time")).toString(), QStringLiteral("2026-03-15T10:00:01+01:00"));
        QCOMPARE(events[3].toObject().value(QStringLiteral("file")).toString(), QStringLiteral("log_0316_0900.ldf"));

        result = RunCli({QStringLiteral("find"), QStringLiteral("--storage"), strStorage, QStringLiteral("--site"),
                         QStringLiteral("Office"), QStringLiteral("--min-level"), QStringLiteral("60"),
                         QStringLiteral("--alarms"), QStringLiteral("--csv")});
        QCOMPARE(CsvRows(result.out).size(), 1 + 3);
        result = RunCli({QStringLiteral("find"), QStringLiteral("--storage"), strStorage, QStringLiteral("--kind"),
                         QStringLiteral("gsm"), QStringLiteral("--from"), QStringLiteral("2026-03-16T09:00:00+01:00"),
                         QStringLiteral("--to"), QStringLiteral("2026-03-16")});
        QVERIFY2(result.nExit == 0, result.err.constData());
        QCOMPARE(result.out.count('\n'), 1 + 1);
        QVERIFY(result.out.contains("70.0"));
        QCOMPARE(RunCli({QStringLiteral("find"), QStringLiteral("--storage"), strStorage, QStringLiteral("--kind"),
                         QStringLiteral("radar")}).nExit,
                 2);

        result = RunCli({QStringLiteral("catalogue"), QStringLiteral("rebuild"), QStringLiteral("--storage"), strStorage});
        QVERIFY2(result.nExit == 0, result.err.constData());
        QVERIFY2(result.out.contains("4 files"), result.out.constData());

        // Captured in UTC+1, converted where the clocks say UTC-4 or -5.
        result = RunCli({QStringLiteral("convert"), QDir(strStorage).filePath(QStringLiteral("rt_0315_1000.rdf")),
                         QStringLiteral("--to"), QStringLiteral("json"), QStringLiteral("--out"), QStringLiteral("-")},
                        {QStringLiteral("TZ=America/New_York")});
        QVERIFY2(result.nExit == 0, result.err.constData());
        QCOMPARE(result.err, QByteArray());
        const QJsonObject first = QJsonDocument::fromJson(result.out.split('\n').first()).object();
        QCOMPARE(first.value(QStringLiteral("time")).toString(), QStringLiteral("2026-03-15T10:00:00+01:00"));
        // A file of unknown capture converts as before, and says what it assumed.
        result = RunCli({QStringLiteral("convert"), QDir(strStorage).filePath(QStringLiteral("old/rt_0402_0800.rdf")),
                         QStringLiteral("--out"), QStringLiteral("-")});
        QCOMPARE(result.nExit, 0);
        QVERIFY2(result.err.contains("assumed"), result.err.constData());
    }

#ifdef Q_OS_UNIX
    // A writer killed at any moment leaves a catalogue that passes its
    // integrity check and is completed by the next look at the folder.
    void aKilledRebuildLeavesASoundCatalogue()
    {
        QTemporaryDir dir;
        const QDir storage(dir.filePath(QStringLiteral("storage")));
        for (int i = 0; i < 400; ++i)
            QVERIFY(SweepFiles::WriteSweep(storage.filePath(QStringLiteral("rt_%1.rdf").arg(i)),
                                           {SweepFiles::Record(6, 1, 9, i % 60, 0, 60, 50)}, false,
                                           QStringLiteral("Office"), QStringLiteral("Hall"), 2026, 0));
        QProcess process;
        process.start(QStringLiteral(KV521_CLI_PATH),
                      {QStringLiteral("catalogue"), QStringLiteral("rebuild"), QStringLiteral("--storage"), storage.path()});
        QVERIFY(process.waitForStarted());
        // Until the first rows are in, then at once.
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(storage.filePath(QStringLiteral("catalogue.sqlite-wal"))).size() > 0
                                     || process.state() == QProcess::NotRunning,
                                 10000);
        ::kill(pid_t(process.processId()), SIGKILL);
        process.waitForFinished();
        QCOMPARE(process.exitStatus(), QProcess::CrashExit);

        CCatalogue catalogue(storage.path());
        QString strError;
        QVERIFY2(catalogue.Open(&strError), qPrintable(strError));
        QCOMPARE(catalogue.Notice(), QString());
        QVERIFY(catalogue.Sync(&strError));
        QCOMPARE(catalogue.FindEvents(CCatalogue::Query(), &strError).size(), 400);
    }
#endif

    void settingsAndClockReachTheDetector()
    {
        CKV521Simulator sim;
        QString strError;
        QVERIFY2(sim.Open(&strError), qPrintable(strError));
        sim.Start();
        QTemporaryDir dir;
        const QString strMenu = dir.filePath(QStringLiteral("menu.mnu"));
        Result result = RunCli({QStringLiteral("settings"), QStringLiteral("get"), QStringLiteral("--port"), sim.SlavePath(),
                                QStringLiteral("--out"), strMenu});
        QVERIFY2(result.nExit == 0, result.err.constData());
        const QByteArray menu = ReadAll(strMenu);
        QCOMPARE(menu.size(), KV520::kMenuSize);
        QCOMPARE(menu.left(KV520::kMenuExchanged), sim.Menu().left(KV520::kMenuExchanged));

        QByteArray changed = menu;
        changed[2] = char(7); // sound volume
        QFile file(strMenu);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(changed);
        file.close();
        sim.ClearReceived();
        result = RunCli({QStringLiteral("settings"), QStringLiteral("set"), strMenu, QStringLiteral("--port"), sim.SlavePath()});
        QVERIFY2(result.nExit == 0, result.err.constData());
        QTRY_COMPARE_WITH_TIMEOUT(int(sim.Menu().at(2)), 7, 3000);

        sim.ClearReceived();
        result = RunCli({QStringLiteral("clock"), QStringLiteral("sync"), QStringLiteral("--port"), sim.SlavePath()});
        QVERIFY2(result.nExit == 0, result.err.constData());
        const auto writes = sim.Received(CKV521Simulator::PcMessage::MenuWrite);
        QVERIFY(!writes.isEmpty());
        // The clock rides behind the 54 settings bytes: month, day, hour, minute, second.
        const QByteArray clock = writes.last().bytes.mid(KV520::kMenuExchanged, KV520::kClockSize);
        const QDateTime now = QDateTime::currentDateTime();
        QCOMPARE(clock.size(), KV520::kClockSize);
        QCOMPARE(int(uint8_t(clock[0])), now.date().month());
        QCOMPARE(int(uint8_t(clock[1])), now.date().day());
    }

    void progressIsABarOnlyOnATerminal()
    {
        for (bool bTerminal : {false, true}) {
            std::FILE* pFile = std::tmpfile();
            QVERIFY(pFile);
            CProgressPrinter printer(pFile, bTerminal);
            for (int n : {0, 0, 50, 50, 120})
                printer.Show(n);
            printer.Finish();
            std::rewind(pFile);
            char buffer[1024] = {};
            const size_t nRead = std::fread(buffer, 1, sizeof(buffer) - 1, pFile);
            std::fclose(pFile);
            const QByteArray text(buffer, int(nRead));
            if (bTerminal) {
                QCOMPARE(text.count('\r'), 3);
                QVERIFY(text.endsWith("] 100%\n"));
            } else {
                QCOMPARE(text, QByteArray("0%\n50%\n100%\n"));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
