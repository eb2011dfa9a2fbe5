// The search pane of the main window against a real catalogue of a storage
// folder, and opening what it finds.
#include "kv521mainwindow.h"
#include "ui_mainwindow.h"

#include "catalogue.h"
#include "isolatedhome.h"
#include "logview.h"
#include "qdiagramwidget.h"
#include "qsearchpane.h"
#include "sweepfiles.h"

#include <QApplication>
#include <QComboBox>
#include <QCheckBox>
#include <QSettings>
#include <QTreeWidget>
#include <QtTest>

namespace {

using SweepFiles::Record;

// Positions of the events listed under each session, by its file.
QMap<QString, QList<qint64>> Listed(const QTreeWidget* pResults)
{
    QMap<QString, QList<qint64>> listed;
    for (int i = 0; i < pResults->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* pSession = pResults->topLevelItem(i);
        QList<qint64>& positions = listed[pSession->text(CQSearchPane::ColFile)];
        for (int j = 0; j < pSession->childCount(); ++j)
            positions << pSession->child(j)->data(0, CQSearchPane::PositionRole).toLongLong();
    }
    return listed;
}

void DoubleClick(QTreeWidget* pTree, QTreeWidgetItem* pItem)
{
    pTree->scrollToItem(pItem);
    // On the row's first cell: the row may be wider than the pane.
    const QRect row = pTree->visualItemRect(pItem);
    const QPoint point(row.left() + 8, row.center().y());
    // The first click of a double-click, which the view needs to have seen.
    QTest::mouseClick(pTree->viewport(), Qt::LeftButton, {}, point);
    QTest::mouseDClick(pTree->viewport(), Qt::LeftButton, {}, point);
}

QTreeWidgetItem* EventAt(QTreeWidget* pResults, const QString& strFile, qint64 nPosition)
{
    for (int i = 0; i < pResults->topLevelItemCount(); ++i) {
        QTreeWidgetItem* pSession = pResults->topLevelItem(i);
        for (int j = 0; pSession->text(CQSearchPane::ColFile) == strFile && j < pSession->childCount(); ++j)
            if (pSession->child(j)->data(0, CQSearchPane::PositionRole).toLongLong() == nPosition)
                return pSession->child(j);
    }
    return nullptr;
}

} // namespace

