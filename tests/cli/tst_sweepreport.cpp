// The PDF sweep report, read back with poppler's tools as a reader would.
#include "devicefiles.h"
#include "kv520protocol.h"
#include "kv521simulator.h"
#include "language.h"
#include "recordtexts.h"
#include "sweepreport.h"

#include <QDir>
#include <QProcess>
#include <QSet>

#include <algorithm>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray Run(const QString& strProgram, const QStringList& arguments)
{
    QProcess process;
    process.start(strProgram, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QByteArray();
    return process.readAllStandardOutput();
}

// One session of nEvents events, 20 seconds apart, cut by the program's own log parser.
QList<CDeviceRecord> LogRecords(int nEvents)
{
    QList<QByteArray> entries;
    for (int i = 0; i < nEvents; ++i) {
        const int nSeconds = 8 * 3600 + i * 20;
        entries << CKV521Simulator::BuildLogEvent(4, 1 + nSeconds / 86400, (nSeconds / 3600) % 24,
                                                  (nSeconds / 60) % 60, nSeconds % 60, i % 3, 1 + i % 50);
    }
    const QByteArray blocks = CKV521Simulator::BuildSessionBlocks(entries, 1).join()
        + CKV521Simulator::BuildLogBlock({}, 1, true);
    const auto files = CDeviceFiles::ParseLog(blocks);
    return files.size() == 1 ? CDeviceFiles::RecordsFromRaw(files.first().records) : QList<CDeviceRecord>();
}

} // namespace

