#include "storagebrowser.h"

#include "statusmessage.h"
#include "csvexporter.h"
#include "idevice.h"
#include "naturalcompare.h"
#include "sidecar.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QHeaderView>
#include <QIcon>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QSet>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QTreeWidget>

#include <algorithm>

namespace {

constexpr int kDoneMessageMs = 10000;
// Not translated: the root reads the same in every language.
const char kDefaultStorageText[] = "Default Storage";

QStyle* Style(const QTreeWidget* pTree)
{
    return pTree ? pTree->style() : QApplication::style();
}

QString CleanFolder(const QString& strFolder)
{
    return strFolder.isEmpty() ? QString() : QDir::cleanPath(QDir::fromNativeSeparators(strFolder));
}

// A link or junction must go itself, never what it points to.
bool IsLink(const QFileInfo& info)
{
    return info.isSymLink() || info.isJunction();
}

bool RemoveLinkOrFile(const QString& strPath)
{
    if (QFile::remove(strPath) || QDir().rmdir(strPath))
        return true;
    // Read-only files cannot be removed on some systems until made writable.
    QFile::setPermissions(strPath, QFile::ReadOwner | QFile::WriteOwner);
    return QFile::remove(strPath);
}


} // namespace

CStorageBrowser::CStorageBrowser(QTreeWidget* pTree, QWidget* pDialogParent, QStatusBar* pStatusBar, QObject* pParent)
    : QObject(pParent), m_pTree(pTree), m_pDialogParent(pDialogParent), m_pStatusBar(pStatusBar)
{
    m_fnChooseDirectory = [](QWidget* pParentWidget, const QString& strTitle, const QString& strStart) {
        return QFileDialog::getExistingDirectory(pParentWidget, strTitle, strStart,
                                                 QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    };
    m_fnChooseSaveFile = [](QWidget* pParentWidget, const QString& strTitle, const QString& strStart) {
        return QFileDialog::getSaveFileName(pParentWidget, strTitle, strStart, tr("CSV files (*.csv)"));
    };
}

void CStorageBrowser::SetDefaultStorage(const QString& strFolder)
{
    m_strDefaultStorage = m_strStorageFolder = CleanFolder(strFolder);
}

void CStorageBrowser::ShowMessage(const QString& strText, int nTimeoutMs)
{
    CStatusMessage::Show(m_pStatusBar, strText, nTimeoutMs);
}

void CStorageBrowser::Warn(const QString& strText, const QString& strReason)
{
    QMessageBox::warning(m_pDialogParent, QCoreApplication::applicationName(),
                         strReason.isEmpty() ? strText : strText + QLatin1Char('\n') + strReason, QMessageBox::Ok);
}

bool CStorageBrowser::Ask(const QString& strText)
{
    // Every question here deletes something: a hasty Enter must keep it.
    return QMessageBox::question(m_pDialogParent, QCoreApplication::applicationName(), strText,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

int CStorageBrowser::ItemKind(const QTreeWidgetItem* pItem)
{
    return pItem ? pItem->data(0, KindRole).toInt() : -1;
}

QTreeWidgetItem* CStorageBrowser::RootItem() const
{
    return m_pTree ? m_pTree->topLevelItem(0) : nullptr;
}

QTreeWidgetItem* CStorageBrowser::AddItem(QTreeWidgetItem* pParent, const QString& strText, int nKind,
                                          const QString& strPath)
{
    auto* pItem = new QTreeWidgetItem(QTreeWidgetItem::Type);
    pItem->setText(0, strText);
    pItem->setData(0, KindRole, nKind);
    pItem->setData(0, PathRole, strPath);
    switch (nKind) {
    case KindFolder:
        pItem->setIcon(0, Style(m_pTree)->standardIcon(QStyle::SP_DirClosedIcon));
        break;
    case KindLog:
        pItem->setIcon(0, QIcon(QStringLiteral(":/CKV521MainWindow/Resources/file_log.png")));
        break;
    default:
        pItem->setIcon(0, QIcon(QStringLiteral(":/CKV521MainWindow/Resources/file_realtime.png")));
        break;
    }
    if (nKind != KindFolder)
        ShowContext(pItem);
    if (pParent)
        pParent->addChild(pItem);
    return pItem;
}

QString CStorageBrowser::ContextText(const QString& strDataPath)
{
    const QFileInfo info(CSidecar::PathFor(strDataPath));
    if (!info.isFile()) {
        m_SidecarTexts.remove(info.filePath());
        return QString();
    }
    SidecarText& entry = m_SidecarTexts[info.filePath()];
    const qint64 nMtime = info.lastModified().toMSecsSinceEpoch();
    if (entry.nSize == info.size() && entry.nMtime == nMtime)
        return entry.strText;
    entry = SidecarText{nMtime, info.size(), QString(), QString()};
    CSidecar sidecar;
    // One that cannot be read shows nothing here; the catalogue tells why.
    if (!CSidecar::Read(strDataPath, sidecar))
        return QString();
    const QString strRoom = sidecar.m_Context.m_strRoom.trimmed();
    const QString strSite = sidecar.m_Context.Site().trimmed();
    entry.strText = strRoom.isEmpty() || strSite.isEmpty() ? strRoom + strSite
                                                           : tr("%1 — %2").arg(strRoom, strSite);
    QStringList tips;
    if (!strRoom.isEmpty())
        tips << tr("Room: %1").arg(strRoom);
    if (!strSite.isEmpty())
        tips << tr("Site: %1").arg(strSite);
    entry.strToolTip = tips.join(QLatin1Char('\n'));
    return entry.strText;
}

void CStorageBrowser::ShowContext(QTreeWidgetItem* pItem)
{
    const QString strPath = pItem->data(0, PathRole).toString();
    pItem->setText(ContextColumn, ContextText(strPath));
    QString strTip = m_SidecarTexts.value(CSidecar::PathFor(strPath)).strToolTip;
    const QString strBaseline = m_Baselines.value(QDir::cleanPath(QFileInfo(strPath).absoluteFilePath()));
    pItem->setData(0, BaselineRole, strBaseline.isEmpty() ? QVariant() : QVariant(strBaseline));
    QFont font = pItem->font(0);
    font.setBold(!strBaseline.isEmpty());
    pItem->setFont(0, font);
    if (!strBaseline.isEmpty())
        strTip = tr("Baseline of %1").arg(strBaseline) + (strTip.isEmpty() ? QString() : QLatin1Char('\n') + strTip);
    pItem->setToolTip(ContextColumn, strTip);
    if (!pItem->data(0, LinkRole).toBool())
        pItem->setToolTip(0, strTip);
}

void CStorageBrowser::SetBaselines(const QHash<QString, QString>& baselines)
{
    m_Baselines = baselines;
    QTreeWidgetItem* pRoot = RootItem();
    QList<QTreeWidgetItem*> pending;
    if (pRoot)
        pending << pRoot;
    while (!pending.isEmpty()) {
        QTreeWidgetItem* pItem = pending.takeLast();
        for (int i = 0; i < pItem->childCount(); ++i) {
            QTreeWidgetItem* pChild = pItem->child(i);
            if (ItemKind(pChild) == KindFolder)
                pending << pChild;
            else
                ShowContext(pChild);
        }
    }
}

QTreeWidgetItem* CStorageBrowser::FindFileItem(const QString& strPath) const
{
    QTreeWidgetItem* pRoot = RootItem();
    if (!pRoot)
        return nullptr;
    const QString strWanted = QDir::cleanPath(QFileInfo(strPath).absoluteFilePath());
    QList<QTreeWidgetItem*> pending = {pRoot};
    while (!pending.isEmpty()) {
        QTreeWidgetItem* pItem = pending.takeLast();
        for (int i = 0; i < pItem->childCount(); ++i) {
            QTreeWidgetItem* pChild = pItem->child(i);
            if (ItemKind(pChild) == KindFolder)
                pending << pChild;
            else if (QDir::cleanPath(QFileInfo(GetItemPath(pChild)).absoluteFilePath()) == strWanted)
                return pChild;
        }
    }
    return nullptr;
}

bool CStorageBrowser::OpenPath(const QString& strPath)
{
    QTreeWidgetItem* pItem = FindFileItem(strPath);
    if (!pItem) {
        // Written since the tree was filled (a recording, a download elsewhere).
        FillStorageTree();
        pItem = FindFileItem(strPath);
    }
    if (!pItem) {
        Warn(tr("The file %1 is not in the storage folder any more.").arg(QDir::toNativeSeparators(strPath)));
        return false;
    }
    for (QTreeWidgetItem* pParent = pItem->parent(); pParent; pParent = pParent->parent())
        pParent->setExpanded(true);
    {
        // Selected without the click's own load: it is loaded once, here.
        const QSignalBlocker block(m_pTree);
        m_pTree->setCurrentItem(pItem);
    }
    m_pTree->scrollToItem(pItem);
    return LoadItem(pItem);
}

QTreeWidgetItem* CStorageBrowser::AddFolderItem(QTreeWidgetItem* pParent, const QString& strName)
{
    return AddItem(pParent, strName, KindFolder, QDir(GetItemPath(pParent)).filePath(strName));
}

QTreeWidgetItem* CStorageBrowser::AddLogItem(QTreeWidgetItem* pParent, const QString& strFileName)
{
    return AddItem(pParent, QFileInfo(strFileName).completeBaseName(), KindLog, QDir(GetItemPath(pParent)).filePath(strFileName));
}

QTreeWidgetItem* CStorageBrowser::AddRealtimeItem(QTreeWidgetItem* pParent, const QString& strFileName)
{
    return AddItem(pParent, QFileInfo(strFileName).completeBaseName(), KindRealtime,
                   QDir(GetItemPath(pParent)).filePath(strFileName));
}

void CStorageBrowser::FillStorageTree()
{
    if (!m_pTree)
        return;
    m_pTree->clear();
    // The names keep their width; room and site take what is left.
    m_pTree->setColumnCount(ContextColumn + 1);
    m_pTree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_pTree->header()->setStretchLastSection(true);
    const QString strText = m_strStorageFolder == m_strDefaultStorage ? QString::fromLatin1(kDefaultStorageText)
                                                                       : QDir::toNativeSeparators(m_strStorageFolder);
    QTreeWidgetItem* pRoot = AddItem(nullptr, strText, KindFolder, m_strStorageFolder);
    pRoot->setIcon(0, Style(m_pTree)->standardIcon(QStyle::SP_DriveHDIcon));
    m_pTree->addTopLevelItem(pRoot);
    FillStorageFolder(pRoot, m_strStorageFolder);
    pRoot->setExpanded(true);
}

void CStorageBrowser::FillStorageFolder(QTreeWidgetItem* pItem, const QString& strPath)
{
    if (!pItem)
        return;
    qDeleteAll(pItem->takeChildren());
    QStringList visited = {QFileInfo(strPath).canonicalFilePath()};
    FillFolder(pItem, strPath, visited);
}

void CStorageBrowser::FillFolder(QTreeWidgetItem* pItem, const QString& strPath, QStringList& visited)
{
    const QFileInfoList entries =
        QDir(strPath).entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QFileInfo& info : entries) {
        const QString strName = info.fileName();
        if (IsLink(info) && info.isDir()) {
            // A link may lead anywhere (the whole system): shown as what it is,
            // and neither walked nor emptied.
            QTreeWidgetItem* pChild = AddFolderItem(pItem, strName);
            MarkLink(pChild, info, QStyle::SP_DirLinkIcon);
            continue;
        }
        if (info.isDir()) {
            QTreeWidgetItem* pChild = AddFolderItem(pItem, strName);
            // A link back up the tree would otherwise be followed forever.
            const QString strCanonical = info.canonicalFilePath();
            if (visited.contains(strCanonical))
                continue;
            visited << strCanonical;
            FillFolder(pChild, info.filePath(), visited);
        } else if (!info.isFile()) {
            continue; // a FIFO or device under a data file's name cannot be read
        } else if (strName.endsWith(QLatin1String(".ldf"))) {
            QTreeWidgetItem* pChild = AddLogItem(pItem, strName);
            if (IsLink(info))
                MarkLink(pChild, info, QStyle::SP_FileLinkIcon);
        } else if (strName.endsWith(QLatin1String(".rdf"))) {
            QTreeWidgetItem* pChild = AddRealtimeItem(pItem, strName);
            if (IsLink(info))
                MarkLink(pChild, info, QStyle::SP_FileLinkIcon);
        }
    }
    SortChildren(pItem);
}

void CStorageBrowser::SortChildren(QTreeWidgetItem* pItem)
{
    if (!pItem)
        return;
    // Taking the children out forgets which of them were open and which was current.
    QList<QTreeWidgetItem*> expanded;
    QTreeWidget* pTree = pItem->treeWidget();
    QTreeWidgetItem* pCurrent = pTree ? pTree->currentItem() : nullptr;
    if (pTree) {
        QList<QTreeWidgetItem*> pending = {pItem};
        while (!pending.isEmpty()) {
            QTreeWidgetItem* pNext = pending.takeLast();
            for (int i = 0; i < pNext->childCount(); ++i) {
                if (pNext->child(i)->isExpanded())
                    expanded << pNext->child(i);
                pending << pNext->child(i);
            }
        }
    }
    QList<QTreeWidgetItem*> children = pItem->takeChildren();
    std::stable_sort(children.begin(), children.end(), [&](const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
        const bool bFolderA = ItemKind(a) == KindFolder, bFolderB = ItemKind(b) == KindFolder;
        if (bFolderA != bFolderB)
            return bFolderA;
        const int nOrder = NaturalCompare(a->text(0), b->text(0));
        if (nOrder != 0)
            return nOrder < 0;
        // Same base name: the log before the realtime file, always in that order.
        return ItemKind(a) < ItemKind(b);
    });
    pItem->addChildren(children);
    for (QTreeWidgetItem* pOpen : expanded)
        pOpen->setExpanded(true);
    if (pCurrent && pTree->currentItem() != pCurrent) {
        const QSignalBlocker block(pTree);
        pTree->setCurrentItem(pCurrent);
    }
}

void CStorageBrowser::MarkLink(QTreeWidgetItem* pItem, const QFileInfo& info, int nIcon)
{
    pItem->setData(0, LinkRole, true);
    pItem->setIcon(0, Style(m_pTree)->standardIcon(QStyle::StandardPixmap(nIcon)));
    pItem->setToolTip(0, tr("Link to %1").arg(QDir::toNativeSeparators(info.symLinkTarget())));
}

bool CStorageBrowser::IsInsideStorage(const QString& strPath) const
{
    // Through links the same name can lead out of the storage folder; only
    // what really lies in it may be deleted there.
    const QString strStorage = QFileInfo(m_strStorageFolder).canonicalFilePath();
    const QFileInfo info(strPath);
    const QString strParent = info.dir().canonicalPath(); // the entry itself may be a link
    return !strStorage.isEmpty() && !strParent.isEmpty()
        && (strParent == strStorage || strParent.startsWith(strStorage + QLatin1Char('/')));
}

QString CStorageBrowser::GetItemFolder(const QTreeWidgetItem* pItem) const
{
    if (!pItem || !pItem->parent())
        return QString();
    QString strFolder = GetItemPath(pItem->parent());
    if (!strFolder.endsWith(QLatin1Char('/')))
        strFolder += QLatin1Char('/');
    return strFolder;
}

QString CStorageBrowser::GetItemExtension(const QTreeWidgetItem* pItem)
{
    if (!pItem)
        return QString();
    return ItemKind(pItem) == KindLog ? QStringLiteral("ldf") : QStringLiteral("rdf");
}

QString CStorageBrowser::GetItemPath(const QTreeWidgetItem* pItem) const
{
    if (!pItem)
        return QString();
    if (!pItem->parent())
        return m_strStorageFolder;
    return pItem->data(0, PathRole).toString();
}

QTreeWidgetItem* CStorageBrowser::TargetFolderItem() const
{
    QTreeWidgetItem* pItem = m_pTree ? m_pTree->currentItem() : nullptr;
    if (!pItem)
        pItem = RootItem();
    if (pItem && ItemKind(pItem) != KindFolder)
        pItem = pItem->parent() ? pItem->parent() : RootItem();
    return pItem;
}

void CStorageBrowser::SelectStorageFile(QTreeWidgetItem* pFolderItem, const QString& strName)
{
    if (!pFolderItem || !m_pTree)
        return;
    QTreeWidgetItem* pFound = nullptr;
    for (int i = 0; i < pFolderItem->childCount() && !pFound; ++i) {
        QTreeWidgetItem* pChild = pFolderItem->child(i);
        // The file itself first: several files may show the same text.
        if (ItemKind(pChild) != KindFolder && QFileInfo(GetItemPath(pChild)).completeBaseName() == strName)
            pFound = pChild;
    }
    for (int i = 0; i < pFolderItem->childCount() && !pFound; ++i)
        if (pFolderItem->child(i)->text(0) == strName)
            pFound = pFolderItem->child(i);
    if (!pFound)
        return;
    m_pTree->setCurrentItem(pFound);
    OnStorageItemActivated(pFound);
}

bool CStorageBrowser::RemoveFolderContents(const QString& strPath)
{
    const QDir dir(strPath);
    if (strPath.isEmpty() || !dir.exists())
        return false;
    bool bOk = true;
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Unsorted);
    for (const QFileInfo& info : entries) {
        if (IsLink(info) || !info.isDir())
            bOk = RemoveLinkOrFile(info.filePath()) && bOk;
        else
            bOk = RemoveFolder(info.filePath()) && bOk;
    }
    return bOk;
}

bool CStorageBrowser::RemoveFolder(const QString& strPath)
{
    const QFileInfo info(strPath);
    if (strPath.isEmpty())
        return false;
    if (IsLink(info))
        return RemoveLinkOrFile(strPath);
    RemoveFolderContents(strPath);
    return QDir().rmdir(info.absoluteFilePath());
}

QString CStorageBrowser::CheckName(const QString& strName)
{
    static const QString strForbidden = QStringLiteral("<>:\"|?*");
    bool bBad = strName == QLatin1String(".") || strName == QLatin1String("..") || strName.contains(QLatin1Char('/'))
             || strName.contains(QLatin1Char('\\')) || strName.endsWith(QLatin1Char(' '))
             || strName.endsWith(QLatin1Char('.'));
    for (const QChar c : strName)
        bBad = bBad || c.unicode() < 0x20 || strForbidden.contains(c);
    if (!bBad)
        return QString();
    return tr("The name may not contain / \\ < > : \" | ? * or control characters, may not be \".\" or \"..\" "
              "and may not end with a blank or a dot.");
}

void CStorageBrowser::OnStorageItemActivated(QTreeWidgetItem* pItem)
{
    LoadItem(pItem);
}

bool CStorageBrowser::LoadItem(QTreeWidgetItem* pItem)
{
    if (!pItem || ItemKind(pItem) == KindFolder || !g_pDevice)
        return false;
    ShowMessage(tr("Loading file..."));
    QList<CDeviceRecord> records;
    int nVersion = 0;
    if (!g_pDevice->LoadDataFile(GetItemPath(pItem), records, nVersion)) {
        ShowMessage(QString());
        Warn(tr("An error occured loading the file!"), g_pDevice->GetLastFileError());
        return false;
    }
    const QString strNotice = g_pDevice->GetLastFileError();
    Q_EMIT FileLoaded(records, nVersion);
    ShowMessage(strNotice.isEmpty() ? tr("A file loaded") : strNotice, strNotice.isEmpty() ? kDoneMessageMs : 0);
    return true;
}

void CStorageBrowser::OnStorageItemExpanded(QTreeWidgetItem* pItem)
{
    if (!pItem)
        return;
    if (pItem->data(0, LinkRole).toBool())
        return;
    pItem->setIcon(0, Style(m_pTree)->standardIcon(pItem->isExpanded() ? QStyle::SP_DirOpenIcon
                                                                        : QStyle::SP_DirClosedIcon));
}

void CStorageBrowser::OnStorageContextMenu(const QPoint& pos)
{
    if (!m_pTree || !m_pStorageMenu || !m_pTree->itemAt(pos))
        return;
    m_pStorageMenu->popup(m_pTree->viewport()->mapToGlobal(pos));
}

void CStorageBrowser::OnBrowseButton()
{
    const QString strPath = CleanFolder(m_fnChooseDirectory(m_pDialogParent, tr("Select a storage folder"),
                                                            m_strStorageFolder));
    if (strPath.isEmpty())
        return;
    m_strStorageFolder = strPath;
    FillStorageTree();
    if (QTreeWidgetItem* pRoot = RootItem())
        pRoot->setText(0, QDir::toNativeSeparators(strPath));
    Q_EMIT StorageChanged(m_strStorageFolder);
    ShowMessage(tr("New storage has been loaded"), kDoneMessageMs);
}

void CStorageBrowser::OnFolderButton()
{
    QTreeWidgetItem* pTarget = TargetFolderItem();
    if (!pTarget)
        return;
    bool bOk = false;
    const QString strName = QInputDialog::getText(m_pDialogParent, tr("Create a folder"), tr("Folder name:"),
                                                  QLineEdit::Normal, QString(), &bOk);
    if (!bOk || strName.isEmpty())
        return;
    const QString strProblem = CheckName(strName);
    if (!strProblem.isEmpty()) {
        Warn(strProblem);
        return;
    }
    if (!QDir(GetItemPath(pTarget)).mkdir(strName)) {
        Warn(tr("Could not create a folder!"));
        return;
    }
    AddFolderItem(pTarget, strName);
    SortChildren(pTarget);
    pTarget->setExpanded(true);
    ShowMessage(tr("A folder created"), kDoneMessageMs);
}

void CStorageBrowser::OnRenameButton()
{
    QTreeWidgetItem* pItem = m_pTree ? m_pTree->currentItem() : nullptr;
    const int nKind = ItemKind(pItem);
    if (nKind != KindLog && nKind != KindRealtime)
        return;
    bool bOk = false;
    const QString strName = QInputDialog::getText(m_pDialogParent, tr("Rename a file"), tr("New file name:"),
                                                  QLineEdit::Normal, pItem->text(0), &bOk);
    if (!bOk || strName.isEmpty() || strName == pItem->text(0))
        return;
    const QString strProblem = CheckName(strName);
    if (!strProblem.isEmpty()) {
        Warn(strProblem);
        return;
    }
    const QString strOld = GetItemPath(pItem);
    const QString strNew = QFileInfo(strOld).dir().filePath(strName + QLatin1Char('.') + GetItemExtension(pItem));
    if (!QFile::rename(strOld, strNew)) {
        Warn(tr("Could not rename the file!"));
        return;
    }
    // What the file itself cannot hold (site, room, year, zone) goes with it.
    const QString strOldSidecar = CSidecar::PathFor(strOld);
    if (QFileInfo::exists(strOldSidecar) && !QFile::rename(strOldSidecar, CSidecar::PathFor(strNew))) {
        QFile::rename(strNew, strOld);
        Warn(tr("Could not rename the file!"));
        return;
    }
    pItem->setText(0, QFileInfo(strNew).completeBaseName());
    pItem->setData(0, PathRole, strNew);
    ShowContext(pItem);
    if (QTreeWidgetItem* pParentItem = pItem->parent()) {
        SortChildren(pParentItem);
        m_pTree->setCurrentItem(pItem);
    }
    ShowMessage(tr("A file renamed"), kDoneMessageMs);
}

void CStorageBrowser::OnDeleteButton()
{
    QTreeWidgetItem* pItem = m_pTree ? m_pTree->currentItem() : nullptr;
    if (!pItem || !pItem->parent())
        return;
    const QString strPath = GetItemPath(pItem);
    if (!IsInsideStorage(strPath)) {
        Warn(tr("This item lies outside the storage folder and is not deleted."));
        return;
    }
    if (ItemKind(pItem) == KindFolder) {
        if (!Ask(tr("Do you really want to delete the folder and all its content?")))
            return;
        if (!RemoveFolder(strPath)) {
            Warn(tr("Could not delete the folder!"));
            return;
        }
        delete pItem;
        ShowMessage(tr("A folder has been deleted"), kDoneMessageMs);
    } else {
        if (!Ask(tr("Do you really want to delete the file?")))
            return;
        if (!QFile::remove(strPath)) {
            Warn(tr("Could not delete the file!"));
            return;
        }
        QFile::remove(CSidecar::PathFor(strPath));
        delete pItem;
        ShowMessage(tr("A file has been deleted"), kDoneMessageMs);
    }
}

void CStorageBrowser::OnDeleteAllAction()
{
    if (!Ask(tr("Do you really want to delete all the items in the archive?")))
        return;
    const QDir storage(m_strStorageFolder);
    // A storage chosen at the top of a drive is not emptied: that would wipe the drive.
    if (m_strStorageFolder.isEmpty() || storage.isRoot() || !storage.exists()) {
        Warn(tr("Could not delete the items of this storage folder!"));
        return;
    }
    QTreeWidgetItem* pRoot = RootItem();
    if (pRoot)
        qDeleteAll(pRoot->takeChildren());
    const bool bOk = RemoveFolderContents(m_strStorageFolder);
    if (pRoot)
        FillStorageFolder(pRoot, m_strStorageFolder); // whatever could not be deleted stays visible
    if (!bOk)
        Warn(tr("Some items could not be deleted!"));
}

void CStorageBrowser::OnRealtimeSaveButton()
{
    if (!g_pDevice)
        return;
    // The count is the ring's write index, which is 0 again each time the ring
    // wraps; a full ring still has a last record.
    if (g_pDevice->GetRecordCount() == 0 && g_pDevice->GetLastRecord().IsEmpty()) {
        QMessageBox::information(m_pDialogParent, QCoreApplication::applicationName(), tr("There's no data to save!"),
                                 QMessageBox::Ok);
        return;
    }
    QTreeWidgetItem* pTarget = TargetFolderItem();
    const QString strFolder = GetItemPath(pTarget);
    QString strName;
    if (!g_pDevice->SaveRealtimeFile(strFolder, 0, strName)) {
        ShowMessage(QString());
        Warn(tr("An error occured saving collected data!"), g_pDevice->GetLastFileError());
        return;
    }
    FillStorageFolder(pTarget, strFolder);
    SelectStorageFile(pTarget, strName);
    // The name may carry a number: the user is told where the data went.
    ShowMessage(tr("Collected data saved to %1")
                    .arg(QDir::toNativeSeparators(QDir(strFolder).filePath(strName + QStringLiteral(".rdf")))),
                kDoneMessageMs);
}

void CStorageBrowser::OnExportCsvAction()
{
    QTreeWidgetItem* pItem = m_pTree ? m_pTree->currentItem() : nullptr;
    const int nKind = ItemKind(pItem);
    if ((nKind != KindLog && nKind != KindRealtime) || !g_pDevice) {
        QMessageBox::information(m_pDialogParent, QCoreApplication::applicationName(),
                                 tr("Select a log or realtime file to export."), QMessageBox::Ok);
        return;
    }
    QList<CDeviceRecord> records;
    int nVersion = 0;
    if (!g_pDevice->LoadDataFile(GetItemPath(pItem), records, nVersion)) {
        Warn(tr("An error occured loading the file!"), g_pDevice->GetLastFileError());
        return;
    }
    const QString strStart = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                                 .filePath(pItem->text(0) + QStringLiteral(".csv"));
    const QString strPath = m_fnChooseSaveFile(m_pDialogParent, tr("Export CSV"), strStart);
    if (strPath.isEmpty())
        return;
    QString strError;
    if (!CCsvExporter::Write(strPath, records, nVersion, &strError)) {
        Warn(tr("Could not export the file!"), strError);
        return;
    }
    ShowMessage(tr("The file has been exported"), kDoneMessageMs);
}
