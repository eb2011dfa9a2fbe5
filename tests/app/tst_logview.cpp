// The log list's cells, highlighting and sorting, the pane's reaction to an
// opened file, the CSV export, and the log download against the simulator.
#include "catalogue.h"
#include "checkedsavefile.h"
#include "csvexporter.h"
#include "dialoganswerer.h"
#include "logview.h"
#include "qsmarttreewidgetitem.h"
#include "storagebrowser.h"

#include "kv520device.h"
#include "kv520protocol.h"
#include "kv521simulator.h"
#include "qdiagramwidget.h"
#include "simulatorpair.h"
#include "sweepfiles.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <memory>

namespace {

CDeviceRecord Record(int nBandMask, const QDateTime& time, int nDuration = 0)
{
    CDeviceRecord r;
    r.m_nBandMask = nBandMask;
    r.m_nTime = time.toSecsSinceEpoch();
    r.m_nStatusWord = nDuration;
    for (int i = 0; i < 6; ++i)
        r.m_Levels << CDeviceLevel();
    return r;
}

QDateTime At(int nMonth, int nDay, int h, int m, int s)
{
    return QDateTime(QDate(2024, nMonth, nDay), QTime(h, m, s));
}

QStringList Column(const QTreeWidget& tree, int nColumn)
{
    QStringList texts;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        texts << tree.topLevelItem(i)->text(nColumn);
    return texts;
}

} // namespace

class TestLogView : public QObject
{
    Q_OBJECT

    struct Pane
    {
        QWidget window;
        CQDiagramWidget* pGraph = new CQDiagramWidget(&window);
        QTreeWidget* pList = new QTreeWidget(&window);
        QTabWidget* pTabs = new QTabWidget(&window);
        QLabel* pLabel = new QLabel(&window);
        QLineEdit* pEdit = new QLineEdit(&window);
        QStatusBar* pStatus = new QStatusBar(&window);
        CLogView view{pGraph, pList, pTabs, pLabel, pEdit, &window, pStatus};

        Pane()
        {
            pTabs->addTab(new QWidget, "Diagram");
            pTabs->addTab(new QWidget, "List");
            pList->setSortingEnabled(true);
            view.InitLogList();
        }
    };

    // The pane downloading into the storage browser's folder, as in the window.
    struct StoragePane : Pane
    {
        QTemporaryDir dir;
        QTreeWidget tree;
        CStorageBrowser storage{&tree, nullptr, nullptr};

        StoragePane()
        {
            storage.SetDefaultStorage(dir.path());
            storage.FillStorageTree();
            view.SetStorageBrowser(&storage);
        }
    };

private Q_SLOTS:
    void aSessionsSiteAndRoomReachItsEventsInTheCatalogue()
    {
        using namespace SweepFiles;
        QTemporaryDir storage;
        const QDir dir(storage.path());
        // Downloaded in the boardroom, but the session was the lobby's; the
        // other session's file predates sidecars.
        const QString strLog = dir.filePath("log_0316_0900.ldf");
        const QString strOld = dir.filePath("log_0201_0800.ldf");
        QVERIFY(WriteSweep(strLog, {Record(3, 16, 9, 0, 0, 65, 0, 1, true), Record(3, 16, 9, 5, 0, 45, 0, 1, true)}, true,
                           "Office", "Boardroom", 2026, 3600));
        QVERIFY(WriteData(strOld, {Record(2, 1, 8, 0, 0, 70, 0, 2, true)}, true));
        Pane pane;
        QSignalSpy changed(&pane.view, &CLogView::SessionPlaceChanged);
        CSweepContext place;
        place.m_strClient = "Office";
        place.m_strRoom = "Lobby";
        // A realtime file has no sessions to place.
        pane.view.SetShownFile(dir.filePath("rt_0316_0900.rdf"));
        QVERIFY(!pane.view.SetSessionPlace(place));
        for (const QString& strPath : {strLog, strOld}) {
            pane.view.SetShownFile(strPath);
            QVERIFY(pane.view.SetSessionPlace(place));
        }
        QCOMPARE(changed.count(), 2);

        CSidecar sidecar;
        QVERIFY(CSidecar::Read(strLog, sidecar));
        QCOMPARE(sidecar.m_Context.m_strOperator, QString("Jo"));
        QCOMPARE(sidecar.m_Capture.m_nYear, 2026);
        QCOMPARE(sidecar.m_Capture.m_nUtcOffsetSecs, 3600);
        QVERIFY(!sidecar.m_Capture.m_bGuessed);

        CCatalogue catalogue(storage.path());
        QString strError;
        QVERIFY2(catalogue.Open(&strError), qPrintable(strError));
        CCatalogue::Query lobby;
        lobby.strRoom = "Lobby";
        QCOMPARE(catalogue.FindEvents(lobby, &strError).size(), 3);
        CCatalogue::Query boardroom;
        boardroom.strRoom = "Boardroom";
        QVERIFY(catalogue.FindEvents(boardroom, &strError).isEmpty());
        // A year and zone taken from the file's time stay marked as guessed.
        const QList<CCatalogue::FileRow> files = catalogue.FindFiles(lobby, &strError);
        QCOMPARE(files.size(), 2);
        for (const CCatalogue::FileRow& row : files)
            QCOMPARE(row.capture.m_bGuessed, row.strPath == "log_0201_0800.ldf");
    }

