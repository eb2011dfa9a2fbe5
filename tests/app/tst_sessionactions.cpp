// Baselines and comparisons from the main window, against the window's own
// catalogue of a real storage folder.
#include "kv521mainwindow.h"
#include "ui_mainwindow.h"

#include "catalogue.h"
#include "cataloguecontroller.h"
#include "isolatedhome.h"
#include "qcomparisondiagram.h"
#include "qcomparisonview.h"
#include "qvisitreportdialog.h"
#include "sessionactions.h"
#include "storagebrowser.h"
#include "sweepfiles.h"

#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QProcess>
#include <QSettings>
#include <QStatusBar>
#include <QTreeWidget>
#include <QtTest>

#include <algorithm>

namespace {

using SweepFiles::Record;

QAction* ActionNamed(QMenu* pMenu, const QString& strText)
{
    for (QAction* pAction : pMenu->actions())
        if (pAction->text() == strText)
            return pAction;
    return nullptr;
}

// Half an hour in a room, a record a minute of signal kind 1; extra: minute
// 25 shows kind 2 as well, below the room's highest level.
QList<DeviceRawRecord> Visit(int nDay, bool bExtra)
{
    QList<DeviceRawRecord> records;
    for (int i = 0; i < 30; ++i)
        records << Record(3, nDay, 10, i, 0, i == 3 ? 60 : 40, 0, bExtra && i == 25 ? 2 : 1);
    return records;
}

} // namespace