class TestSweepReport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(),
                 "poppler-utils missing: run scripts/install-deps.sh");
    }

    void largeLogBreaksPagesCleanly()
    {
        const QList<CDeviceRecord> records = LogRecords(4000);
        QCOMPARE(records.size(), 4000);
        QTemporaryDir dir;
        const QString strPdf = dir.filePath(QStringLiteral("report.pdf"));
        CSweepReport report(records, CDeviceFiles::kLogVersion, QStringLiteral("log_0502_0800.ldf"));
        QString strError;
        QVERIFY2(report.Write(strPdf, &strError), qPrintable(strError));

        const QByteArray info = Run(QStringLiteral("pdfinfo"), {strPdf});
        const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(QString::fromLatin1(info));
        QVERIFY(pages.hasMatch());
        QCOMPARE(pages.captured(1).toInt(), report.PageCount());
        QVERIFY(report.PageCount() > 20);

        const QString strText = QString::fromUtf8(Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), strPdf, QStringLiteral("-")}));
        const QStringList pageTexts = strText.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        QCOMPARE(pageTexts.size(), report.PageCount());
        QVERIFY(QRegularExpression(QStringLiteral("Events\\s+4000\\s")).match(pageTexts.first()).hasMatch());
        QVERIFY(pageTexts.first().contains(QStringLiteral("Page 1 of %1").arg(report.PageCount())));
        // Every event once, in order, each table page under its own header:
        // no row lost, doubled or cut at a page break.
        int nExpected = 1;
        const QRegularExpression rowStart(QStringLiteral("^\\s*!?\\s*(\\d+)\\s+(B1F|B1|B2)\\s+\\d{4}-\\d\\d-\\d\\d "));
        for (int p = 1; p < pageTexts.size(); ++p) {
            QVERIFY2(pageTexts[p].contains(QStringLiteral("Alarm Time")), qPrintable(QString::number(p)));
            for (const QString& strLine : pageTexts[p].split(QLatin1Char('\n'))) {
                const QRegularExpressionMatch match = rowStart.match(strLine);
                if (!match.hasMatch())
                    continue;
                QCOMPARE(match.captured(1).toInt(), nExpected);
                ++nExpected;
            }
        }
        QCOMPARE(nExpected, 4001);
    }

    // Russian headers are longer than English ones: no column may cut its
    // header, and "DECT BASE" keeps its blank.
    void columnsFitTheirTextsInEachLanguage()
    {
        QList<CDeviceRecord> records = LogRecords(3);
        QCOMPARE(records.size(), 3);
        records[1].m_Levels[5].m_nSignal = 5;
        records[1].m_dFrequency = 2412000;
        QTemporaryDir dir;
        const QString strPdf = dir.filePath(QStringLiteral("report.pdf"));
        const QString strStored = CLanguage::Instance().Name();
        for (const QString& strLanguage : {QStringLiteral("en_US"), QStringLiteral("ru_RU")}) {
            CLanguage::Instance().Load(strLanguage);
            CSweepReport report(records, CDeviceFiles::kLogVersion, QStringLiteral("log_0502_0800.ldf"));
            QString strError;
            QVERIFY2(report.Write(strPdf, &strError), qPrintable(strError));
            const QString strTable = QString::fromUtf8(
                Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"), QStringLiteral("2"), strPdf,
                                                  QStringLiteral("-")}));
            QVERIFY2(strTable.contains(QStringLiteral("DECT BASE")), qPrintable(strTable));
            // The counts per kind on the first page name it the same way.
            const QString strSummary = QString::fromUtf8(
                Run(QStringLiteral("pdftotext"), {QStringLiteral("-l"), QStringLiteral("1"), strPdf, QStringLiteral("-")}));
            QVERIFY2(!strSummary.contains(QStringLiteral("DECTBASE")), qPrintable(strSummary));
            const QStringList header = CRecordTexts::HeaderLabels();
            QCOMPARE(header[CRecordTexts::ColDuration] == QLatin1String("Duration"), strLanguage == QLatin1String("en_US"));

            // A clipped header still has its whole text in the PDF, running
            // under its neighbour: the words' boxes tell.
            const QString strBoxes = QString::fromUtf8(
                Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("2"),
                                                  QStringLiteral("-l"), QStringLiteral("2"), strPdf, QStringLiteral("-")}));
            const QRegularExpression wordBox(QStringLiteral(
                "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"[\\d.]+\">([^<]*)</word>"));
            struct Word { double dLeft, dTop, dRight; QString strText; };
            QList<Word> words;
            for (auto it = wordBox.globalMatch(strBoxes); it.hasNext();) {
                const QRegularExpressionMatch match = it.next();
                words.append({match.captured(1).toDouble(), match.captured(2).toDouble(), match.captured(3).toDouble(),
                              match.captured(4)});
            }
            double dHeaderTop = -1.0;
            for (const Word& word : words)
                if (word.strText == header[CRecordTexts::ColBand])
                    dHeaderTop = word.dTop;
            QVERIFY(dHeaderTop >= 0.0);
            QList<Word> line;
            double dRightEdge = 0.0; // of the rows and the footer, which ends at the right margin
            for (const Word& word : words) {
                if (qAbs(word.dTop - dHeaderTop) < 1.0)
                    line.append(word);
                else
                    dRightEdge = std::max(dRightEdge, word.dRight);
            }
            std::sort(line.begin(), line.end(), [](const Word& a, const Word& b) { return a.dLeft < b.dLeft; });
            QVERIFY(line.size() >= CRecordTexts::ColComment);
            for (int i = 0; i + 1 < line.size(); ++i)
                QVERIFY2(line[i].dRight <= line[i + 1].dLeft + 0.1,
                         qPrintable(strLanguage + QLatin1Char(' ') + line[i].strText + QStringLiteral(" runs into ") + line[i + 1].strText));
            QVERIFY2(line.last().dRight <= dRightEdge + 0.1, qPrintable(strLanguage + QLatin1Char(' ') + line.last().strText));
        }
        CLanguage::Instance().Load(strStored);
    }

    // A short log across midnight: every moment in one format with its year,
    // axis ticks that differ from each other, and a legend for the marked rows.
    void oneDateFormatAndDistinctTicks()
    {
        QList<CDeviceRecord> records = LogRecords(4);
        QCOMPARE(records.size(), 4);
        const int64_t nStart = QDateTime(QDate(2026, 3, 31), QTime(23, 59, 57)).toSecsSinceEpoch();
        for (int i = 0; i < records.size(); ++i)
            records[i].m_nTime = nStart + 4 * i;
        QTemporaryDir dir;
        const QString strPdf = dir.filePath(QStringLiteral("report.pdf"));
        CSweepReport report(records, CDeviceFiles::kLogVersion, QStringLiteral("log_0331_2359.ldf"));
        CSweepContext context;
        context.m_strClient = QStringLiteral("Acme");
        context.m_strRoom = QStringLiteral("Board room");
        context.m_strOperator = QStringLiteral("I. Petrov");
        report.SetContext(context, true, 3 * 3600);
        QString strError;
        QVERIFY2(report.Write(strPdf, &strError), qPrintable(strError));
        const QString strText = QString::fromUtf8(Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), strPdf, QStringLiteral("-")}));
        // Day and month without the year before them, in any order or separator.
        const QRegularExpression shortDate(QStringLiteral("(?<![\\d-])\\d\\d[.-]\\d\\d[ T]\\d\\d:\\d\\d"));
        QVERIFY2(!shortDate.match(strText).hasMatch(), qPrintable(shortDate.match(strText).captured()));
        QVERIFY(strText.contains(QStringLiteral("2026-03-31 23:59:57")));
        QVERIFY(strText.contains(QStringLiteral("2026-04-01 00:00:09")));
        QVERIFY(strText.contains(QStringLiteral("UTC+03:00")));
        QVERIFY(strText.contains(QStringLiteral("Alarm:")));
        QVERIFY(!strText.contains(QStringLiteral("1DC")));

        QStringList ticks;
        for (const QString& strLine : strText.split(QLatin1Char('\f')).first().split(QLatin1Char('\n')))
            if (QRegularExpression(QStringLiteral("^(\\s*\\d\\d:\\d\\d(:\\d\\d)?)+\\s*$")).match(strLine).hasMatch())
                ticks += strLine.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QVERIFY2(ticks.size() >= 3, qPrintable(ticks.join(QLatin1Char(' '))));
        QCOMPARE(QSet<QString>(ticks.begin(), ticks.end()).size(), ticks.size());

        // The operator, site and room reach the document information.
        const QString strInfo = QString::fromUtf8(Run(QStringLiteral("pdfinfo"), {strPdf}));
        QVERIFY2(QRegularExpression(QStringLiteral("Author:\\s+I. Petrov\\n")).match(strInfo).hasMatch(), qPrintable(strInfo));
        QVERIFY(QRegularExpression(QStringLiteral("Subject:\\s+\\S*.*Acme")).match(strInfo).hasMatch());
        QVERIFY(QRegularExpression(QStringLiteral("Keywords:\\s+Acme, Board room\\n")).match(strInfo).hasMatch());
        QVERIFY(QRegularExpression(QStringLiteral("CreationDate:\\s+\\S")).match(strInfo).hasMatch());
    }

    // A transmitter seen in a hundred consecutive realtime records is one
    // episode, not a hundred of anything.
    void realtimeKindsCountEpisodes()
    {
        QList<CDeviceRecord> records = LogRecords(3);
        QList<CDeviceRecord> realtime;
        for (int i = 0; i < 100; ++i) {
            CDeviceRecord record = records.first();
            record.m_nTime += i / 20;
            record.m_Levels[0].m_nSignal = 1;
            realtime << record;
        }
        QTemporaryDir dir;
        const QString strPdf = dir.filePath(QStringLiteral("rt.pdf"));
        CSweepReport report(realtime, CDeviceFiles::kRealtimeVersion, QStringLiteral("rt.rdf"));
        QString strError;
        QVERIFY2(report.Write(strPdf, &strError), qPrintable(strError));
        const QString strText = QString::fromUtf8(Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-l"), QStringLiteral("1"), strPdf, QStringLiteral("-")}));
        QVERIFY2(QRegularExpression(QStringLiteral("\\nDECT\\s+1\\s")).match(strText).hasMatch(), qPrintable(strText));
        QVERIFY(strText.contains(QStringLiteral("episodes")));
    }

    void emptyAndOneMomentFiles()
    {
        QTemporaryDir dir;
        QString strError;
        // Nothing to draw or list, and a file whose records share one second:
        // both still give a readable one-page report.
        CSweepReport empty({}, CDeviceFiles::kLogVersion, QStringLiteral("empty.ldf"));
        QVERIFY2(empty.Write(dir.filePath(QStringLiteral("empty.pdf")), &strError), qPrintable(strError));
        QCOMPARE(empty.PageCount(), 1);
        QVERIFY(QString::fromUtf8(Run(QStringLiteral("pdftotext"), {dir.filePath(QStringLiteral("empty.pdf")), QStringLiteral("-")}))
                    .contains(QStringLiteral("holds no events")));

        QList<CDeviceRecord> records = LogRecords(3);
        for (CDeviceRecord& record : records)
            record.m_nTime = records.first().m_nTime;
        CSweepReport moment(records, CDeviceFiles::kRealtimeVersion, QStringLiteral("rt.rdf"));
        QVERIFY2(moment.Write(dir.filePath(QStringLiteral("moment.pdf")), &strError), qPrintable(strError));

        // A report that cannot be written says so and leaves nothing behind.
        CSweepReport blocked(records, CDeviceFiles::kLogVersion, QStringLiteral("x.ldf"));
        QVERIFY(!blocked.Write(dir.filePath(QStringLiteral("no/such/folder/r.pdf")), &strError));
        QVERIFY(!strError.isEmpty());
    }
};

QTEST_MAIN(TestSweepReport)
#include "tst_sweepreport.moc"