    void cellsAndHighlighting()
    {
        QList<CDeviceRecord> records;
        CDeviceRecord b1f = Record(0x02, At(3, 15, 14, 2, 9), 3725);
        b1f.m_Levels[2].m_dLevel = 51 / 2.0;
        b1f.m_Levels[3].m_dLevel = 30.0;
        b1f.m_Levels[2].m_nBandByte = 0x01; // DC alarm of B1F
        b1f.m_Levels[3].m_nBandByte = 0x01; // not an AC alarm: bit 1 is clear
        b1f.m_Levels[2].m_nSignal = 4;
        b1f.m_Levels[3].m_nSignal = 1;
        b1f.m_dFrequency = 0.0;
        b1f.m_Levels[0].m_nBandByte = 0x40; // frequency flag, but no frequency
        records << b1f;

        CDeviceRecord b2 = Record(0x04, At(3, 15, 14, 3, 0));
        b2.m_Levels[4].m_dLevel = 10.0;
        b2.m_Levels[5].m_dLevel = 127.5;
        b2.m_Levels[5].m_nBandByte = 0x02 | 0x04 | 0x40;
        b2.m_Levels[4].m_nSignal = 9; // unknown to this program
        b2.m_dFrequency = 2412500; // kHz, as the detector counts
        records << b2;

        CDeviceRecord none = Record(0x05, At(3, 15, 14, 4, 0));
        none.m_Levels[0].m_dLevel = 1.0;
        none.m_Levels[2].m_dLevel = 2.0;
        records << none;

        Pane pane;
        pane.pList->sortByColumn(CLogView::ColNum, Qt::AscendingOrder);
        pane.view.FillLogList(records);
        QCOMPARE(pane.pList->topLevelItemCount(), 3);
        QTreeWidgetItem* a = pane.pList->topLevelItem(0);
        QTreeWidgetItem* b = pane.pList->topLevelItem(1);
        QTreeWidgetItem* c = pane.pList->topLevelItem(2);
        QCOMPARE(Column(*pane.pList, CLogView::ColBand), QStringList({"1F", "2", "n/a"}));
        QCOMPARE(a->text(CLogView::ColAlarmTime), QString("15-03 14:02:09"));
        QCOMPARE(a->text(CLogView::ColDuration), QString("01:02:05"));
        QCOMPARE(a->text(CLogView::Col1DC), QString("25.5"));
        QCOMPARE(a->text(CLogView::Col1AC), QString("30.0"));
        QCOMPARE(b->text(CLogView::Col1DC), QString("0.0"));
        QCOMPARE(b->text(CLogView::Col2AC), QString("127.5"));
        QCOMPARE(c->text(CLogView::Col1DC), QString("1.0")); // B1 wins when it is not 0
        QCOMPARE(Column(*pane.pList, CLogView::ColSignal), QStringList({"DECT", "n/a", ""}));
        QCOMPARE(Column(*pane.pList, CLogView::ColFreq), QStringList({"", "2412.50", ""}));

        const auto lit = [](QTreeWidgetItem* pItem, int nColumn) {
            return pItem->background(nColumn).color() == QColor(Qt::blue)
                && pItem->foreground(nColumn).color() == QColor(Qt::white);
        };
        QVERIFY(lit(a, CLogView::Col1DC));
        QVERIFY(!lit(a, CLogView::Col1AC));
        QVERIFY(!lit(a, CLogView::ColFreq)); // no frequency shown, whatever the flag
        QVERIFY(!lit(a, CLogView::ColSignal)); // 0x01 and 0x40 are not signal flags
        QVERIFY(lit(b, CLogView::Col2AC));
        QVERIFY(!lit(b, CLogView::Col2DC));
        QVERIFY(lit(b, CLogView::ColSignal));
        QVERIFY(lit(b, CLogView::ColFreq));
        QVERIFY(!lit(c, CLogView::ColSignal));
        QCOMPARE(a->textAlignment(CLogView::ColBand), int(Qt::AlignHCenter));
        QCOMPARE(a->textAlignment(CLogView::ColComment), 0);
    }