class TestSessionActions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QSettings().clear();
        CKV521MainWindow::SetDevicePort(QStringLiteral("/nonexistent/kv521-port"));
    }

    void baselineFromTheTreeAndTheComparisonWithIt()
    {
        CKV521MainWindow window;
        window.resize(1200, 800);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QDir storage(window.StorageFolder());
        const QString strFirst = storage.filePath("rt_0310_1000.rdf");
        const QString strSecond = storage.filePath("rt_0317_1000.rdf");
        const QString strNoRoom = storage.filePath("rt_0318_1000.rdf");
        QVERIFY(SweepFiles::WriteSweep(strFirst, Visit(10, false), false, "Office", "Boardroom", 2026, 3600));
        QVERIFY(SweepFiles::WriteSweep(strSecond, Visit(17, true), false, "Office", "Boardroom", 2026, 3600));
        QVERIFY(SweepFiles::WriteData(strNoRoom, Visit(18, false), false));
        CStorageBrowser* pBrowser = window.StorageBrowser();
        pBrowser->FillStorageTree();
        QTreeWidget* pTree = window.Form()->m_pStorageTree;
        QMenu* pMenu = window.Form()->menuTree;
        QSignalSpy answers(window.Catalogue(), &CCatalogueController::BaselineSet);
        // Other parts of the window (the detector's port) speak on the status bar too.
        QSignalSpy messages(window.statusBar(), &QStatusBar::messageChanged);
        const auto told = [&messages](const QString& strText) {
            for (const QList<QVariant>& message : messages)
                if (message[0].toString().contains(strText))
                    return true;
            return false;
        };

        // A file recorded in no room is refused, with the catalogue's reason.
        pTree->setCurrentItem(pBrowser->FindFileItem(strNoRoom));
        Q_EMIT pMenu->aboutToShow();
        ActionNamed(pMenu, "Set as Baseline")->trigger();
        QTRY_COMPARE(answers.size(), 1);
        QVERIFY(!answers[0][1].toBool());
        QVERIFY(told("not recorded in a room"));

        pTree->setCurrentItem(pBrowser->FindFileItem(strFirst));
        Q_EMIT pMenu->aboutToShow();
        ActionNamed(pMenu, "Set as Baseline")->trigger();
        QTRY_COMPARE(answers.size(), 2);
        QVERIFY(answers[1][1].toBool());
        QTRY_COMPARE(pBrowser->FindFileItem(strFirst)->data(0, CStorageBrowser::BaselineRole).toString(),
                     QString("Boardroom — Office"));
        QVERIFY(pBrowser->FindFileItem(strFirst)->font(0).bold());
        QVERIFY(pBrowser->FindFileItem(strFirst)->toolTip(0).startsWith("Baseline of Boardroom"));
        QVERIFY(!pBrowser->FindFileItem(strSecond)->font(0).bold());
        {
            CCatalogue catalogue(storage.path());
            QString strError;
            QVERIFY2(catalogue.Open(&strError), qPrintable(strError));
            CCatalogue::BaselineRow row;
            QVERIFY(catalogue.Baseline("Office", "Boardroom", row, &strError));
            QCOMPARE(row.strPath, QString("rt_0310_1000.rdf"));
        }

        // The second visit shows one more kind of signal, and nothing else.
        pTree->setCurrentItem(pBrowser->FindFileItem(strSecond));
        Q_EMIT pMenu->aboutToShow();
        ActionNamed(pMenu, "Compare with Baseline")->trigger();
        CQComparisonView* pView = window.SessionActions()->LastView();
        QVERIFY(pView);
        QVERIFY(QTest::qWaitForWindowExposed(pView));
        QCOMPARE(pView->Differences().size(), 1);
        const CSessionDifference difference = pView->Differences().first();
        QCOMPARE(difference.m_eKind, CSessionDifference::Kind::SignalNew);
        QCOMPARE(difference.m_nSignal, 2);
        QCOMPARE(difference.m_nPosition, 25);
        QCOMPARE(pView->List()->topLevelItemCount(), 1);
        QTreeWidget* pList = pView->List();
        const QRect row = pList->visualItemRect(pList->topLevelItem(0));
        QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, row.center());
        const int64_t nInstant = CQComparisonView::AxisTime(25 * 60);
        CQComparisonDiagram* pDiagram = pView->NewDiagram();
        QCOMPARE(pDiagram->Mark(), nInstant);
        QVERIFY(pDiagram->VisibleMin() <= nInstant && nInstant <= pDiagram->VisibleMax());
        QVERIFY(pDiagram->VisibleMin() > CQComparisonView::AxisTime(0));
        pView->close();

        // Compared with itself nothing differs, and the list says so.
        pView = window.SessionActions()->CompareWith(strSecond, strSecond);
        QVERIFY(pView && pView->Differences().isEmpty());
        pList = pView->List();
        QCOMPARE(pList->topLevelItemCount(), 1);
        QVERIFY(pList->topLevelItem(0)->text(CQComparisonView::ColDifference).startsWith("Nothing differs"));
        pView->close();

        // A room without a baseline is said to have none.
        QVERIFY(SweepFiles::WriteSweep(storage.filePath("rt_0319_1000.rdf"), Visit(19, false), false, "Office",
                                       "Room 2", 2026, 3600));
        pView = window.SessionActions()->CompareWithBaseline(storage.filePath("rt_0319_1000.rdf"));
        QVERIFY(pView);
        QVERIFY(pView->NoBaseText().startsWith("No baseline"));
        QCOMPARE(pView->List()->topLevelItemCount(), 0);
        pView->close();
    }

    void exportsTheVisitReportWithItsManifest()
    {
        CKV521MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QDir storage(window.StorageFolder());
        const QString strBoardroom = storage.filePath("rt_0310_1000.rdf");
        const QString strRoom2 = storage.filePath("Room 2/rt_0310_1100.rdf");
        QVERIFY(SweepFiles::WriteSweep(strBoardroom, Visit(10, false), false, "Office", "Boardroom", 2026, 3600));
        QVERIFY(SweepFiles::WriteSweep(strRoom2, Visit(10, true), false, "Office", "Room 2", 2026, 3600));
        QVERIFY(SweepFiles::WriteSweep(storage.filePath("rt_0311_1000.rdf"), Visit(11, false), false, "Office",
                                       "Boardroom", 2026, 3600));
        QVERIFY(SweepFiles::WriteSweep(storage.filePath("rt_0310_1200.rdf"), Visit(10, false), false, "Elsewhere",
                                       "Hall", 2026, 3600));
        window.StorageBrowser()->FillStorageTree();
        window.Form()->m_pStorageTree->setCurrentItem(window.StorageBrowser()->FindFileItem(strBoardroom));

        // The chosen session's site and day, not another day or site.
        QPointer<CQVisitReportDialog> pDialog = window.OpenVisitReportDialog();
        QCOMPARE(pDialog->Sessions(), (QStringList{strBoardroom, strRoom2}));
        QTemporaryDir out;
        QSignalSpy finished(pDialog.data(), &CQVisitReportDialog::Finished);
        QSignalSpy messages(window.statusBar(), &QStatusBar::messageChanged);

        // A report that cannot be written is told as such.
        pDialog->SetOutput(out.filePath("missing/report.pdf"));
        pDialog->Export();
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 60000);
        QVERIFY(!finished[0][0].toBool());
        const auto told = [&messages](const QString& strText) {
            return std::any_of(messages.cbegin(), messages.cend(),
                               [&](const QList<QVariant>& message) { return message[0].toString().contains(strText); });
        };
        QVERIFY(told("The report was not written") && !told("has been written"));

        const QString strPdf = out.filePath("visit.pdf");
        pDialog->SetFindings("Replace the ceiling tile above the projector.");
        pDialog->SetOutput(strPdf);
        pDialog->Export();
        QVERIFY(pDialog->IsRunning());
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 2, 60000);
        QVERIFY2(finished[1][0].toBool(), qPrintable(finished[1][1].toString()));
        QVERIFY(QFileInfo(out.filePath("visit.json")).size() > 0);
        QVERIFY(told("has been written to " + QDir::toNativeSeparators(strPdf)));
        QProcess text;
        text.start("pdftotext", {"-layout", strPdf, "-"});
        QVERIFY(text.waitForFinished(30000));
        const QString strText = QString::fromUtf8(text.readAllStandardOutput()).simplified();
        QVERIFY2(strText.contains("Replace the ceiling tile above the projector."), qPrintable(strText));
        QVERIFY(strText.contains("Room 2"));
    }
};

int main(int argc, char** argv)
{
    const CIsolatedHome home;
    QApplication app(argc, argv);
    TestSessionActions test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sessionactions.moc"