class TestSearchPane : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QSettings().clear();
        CKV521MainWindow::SetDevicePort(QStringLiteral("/nonexistent/kv521-port"));
    }

    void findsTheRoomsAlarmsAndOpensThemAtTheirRecord()
    {
        CKV521MainWindow window;
        window.resize(1200, 800);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        CQSearchPane* pPane = window.SearchPane();
        QVERIFY(!pPane->isVisible());
        window.Form()->m_pViewMenu->actions().first()->trigger();
        QVERIFY(pPane->isVisible());

        const QDir storage(window.StorageFolder());
        // A folder without a catalogue: the pane says so, and makes none on the GUI thread.
        QTemporaryDir empty;
        pPane->SetStorage(empty.path());
        pPane->Search();
        QVERIFY(!pPane->StatusText().isEmpty());
        QCOMPARE(pPane->Results()->topLevelItemCount(), 0);
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(!QFileInfo::exists(QDir(empty.path()).filePath(CCatalogue::FileName())));
        pPane->SetStorage(storage.path());

        QVERIFY(SweepFiles::WriteOfficeDay(storage));
        // Half an hour in the lab, a record a minute; the one alarm is record 25.
        QList<DeviceRawRecord> lab;
        for (int i = 0; i < 30; ++i)
            lab << Record(3, 20, 14, i, 0, i == 25 ? 70 : 40, 55);
        QVERIFY(SweepFiles::WriteSweep(storage.filePath("Lab/rt_0320_1400.rdf"), lab, false, "Office", "Lab", 2026,
                                       3600));
        {
            CCatalogue catalogue(storage.path());
            QString strError;
            // The window's own catalogue may already be there: the new files are synced in.
            QVERIFY2(catalogue.Open(&strError) && catalogue.Sync(&strError), qPrintable(strError));
        }
        pPane->Refresh();
        QVERIFY(pPane->RoomBox()->findText("Boardroom") >= 0);
        QVERIFY(pPane->RoomBox()->findText("Room 2") >= 0);

        // As a user types it: another case, alarms only.
        pPane->RoomBox()->setEditText("boardroom");
        pPane->AlarmsOnlyBox()->setChecked(true);
        pPane->Search();
        const QMap<QString, QList<qint64>> expected = {{"rt_0315_1000.rdf", {1, 4}}, {"log_0316_0900.ldf", {0, 2}}};
        QCOMPARE(Listed(pPane->Results()), expected);

        // A log event opens its file with its row current in the list.
        QTreeWidgetItem* pLogEvent = EventAt(pPane->Results(), "log_0316_0900.ldf", 2);
        QVERIFY(pLogEvent);
        DoubleClick(pPane->Results(), pLogEvent);
        QTreeWidget* pStorageTree = window.Form()->m_pStorageTree;
        QTRY_VERIFY(pStorageTree->currentItem());
        QCOMPARE(pStorageTree->currentItem()->text(0), QString("log_0316_0900"));
        QTreeWidget* pList = window.Form()->m_pLogListTree;
        QCOMPARE(pList->topLevelItemCount(), 3);
        QVERIFY(pList->currentItem());
        QCOMPARE(pList->currentItem()->data(CRecordTexts::ColNum, CLogView::RecordRole).toInt(), 2);

        // A recording's alarm far into the file: the diagram moves to it.
        pPane->RoomBox()->setEditText("Lab");
        pPane->Search();
        QCOMPARE(Listed(pPane->Results()), (QMap<QString, QList<qint64>>{{"Lab/rt_0320_1400.rdf", {25}}}));
        DoubleClick(pPane->Results(), EventAt(pPane->Results(), "Lab/rt_0320_1400.rdf", 25));
        QTRY_COMPARE(pStorageTree->currentItem()->text(0), QString("rt_0320_1400"));
        const CDiagramAxis& axis = window.Form()->m_pLogGraphFrame->Axis();
        const quint64 nAlarm = quint64(CDeviceRecord::TimeOf(lab[25], QDate::currentDate().year()));
        const quint64 nStart = quint64(CDeviceRecord::TimeOf(lab[0], QDate::currentDate().year()));
        QVERIFY(axis.m_vVisibleMin.toULongLong() <= nAlarm && nAlarm <= axis.m_vVisibleMax.toULongLong());
        QVERIFY(axis.m_vVisibleMin.toULongLong() > nStart);

        // The catalogue replaced by a rebuilt one (it was found damaged): the pane reads the new file.
        for (const QString& strSuffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
            QFile::remove(storage.filePath(CCatalogue::FileName() + strSuffix));
        QVERIFY(SweepFiles::WriteSweep(storage.filePath("Lab/rt_0321_0900.rdf"), {Record(3, 21, 9, 0, 0, 40, 55),
                                        Record(3, 21, 9, 0, 1, 66, 55)}, false, "Office", "Lab", 2026, 3600));
        {
            CCatalogue catalogue(storage.path());
            QString strError;
            // The window's own catalogue may already be there: the new files are synced in.
            QVERIFY2(catalogue.Open(&strError) && catalogue.Sync(&strError), qPrintable(strError));
        }
        pPane->Refresh();
        QCOMPARE(Listed(pPane->Results()),
                 (QMap<QString, QList<qint64>>{{"Lab/rt_0320_1400.rdf", {25}}, {"Lab/rt_0321_0900.rdf", {1}}}));
    }
};

int main(int argc, char** argv)
{
    const CIsolatedHome home;
    QApplication app(argc, argv);
    TestSearchPane test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_searchpane.moc"