    void sortingByDateTimeAndNumber()
    {
        QList<CDeviceRecord> records;
        const QDateTime times[] = {At(2, 1, 0, 0, 0), At(1, 31, 23, 59, 59), At(2, 29, 12, 0, 0), At(1, 2, 5, 0, 0)};
        const double levels[] = {100.0, 9.5, 25.0, 9.0};
        const int durations[] = {60, 3600, 5, 59};
        for (int i = 0; i < 4; ++i) {
            CDeviceRecord r = Record(i == 3 ? 0x02 : 0x01, times[i], durations[i]);
            r.m_Levels[0].m_dLevel = levels[i];
            r.m_Levels[2].m_dLevel = levels[i];
            records << r;
        }
        Pane pane;
        pane.view.FillLogList(records);
        pane.pList->sortByColumn(CLogView::ColAlarmTime, Qt::AscendingOrder);
        QCOMPARE(Column(*pane.pList, CLogView::ColAlarmTime),
                 QStringList({"02-01 05:00:00", "31-01 23:59:59", "01-02 00:00:00", "29-02 12:00:00"}));
        pane.pList->sortByColumn(CLogView::Col1DC, Qt::AscendingOrder);
        QCOMPARE(Column(*pane.pList, CLogView::Col1DC), QStringList({"9.0", "9.5", "25.0", "100.0"}));
        // Keys are kept between sorts; a cell that changes must not sort by its old text.
        pane.pList->setSortingEnabled(false);
        pane.pList->topLevelItem(0)->setText(CLogView::Col1DC, QStringLiteral("200.0"));
        pane.pList->sortByColumn(CLogView::Col1DC, Qt::AscendingOrder);
        QCOMPARE(Column(*pane.pList, CLogView::Col1DC), QStringList({"9.5", "25.0", "100.0", "200.0"}));
        pane.pList->sortByColumn(CLogView::ColDuration, Qt::DescendingOrder);
        QCOMPARE(Column(*pane.pList, CLogView::ColDuration),
                 QStringList({"01:00:00", "00:01:00", "00:00:59", "00:00:05"}));
        // Ten rows: "10" after "9", not after "1".
        records << records << records;
        pane.view.FillLogList(records.mid(0, 10));
        pane.pList->sortByColumn(CLogView::ColNum, Qt::AscendingOrder);
        QCOMPARE(pane.pList->topLevelItem(9)->text(0), QString("10"));

        // Mixed texts: numbers among themselves, the rest as text.
        using Key = CQSmartTreeWidgetItem::SortKey;
        QCOMPARE(CQSmartTreeWidgetItem::KeyOf("1F").eKind, Key::Text);
        QCOMPARE(CQSmartTreeWidgetItem::KeyOf("30-02 00:00:00").eKind, Key::Text);
        QCOMPARE(CQSmartTreeWidgetItem::KeyOf("24:00:00").eKind, Key::Text);
        QCOMPARE(CQSmartTreeWidgetItem::KeyOf("-2.5").eKind, Key::Number);
    }

