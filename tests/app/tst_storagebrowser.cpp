// The storage tree on a temporary folder, with its dialogs answered by the test.
#include "checkedsavefile.h"
#include "dialoganswerer.h"
#include "storagebrowser.h"
#include "sweepfiles.h"

#include "kv520device.h"
#include "kv520protocol.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QtEndian>

#include <memory>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif
#include <vector>

namespace {

void WriteFile(const QString& strPath, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(strPath).path());
    QFile f(strPath);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}

// A log file of nEvents records on channel B1.
QByteArray LogFileData(int nEvents)
{
    QByteArray data = QByteArray::fromHex("00000002");
    for (int i = 0; i < nEvents; ++i) {
        QByteArray r(76, '\0');
        r[0] = char(i + 1);
        r[12] = 5;
        r[13] = 3;
        r[16] = 60;
        r[72] = 1;
        data += r;
    }
    return data;
}

QTreeWidgetItem* Child(QTreeWidgetItem* pParent, const QString& strText)
{
    for (int i = 0; pParent && i < pParent->childCount(); ++i)
        if (pParent->child(i)->text(0) == strText)
            return pParent->child(i);
    return nullptr;
}

QStringList Texts(QTreeWidgetItem* pParent)
{
    QStringList texts;
    for (int i = 0; i < pParent->childCount(); ++i)
        texts << pParent->child(i)->text(0);
    texts.sort();
    return texts;
}

} // namespace