    void listOpensInTimeOrderWithFittingColumns()
    {
        Pane pane;
        pane.window.show();
        QList<CDeviceRecord> records = {Record(0x04, At(11, 3, 9, 30, 0)), Record(0x01, At(11, 3, 9, 5, 0)),
                                        Record(0x02, At(11, 3, 9, 10, 0))};
        records[0].m_Levels[4].m_nSignal = 3; // BLUETOOTH, the widest kind
        pane.view.ShowFile(records, 2);
        QCOMPARE(Column(*pane.pList, CLogView::ColAlarmTime),
                 QStringList({"03-11 09:05:00", "03-11 09:10:00", "03-11 09:30:00"}));
        QCOMPARE(pane.pList->header()->sortIndicatorOrder(), Qt::AscendingOrder);

        // No cell or title is cut: each column is as wide as what it holds.
        QVERIFY(pane.view.IsAutoColumnWidths());
        const QFontMetrics metrics(pane.pList->font());
        for (int c = 0; c < CLogView::ColumnCount - 1; ++c) {
            for (int r = 0; r < pane.pList->topLevelItemCount(); ++r) {
                const QString strCell = pane.pList->topLevelItem(r)->text(c);
                QVERIFY2(pane.pList->columnWidth(c) > metrics.horizontalAdvance(strCell), qPrintable(strCell));
            }
            const QString strTitle = pane.pList->headerItem()->text(c);
            QVERIFY2(pane.pList->columnWidth(c) > QFontMetrics(pane.pList->header()->font()).horizontalAdvance(strTitle),
                     qPrintable(strTitle));
        }

        // Once the user sets a width it stays, for this list and the next.
        pane.pList->header()->resizeSection(CLogView::ColSignal, 300);
        QVERIFY(!pane.view.IsAutoColumnWidths());
        pane.view.ShowFile(records.mid(1), 2);
        QCOMPARE(pane.pList->columnWidth(CLogView::ColSignal), 300);

        // Stored widths are the user's; none stored means fitting again.
        Pane restored;
        restored.view.RestoreColumnWidths({40, 50, 60});
        QVERIFY(!restored.view.IsAutoColumnWidths());
        QCOMPARE(restored.pList->columnWidth(2), 60);
        restored.view.RestoreColumnWidths({});
        QVERIFY(restored.view.IsAutoColumnWidths());
    }

    void openedFileSwitchesListAndEventCount()
    {
        Pane pane;
        QList<CDeviceRecord> log = {Record(1, At(5, 1, 1, 0, 0)), Record(2, At(5, 1, 1, 0, 5)),
                                    Record(4, At(5, 1, 1, 0, 9))};
        pane.view.ShowFile(log, 2);
        QVERIFY(pane.pTabs->isTabEnabled(1));
        QCOMPARE(pane.pList->topLevelItemCount(), 3);
        QCOMPARE(pane.pEdit->text(), QString("3"));
        QVERIFY(!pane.pLabel->isHidden());
        QVERIFY(!pane.pEdit->isHidden());
        QCOMPARE(pane.pGraph->AreaCount(), 2);
        QCOMPARE(pane.pGraph->Area(0)->m_signals.size(), 8); // levels and thresholds

        pane.pTabs->setCurrentIndex(1);
        pane.view.ShowFile({Record(1, At(5, 1, 2, 0, 0))}, 0);
        QVERIFY(!pane.pTabs->isTabEnabled(1));
        QCOMPARE(pane.pList->topLevelItemCount(), 0);
        QVERIFY(pane.pLabel->isHidden());
        QVERIFY(pane.pEdit->isHidden());
        QCOMPARE(pane.pGraph->Area(0)->m_signals.size(), 4);

        // An empty file empties the diagram and keeps its signals.
        pane.view.ShowFile({}, 2);
        QCOMPARE(pane.pGraph->Area(0)->m_signals.size(), 4);
        QVERIFY(pane.pTabs->isTabEnabled(1));
        QCOMPARE(pane.pEdit->text(), QString("0"));
    }

    void csvUsesPointAndQuotesWhateverTheLocale()
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        QCOMPARE(CCsvExporter::Quote("plain"), QString("plain"));
        QCOMPARE(CCsvExporter::Quote("a,b"), QString("\"a,b\""));
        QCOMPARE(CCsvExporter::Quote("say \"hi\""), QString("\"say \"\"hi\"\"\""));
        QCOMPARE(CCsvExporter::Quote("two\nlines"), QString("\"two\nlines\""));

        CDeviceRecord r = Record(0x05, At(7, 4, 9, 8, 7), 65);
        r.m_Levels[0].m_dLevel = 25.5;
        r.m_Levels[0].m_dThreshold = 40.0;
        r.m_Levels[4].m_dLevel = 1.5;
        r.m_Levels[5].m_nSignal = 5;
        r.m_dFrequency = 1234500;
        const QString strRealtime = QString::fromUtf8(CCsvExporter::Build({r}, 0).mid(3));
        const QStringList lines = strRealtime.split("\r\n");
        QCOMPARE(lines.size(), 3); // header, one row, the empty rest after the last line end
        const QStringList fields = lines[1].split(',');
        QCOMPARE(fields.size(), 4 + 12 + 2);
        QCOMPARE(fields[0], QString("1"));
        QCOMPARE(fields[1], QString("1+2"));
        QVERIFY2(fields[2].startsWith("2024-07-04T09:08:07"), qPrintable(fields[2]));
        QCOMPARE(fields[3], QString("00:01:05"));
        QCOMPARE(fields[4], QString("25.5"));
        QCOMPARE(fields[5], QString("40.0"));
        QCOMPARE(fields[12], QString("1.5"));
        QCOMPARE(fields[16], QString("DECT BASE"));
        QCOMPARE(fields[17], QString("1234.50"));