class TestStorageBrowser : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_pDir;
    std::unique_ptr<QWidget> m_pWindow;
    QTreeWidget* m_pTree = nullptr;
    QStatusBar* m_pStatus = nullptr;
    std::unique_ptr<CStorageBrowser> m_pBrowser;
    CKV520Device* m_pDevice = nullptr;

    QString Path(const QString& strName) const { return m_pDir->filePath(strName); }

    // Data frames of 5 March, band 1, stored as the worker stores them.
    void StoreFrames(int nCount)
    {
        std::vector<uint8_t> frame(KV520::kFrameSize, 0);
        frame[KV520::kBandMask] = 1;
        frame[KV520::kDay] = 4;
        frame[KV520::kMonth] = 2;
        for (int i = 0; i < nCount; ++i)
            m_pDevice->Model().StoreDataFrame(frame.data(), 0);
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_pDevice = new CKV520Device; // never started: files and history only
        g_pDevice = m_pDevice;
    }

    void cleanupTestCase()
    {
        g_pDevice = nullptr;
        delete m_pDevice;
    }

    void init()
    {
        m_pDir = std::make_unique<QTemporaryDir>();
        m_pWindow = std::make_unique<QWidget>();
        m_pTree = new QTreeWidget(m_pWindow.get());
        m_pStatus = new QStatusBar(m_pWindow.get());
        m_pBrowser = std::make_unique<CStorageBrowser>(m_pTree, m_pWindow.get(), m_pStatus);
        m_pBrowser->SetDefaultStorage(m_pDir->path());
    }

    void cleanup()
    {
        m_pBrowser.reset();
        m_pWindow.reset();
        m_pDir.reset();
    }

    void treeShowsDataFilesAndOpensThemByTheirRealPath()
    {
        WriteFile(Path("a.b.ldf"), LogFileData(3));
        WriteFile(Path("x.LDF"), LogFileData(1));
        WriteFile(Path("notes.txt"), "x");
        WriteFile(Path("rt_0101_0000.rdf"), QByteArray(4, '\0'));
        WriteFile(Path("Default Storage/inner.ldf"), LogFileData(2));
        WriteFile(Path("sub/deeper/d.ldf"), LogFileData(1));
#ifdef Q_OS_UNIX
        QVERIFY(QFile::link(m_pDir->path(), Path("sub/loop"))); // a link back up must not hang the fill
#endif
        m_pBrowser->FillStorageTree();
        QTreeWidgetItem* pRoot = m_pTree->topLevelItem(0);
        QCOMPARE(pRoot->text(0), QString("Default Storage"));
        QCOMPARE(CStorageBrowser::ItemKind(pRoot), int(CStorageBrowser::KindFolder));
        QVERIFY(pRoot->isExpanded());
        QCOMPARE(Texts(pRoot), QStringList({"Default Storage", "a.b", "rt_0101_0000", "sub"}));
        QCOMPARE(CStorageBrowser::ItemKind(Child(pRoot, "a.b")), int(CStorageBrowser::KindLog));
        QCOMPARE(CStorageBrowser::ItemKind(Child(pRoot, "rt_0101_0000")), int(CStorageBrowser::KindRealtime));
        QVERIFY(Child(Child(Child(pRoot, "sub"), "deeper"), "d"));
        QCOMPARE(m_pBrowser->GetItemPath(pRoot), QDir::cleanPath(m_pDir->path()));
        QCOMPARE(m_pBrowser->GetItemFolder(pRoot), QString());

        QSignalSpy loaded(m_pBrowser.get(), &CStorageBrowser::FileLoaded);
        m_pBrowser->OnStorageItemActivated(Child(pRoot, "a.b"));
        QCOMPARE(loaded.size(), 1);
        QCOMPARE(loaded[0][0].value<QList<CDeviceRecord>>().size(), 3);
        QCOMPARE(loaded[0][1].toInt(), 2);
        QCOMPARE(m_pStatus->currentMessage(), QString("A file loaded"));

        QTreeWidgetItem* pInner = Child(Child(pRoot, "Default Storage"), "inner");
        QCOMPARE(m_pBrowser->GetItemPath(pInner), QDir(m_pDir->path()).filePath("Default Storage/inner.ldf"));
        QCOMPARE(m_pBrowser->GetItemFolder(pInner), QDir(m_pDir->path()).filePath("Default Storage") + "/");
        m_pBrowser->OnStorageItemActivated(pInner);
        QCOMPARE(loaded.size(), 2);
        QCOMPARE(loaded[1][0].value<QList<CDeviceRecord>>().size(), 2);

        // Folders are not opened.
        m_pBrowser->OnStorageItemActivated(Child(pRoot, "sub"));
        m_pBrowser->OnStorageItemActivated(pRoot);
        QCOMPARE(loaded.size(), 2);
    }

    void treeListsFoldersFirstThenFilesByName()
    {
        for (const char* pName : {"log_10.ldf", "b.rdf", "log_9.ldf", "a.ldf", "b.ldf"})
            WriteFile(Path(pName), LogFileData(1));
        for (const char* pFolder : {"zeta/inner", "Alpha", "mid"})
            QVERIFY(QDir().mkpath(Path(pFolder)));
        m_pBrowser->FillStorageTree();
        QTreeWidgetItem* pRoot = m_pTree->topLevelItem(0);
        QStringList order;
        for (int i = 0; i < pRoot->childCount(); ++i)
            order << pRoot->child(i)->text(0);
        QCOMPARE(order.mid(0, 3), QStringList({"Alpha", "mid", "zeta"}));
        // Case is ignored and numbers count: "log_9" before "log_10"; the log
        // file before the realtime file of the same name.
        QCOMPARE(order.mid(3, 2), QStringList({"a", "b"}));
        QCOMPARE(order.mid(6), QStringList({"log_9", "log_10"}));
        QCOMPARE(CStorageBrowser::ItemKind(pRoot->child(4)), int(CStorageBrowser::KindLog));

        // A new folder and a renamed file take their places; open folders stay open.
        pRoot->child(2)->setExpanded(true);
        m_pTree->setCurrentItem(pRoot);
        {
            DialogAnswerer answers;
            answers.Text("beta");
            m_pBrowser->OnFolderButton();
        }
        QCOMPARE(pRoot->child(1)->text(0), QString("beta"));
        QVERIFY(pRoot->child(3)->isExpanded());
        m_pTree->setCurrentItem(Child(pRoot, "a"));
        {
            DialogAnswerer answers;
            answers.Text("log_95");
            m_pBrowser->OnRenameButton();
        }
        QCOMPARE(pRoot->child(pRoot->childCount() - 1)->text(0), QString("log_95"));
        QCOMPARE(m_pTree->currentItem()->text(0), QString("log_95"));
    }

    void brokenFileGivesWarningNotData()
    {
        WriteFile(Path("bad.ldf"), QByteArray::fromHex("0000"));
        m_pBrowser->FillStorageTree();
        QSignalSpy loaded(m_pBrowser.get(), &CStorageBrowser::FileLoaded);
        DialogAnswerer answers;
        answers.Button(QMessageBox::Ok);
        m_pBrowser->OnStorageItemActivated(Child(m_pTree->topLevelItem(0), "bad"));
        QCOMPARE(loaded.size(), 0);
        QCOMPARE(answers.m_Seen.size(), 1);
        QVERIFY(answers.m_Seen[0].startsWith("An error occured loading the file!\n"));
        QVERIFY(m_pStatus->currentMessage().isEmpty());
    }

    // An interrupted copy: the whole records are shown, and the status bar
    // says what was left out of which file.
    void cutOffTailIsLeftOutAndNamed()
    {
        WriteFile(Path("cut.ldf"), LogFileData(2) + QByteArray(11, '\x01'));
        m_pBrowser->FillStorageTree();
        QSignalSpy loaded(m_pBrowser.get(), &CStorageBrowser::FileLoaded);
        DialogAnswerer answers;
        m_pBrowser->OnStorageItemActivated(Child(m_pTree->topLevelItem(0), "cut"));
        QCOMPARE(loaded.size(), 1);
        QCOMPARE(loaded[0][0].value<QList<CDeviceRecord>>().size(), 2);
        QCOMPARE(answers.m_Seen, QStringList());
        QCOMPARE(m_pStatus->currentMessage(),
                 QDir::toNativeSeparators(Path("cut.ldf")) + ": the last 11 bytes are not a whole record and were ignored.");
    }

    void createFolderNextToFileAndRefuseBadNames()
    {
        WriteFile(Path("sub/f.ldf"), LogFileData(1));
        m_pBrowser->FillStorageTree();
        QTreeWidgetItem* pSub = Child(m_pTree->topLevelItem(0), "sub");
        m_pTree->setCurrentItem(Child(pSub, "f"));
        {
            DialogAnswerer answers;
            answers.Text("new");
            m_pBrowser->OnFolderButton();
            QCOMPARE(answers.m_nUnexpected, 0);
        }
        QVERIFY(QFileInfo(Path("sub/new")).isDir());
        QVERIFY(Child(pSub, "new"));
        QVERIFY(pSub->isExpanded());
        QCOMPARE(m_pStatus->currentMessage(), QString("A folder created"));

        const QStringList entries = QDir(Path("sub")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        for (const QString& strBad : {QString(".."), QString("../out"), QString("a\\b"), QString("x:y"),
                                      QString("end."), QString("new")}) {
            DialogAnswerer answers;
            answers.Text(strBad);
            answers.Button(QMessageBox::Ok);
            m_pBrowser->OnFolderButton();
            QCOMPARE(answers.m_Seen.size(), 1);
            if (strBad == "new")
                QCOMPARE(answers.m_Seen[0], QString("Could not create a folder!"));
        }
        QCOMPARE(QDir(Path("sub")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), entries);
        QVERIFY(!QFileInfo::exists(Path("out")));

        DialogAnswerer answers;
        answers.Cancel();
        m_pBrowser->OnFolderButton();
        QCOMPARE(answers.m_Seen.size(), 0);
    }

    void renameKeepsExtensionAndRefusesPaths()
    {
        WriteFile(Path("a.b.ldf"), LogFileData(1));
        WriteFile(Path("a.b.ldf.json"), "{}");
        WriteFile(Path("taken.ldf"), LogFileData(1));
        m_pBrowser->FillStorageTree();
        QTreeWidgetItem* pRoot = m_pTree->topLevelItem(0);
        QTreeWidgetItem* pItem = Child(pRoot, "a.b");
        m_pTree->setCurrentItem(pItem);
        for (const QString& strSame : {QString("a.b"), QString()}) {
            DialogAnswerer answers;
            answers.Text(strSame);
            m_pBrowser->OnRenameButton();
            QCOMPARE(answers.m_Seen.size(), 0);
        }
        for (const QString& strBad : {QString("../up"), QString("taken")}) {
            DialogAnswerer answers;
            answers.Text(strBad);
            answers.Button(QMessageBox::Ok);
            m_pBrowser->OnRenameButton();
            QCOMPARE(answers.m_Seen.size(), 1);
        }
        QVERIFY(QFileInfo::exists(Path("a.b.ldf")));
        {
            DialogAnswerer answers;
            answers.Text("renamed");
            m_pBrowser->OnRenameButton();
        }
        QVERIFY(!QFileInfo::exists(Path("a.b.ldf")));
        QVERIFY(QFileInfo::exists(Path("renamed.ldf")));
        // The sweep's details stay beside their file.
        QVERIFY(!QFileInfo::exists(Path("a.b.ldf.json")));
        QVERIFY(QFileInfo::exists(Path("renamed.ldf.json")));
        QCOMPARE(pItem->text(0), QString("renamed"));
        QCOMPARE(m_pBrowser->GetItemPath(pItem), Path("renamed.ldf"));

        // Folders are not renamed: no dialog at all.
        m_pTree->setCurrentItem(pRoot);
        DialogAnswerer answers;
        m_pBrowser->OnRenameButton();
        QTest::qWait(30);
        QCOMPARE(answers.m_nUnexpected, 0);
    }

    void deleteFilesAndFoldersButNeverFollowLinks()
    {
        QTemporaryDir outside;
        WriteFile(outside.filePath("keep.ldf"), LogFileData(1));
        WriteFile(Path("f.rdf"), QByteArray(4, '\0'));
        WriteFile(Path("f.rdf.json"), "{}");
        WriteFile(Path("dir/x/y.ldf"), LogFileData(1));
#ifdef Q_OS_UNIX
        QVERIFY(QFile::link(outside.path(), Path("dir/link")));
#endif
        m_pBrowser->FillStorageTree();
        QTreeWidgetItem* pRoot = m_pTree->topLevelItem(0);

        // No current item, or the root: nothing is asked.
        {
            DialogAnswerer answers;
            m_pTree->setCurrentItem(nullptr);
            m_pBrowser->OnDeleteButton();
            m_pTree->setCurrentItem(pRoot);
            m_pBrowser->OnDeleteButton();
            QTest::qWait(30);
            QCOMPARE(answers.m_nUnexpected, 0);
        }
        m_pTree->setCurrentItem(Child(pRoot, "f"));
        {
            DialogAnswerer answers;
            answers.Button(QMessageBox::No);
            m_pBrowser->OnDeleteButton();
        }
        QVERIFY(QFileInfo::exists(Path("f.rdf")));
        {
            DialogAnswerer answers;
            answers.Button(QMessageBox::Yes);
            m_pBrowser->OnDeleteButton();
            QCOMPARE(answers.m_Seen, QStringList({"Do you really want to delete the file?"}));
        }
        QVERIFY(!QFileInfo::exists(Path("f.rdf")));
        QVERIFY(!QFileInfo::exists(Path("f.rdf.json")));
        QVERIFY(!Child(pRoot, "f"));

        m_pTree->setCurrentItem(Child(pRoot, "dir"));
        {
            DialogAnswerer answers;
            answers.Button(QMessageBox::Yes);
            m_pBrowser->OnDeleteButton();
        }
        QVERIFY(!QFileInfo::exists(Path("dir")));
        QVERIFY(!Child(pRoot, "dir"));
        QCOMPARE(m_pStatus->currentMessage(), QString("A folder has been deleted"));
        QVERIFY(QFileInfo::exists(outside.filePath("keep.ldf")));
    }

#ifdef Q_OS_UNIX
    void linksAndSpecialFilesAreNeitherWalkedNorOpened()
    {
        QTemporaryDir outside;
        WriteFile(outside.filePath("deep/a/b/keep.ldf"), LogFileData(1));
        WriteFile(outside.filePath("other.ldf"), LogFileData(2));
        QVERIFY(QFile::link(outside.path(), Path("system")));
        QVERIFY(QFile::link(outside.filePath("other.ldf"), Path("other.ldf")));
        QCOMPARE(::mkfifo(QFile::encodeName(Path("pipe.ldf")).constData(), 0600), 0);
        QVERIFY(QFile::link(Path("pipe.ldf"), Path("pipelink.rdf")));
        m_pBrowser->FillStorageTree();
        QTreeWidgetItem* pRoot = m_pTree->topLevelItem(0);
        QCOMPARE(Texts(pRoot), QStringList({"other", "system"}));
        QTreeWidgetItem* pLink = Child(pRoot, "system");
        QCOMPARE(pLink->childCount(), 0);
        QVERIFY(pLink->data(0, CStorageBrowser::LinkRole).toBool());

        // Reading a FIFO would wait for a writer for ever.
        QList<CDeviceRecord> records;
        int nVersion = 0;
        QVERIFY(!m_pDevice->LoadDataFile(Path("pipe.ldf"), records, nVersion));
        QVERIFY(!m_pDevice->LoadDataFile(Path("pipelink.rdf"), records, nVersion));
        QVERIFY(m_pDevice->LoadDataFile(Path("other.ldf"), records, nVersion));
        QCOMPARE(records.size(), 2);

        // Enter keeps it; Yes deletes the links, never what they lead to.
        for (const char* pName : {"system", "other"}) {
            m_pTree->setCurrentItem(Child(pRoot, pName));
            {
                DialogAnswerer answers;
                answers.Enter();
                m_pBrowser->OnDeleteButton();
                QCOMPARE(answers.Pending(), 0);
            }
            QVERIFY(Child(pRoot, pName));
            DialogAnswerer answers;
            answers.Button(QMessageBox::Yes);
            m_pBrowser->OnDeleteButton();
            QVERIFY(!Child(pRoot, pName));
        }
        QVERIFY(!QFileInfo(Path("system")).isSymLink());
        QVERIFY(!QFileInfo::exists(Path("other.ldf")));
        QVERIFY(QFileInfo::exists(outside.filePath("deep/a/b/keep.ldf")));
        QVERIFY(QFileInfo::exists(outside.filePath("other.ldf")));
    }
#endif

    void deleteAllEmptiesOnlyTheStorage()
    {
        QTemporaryDir outside;
        WriteFile(outside.filePath("keep.ldf"), LogFileData(1));
        WriteFile(Path("a.ldf"), LogFileData(1));
        WriteFile(Path(".hidden"), "x");
        WriteFile(Path("d/e/f.rdf"), QByteArray(4, '\0'));
#ifdef Q_OS_UNIX
        QVERIFY(QFile::link(outside.path(), Path("d/link")));
        QVERIFY(QFile::link(outside.filePath("keep.ldf"), Path("filelink.ldf")));
#endif
        m_pBrowser->FillStorageTree();
        {
            DialogAnswerer answers;
            answers.Button(QMessageBox::No);
            m_pBrowser->OnDeleteAllAction();
        }
        QVERIFY(QFileInfo::exists(Path("a.ldf")));
        {
            DialogAnswerer answers;
            answers.Button(QMessageBox::Yes);
            m_pBrowser->OnDeleteAllAction();
            QCOMPARE(answers.m_Seen, QStringList({"Do you really want to delete all the items in the archive?"}));
        }
        QVERIFY(QFileInfo(m_pDir->path()).isDir());
        QCOMPARE(QDir(m_pDir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
                 QStringList());
        QCOMPARE(m_pTree->topLevelItemCount(), 1);
        QCOMPARE(m_pTree->topLevelItem(0)->childCount(), 0);
        QVERIFY(QFileInfo::exists(outside.filePath("keep.ldf")));
    }

    void saveDataWritesSelectsAndOpensTheFile()
    {
        m_pDevice->Model().ResetHistory();
        WriteFile(Path("sub/f.ldf"), LogFileData(1));
        m_pBrowser->FillStorageTree();
        {
            DialogAnswerer answers;
            answers.Button(QMessageBox::Ok);
            m_pBrowser->OnRealtimeSaveButton();
            QCOMPARE(answers.m_Seen, QStringList({"There's no data to save!"}));
        }
        StoreFrames(3);

        QTreeWidgetItem* pSub = Child(m_pTree->topLevelItem(0), "sub");
        m_pTree->setCurrentItem(Child(pSub, "f"));
        QSignalSpy loaded(m_pBrowser.get(), &CStorageBrowser::FileLoaded);
        m_pBrowser->OnRealtimeSaveButton();
        QCOMPARE(loaded.size(), 1);
        QCOMPARE(loaded[0][0].value<QList<CDeviceRecord>>().size(), 3);
        QCOMPARE(loaded[0][1].toInt(), 0);
        QTreeWidgetItem* pCurrent = m_pTree->currentItem();
        QVERIFY(pCurrent && pCurrent->parent() == pSub);
        QVERIFY(pCurrent->text(0).startsWith("rt_0305_"));
        QVERIFY(QFileInfo::exists(m_pBrowser->GetItemPath(pCurrent)));
        QCOMPARE(m_pStatus->currentMessage(),
                 QString("Collected data saved to " + QDir::toNativeSeparators(m_pBrowser->GetItemPath(pCurrent))));
    }

    // When the ring has just wrapped, the write index is 0 again, but every
    // slot holds a record and all of them are saved.
    void saveDataAfterTheRingWrappedToIndexZero()
    {
        m_pDevice->Model().ResetHistory();
        StoreFrames(KV520::kHistorySize);
        QCOMPARE(m_pDevice->GetRecordCount(), 0);
        m_pBrowser->FillStorageTree();
        DialogAnswerer answers;
        QSignalSpy loaded(m_pBrowser.get(), &CStorageBrowser::FileLoaded);
        m_pBrowser->OnRealtimeSaveButton();
        QCOMPARE(answers.m_Seen, QStringList());
        QCOMPARE(loaded.size(), 1);
        QCOMPARE(loaded[0][0].value<QList<CDeviceRecord>>().size(), KV520::kHistorySize);
    }

    // A stored file of the same minute (the recorder's own) is never replaced
    // by other bytes: the same bytes stay as they are, others take the next
    // free name, which the status bar gives. A full disk saves nothing and
    // says why.
    void saveDataKeepsStoredFilesAndSaysWhereItWent()
    {
        m_pDevice->Model().ResetHistory();
        StoreFrames(3);
        m_pBrowser->FillStorageTree();
        const QDir dir(m_pDir->path());
        const auto saved = [&] { return dir.entryList({QStringLiteral("rt_*.rdf")}, QDir::Files, QDir::Name); };
        m_pBrowser->OnRealtimeSaveButton();
        QCOMPARE(saved().size(), 1);
        const QString strFirst = dir.filePath(saved().first());
        QFile first(strFirst);
        QVERIFY(first.open(QIODevice::ReadOnly));
        const QByteArray firstBytes = first.readAll();
        first.close();
        m_pBrowser->OnRealtimeSaveButton();
        QCOMPARE(saved().size(), 1);

        StoreFrames(2);
        m_pBrowser->OnRealtimeSaveButton();
        const QString strSecond = QString(strFirst).replace(".rdf", "_2.rdf");
        QCOMPARE(saved(), QStringList({QFileInfo(strFirst).fileName(), QFileInfo(strSecond).fileName()}));
        QVERIFY(first.open(QIODevice::ReadOnly));
        QCOMPARE(first.readAll(), firstBytes);
        first.close();
        QCOMPARE(QFileInfo(strSecond).size(), 4 + 5 * 76);
        QCOMPARE(m_pStatus->currentMessage(), "Collected data saved to " + QDir::toNativeSeparators(strSecond));

        StoreFrames(1);
        DialogAnswerer answers;
        answers.Button(QMessageBox::Ok);
        CCheckedSaveFile::RedirectWritesForTest(QStringLiteral("/dev/full"));
        m_pBrowser->OnRealtimeSaveButton();
        CCheckedSaveFile::RedirectWritesForTest(QString());
        QCOMPARE(answers.m_Seen.size(), 1);
        QVERIFY2(answers.m_Seen[0].contains("_3.rdf") && answers.m_Seen[0].contains("No space left on device"),
                 qPrintable(answers.m_Seen[0]));
        QCOMPARE(saved().size(), 2);
        QVERIFY(!m_pStatus->currentMessage().startsWith("Collected data saved"));
    }

    void exportCsvOfSelectedFile()
    {
        WriteFile(Path("e.ldf"), LogFileData(2));
        m_pBrowser->FillStorageTree();
        const QString strCsv = Path("out.csv");
        m_pBrowser->m_fnChooseSaveFile = [&](QWidget*, const QString&, const QString&) { return strCsv; };
        {
            DialogAnswerer answers;
            answers.Button(QMessageBox::Ok);
            m_pTree->setCurrentItem(m_pTree->topLevelItem(0));
            m_pBrowser->OnExportCsvAction(); // a folder: nothing to export
            QCOMPARE(answers.m_Seen.size(), 1);
        }
        QVERIFY(!QFileInfo::exists(strCsv));
        m_pTree->setCurrentItem(Child(m_pTree->topLevelItem(0), "e"));
        m_pBrowser->OnExportCsvAction();
        QFile f(strCsv);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll().count("\r\n"), 3);
    }

    void treeShowsRoomAndSiteFromTheSidecar()
    {
        using SweepFiles::Record;
        QVERIFY(SweepFiles::WriteSweep(Path("sub/rt_0315_1000.rdf"), {Record(3, 15, 10, 0, 0, 50)}, false,
                                       "Office", "Boardroom", 2026, 3600));
        QVERIFY(SweepFiles::WriteData(Path("bare.rdf"), {Record(3, 15, 10, 0, 0, 50)}, false));
        m_pBrowser->FillStorageTree();
        QTreeWidgetItem* pRoot = m_pTree->topLevelItem(0);
        QTreeWidgetItem* pFile = Child(Child(pRoot, "sub"), "rt_0315_1000");
        QCOMPARE(pFile->text(CStorageBrowser::ContextColumn), QString("Boardroom — Office"));
        QVERIFY(pFile->toolTip(0).contains("Boardroom"));
        QCOMPARE(Child(pRoot, "bare")->text(CStorageBrowser::ContextColumn), QString());
        QCOMPARE(Child(pRoot, "sub")->text(CStorageBrowser::ContextColumn), QString());

        // A sidecar changed since it was read (the session given another room) is read again.
        CSidecar sidecar;
        QVERIFY(CSidecar::Read(Path("sub/rt_0315_1000.rdf"), sidecar));
        sidecar.m_Context.m_strRoom = "Room 2";
        QVERIFY(sidecar.Write(Path("sub/rt_0315_1000.rdf")));
        QFile changed(CSidecar::PathFor(Path("sub/rt_0315_1000.rdf")));
        QVERIFY(changed.open(QIODevice::ReadWrite));
        QVERIFY(changed.setFileTime(QDateTime::currentDateTime().addSecs(10), QFileDevice::FileModificationTime));
        changed.close();
        m_pBrowser->FillStorageTree();
        pFile = Child(Child(m_pTree->topLevelItem(0), "sub"), "rt_0315_1000");
        QCOMPARE(pFile->text(CStorageBrowser::ContextColumn), QString("Room 2 — Office"));

        // Renamed, the file keeps its room.
        m_pTree->setCurrentItem(pFile);
        {
            DialogAnswerer answers;
            answers.Text("visit");
            m_pBrowser->OnRenameButton();
        }
        QCOMPARE(pFile->text(0), QString("visit"));
        QCOMPARE(pFile->text(CStorageBrowser::ContextColumn), QString("Room 2 — Office"));
    }
};

QTEST_MAIN(TestStorageBrowser)
#include "tst_storagebrowser.moc"