        const QStringList logLines = QString::fromUtf8(CCsvExporter::Build({r}, 2).mid(3)).split("\r\n");
        QCOMPARE(logLines[0].split(',').size(), int(CLogView::ColumnCount));
        QCOMPARE(logLines[1].split(',')[CLogView::ColSignal], QString("DECTBASE"));
        QCOMPARE(logLines[1].split(',')[CLogView::ColFreq], QString("1234.50"));
        QLocale::setDefault(QLocale::c());
    }

    // Records converted from random file bytes go through the list, the diagram's
    // paint and the CSV without a read outside a table (run under AddressSanitizer).
    void randomRecordsAreShownListedAndExported()
    {
        QRandomGenerator rng(76);
        Pane pane;
        pane.pGraph->resize(600, 300);
        for (int nRound = 0; nRound < 40; ++nRound) {
            QList<CDeviceRecord> records;
            const int nCount = int(rng.bounded(30));
            for (int i = 0; i < nCount; ++i) {
                DeviceRawRecord raw;
                auto* p = reinterpret_cast<quint8*>(&raw);
                for (size_t b = 0; b < sizeof(raw); ++b)
                    p[b] = quint8(rng.bounded(256));
                records << CDeviceRecord::FromRaw(raw, CDeviceRecord::Mode::File);
            }
            const int nVersion = (nRound % 2) ? 2 : 0;
            pane.view.ShowFile(records, nVersion);
            QVERIFY(!pane.pGraph->grab().isNull());
            if (nVersion == 2)
                QCOMPARE(pane.pList->topLevelItemCount(), nCount);
            const QByteArray csv = CCsvExporter::Build(records, nVersion);
            QCOMPARE(csv.count("\r\n"), qsizetype(nCount + 1));
        }
    }

    void downloadRetriesAndFillsTheStorage()
    {
        StoragePane pane;
        QTemporaryDir& dir = pane.dir;
        QTreeWidget& tree = pane.tree;

        CSimulatorPair pair(false);
        CKV521Simulator& sim = pair.sim;
        CKV520Device& device = pair.device;
        g_pDevice = &device;
        {
            DialogAnswerer answers;
            answers.Button(QMessageBox::Ok);
            pane.view.OnDownloadButton();
            QCOMPARE(answers.m_Seen, QStringList({"No connection with the device!"}));
        }

        pair.Start();
        QTRY_VERIFY_WITH_TIMEOUT(device.IsConnected(), 5000);

        sim.SetLogFault(1, CKV521Simulator::LogFault::BadChecksum);
        DialogAnswerer answers;
        answers.Button(QMessageBox::Yes); // retry after the broken block
        answers.Button(QMessageBox::Ok);  // read
        // The fault takes effect once; clear it when the question comes up.
        QTimer clear;
        connect(&clear, &QTimer::timeout, [&] {
            if (!answers.m_Seen.isEmpty())
                sim.ClearLogFaults();
        });
        clear.start(5);
        pane.view.OnDownloadButton();
        clear.stop();
        QCOMPARE(answers.m_Seen, QStringList({"An error occured reading the log. Retry?",
                                              "The log has been successfully read!"}));
        QCOMPARE(tree.topLevelItem(0)->childCount(), 3);
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("*.ldf")}, QDir::Files).size(), 3);

        // Given up: the status bar no longer claims a download is running.
        sim.SetLogFault(0, CKV521Simulator::LogFault::Short);
        answers.m_Seen.clear();
        answers.Button(QMessageBox::No);
        pane.view.OnDownloadButton();
        QCOMPARE(answers.m_Seen, QStringList({"An error occured reading the log. Retry?"}));
        QCOMPARE(pane.pStatus->currentMessage(), QStringLiteral("The log could not be read."));
        sim.ClearLogFaults();

        // Longer than a download holds: stored, and told that the rest is missing.
        QList<QByteArray> blocks;
        for (int n = 0; n <= KV520::kLogBlockCount; ++n)
            blocks << CKV521Simulator::BuildLogBlock({CKV521Simulator::BuildLogEvent(4, 0, 6, 30, 0, 0, 1)}, 9, false);
        sim.SetLog(blocks);
        // The broken block's second of silence may have taken the link down for a moment.
        QTRY_VERIFY_WITH_TIMEOUT(device.IsConnected(), 5000);
        answers.m_Seen.clear();
        answers.Button(QMessageBox::Ok);
        pane.view.OnDownloadButton();
        QCOMPARE(answers.m_Seen, QStringList({"The log has been read only in part: 1000 blocks were read and stored, "
                                              "the rest of the detector's log was not read."}));
        QCOMPARE(answers.m_nUnexpected, 0);
        QVERIFY(QFileInfo::exists(QDir(dir.path()).filePath("log_0501_0630.ldf")));
        device.Stop();
        g_pDevice = nullptr;
    }

    // A full disk: no success, no file, and the user learns which file
    // failed and why.
    void downloadOnAFullDiskSaysWhichFileFailed()
    {
        StoragePane pane;
        QTemporaryDir& dir = pane.dir;
        CSimulatorPair pair;
        CKV520Device& device = pair.device;
        g_pDevice = &device;
        QTRY_VERIFY_WITH_TIMEOUT(device.IsConnected(), 5000);

        DialogAnswerer answers;
        answers.Button(QMessageBox::Ok);
        CCheckedSaveFile::RedirectWritesForTest(QStringLiteral("/dev/full"));
        pane.view.OnDownloadButton();
        CCheckedSaveFile::RedirectWritesForTest(QString());
        device.Stop();
        g_pDevice = nullptr;
        QCOMPARE(answers.m_Seen.size(), 1);
        QVERIFY2(answers.m_Seen[0].startsWith("An error occured parsing log!\nCould not write ")
                     && answers.m_Seen[0].endsWith(".ldf: No space left on device"),
                 qPrintable(answers.m_Seen[0]));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }
};

QTEST_MAIN(TestLogView)
#include "tst_logview.moc"
