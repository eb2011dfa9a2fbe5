#pragma once

#include "devicerecord.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>

class QMenu;
class QStatusBar;
class QTreeWidget;
class QFileInfo;
class QTreeWidgetItem;
class QWidget;

// The storage tree: the storage folder, its sub-folders and the data files in
// them, and the operations of the "Storage" menu on them. Every item keeps the
// real path of what it shows, so names that the tree shortens or that look
// like the root's label still lead to the right file.
class CStorageBrowser : public QObject
{
    Q_OBJECT
public:
    enum Kind { KindLog = 0, KindRealtime = 1, KindFolder = 2 };
    static constexpr int KindRole = Qt::UserRole;
    static constexpr int PathRole = Qt::UserRole + 1;
    // True on items that are symbolic links (or junctions): shown, never walked into.
    static constexpr int LinkRole = Qt::UserRole + 2;
    // Column 1 of a data file: its room and site, from its sidecar.
    static constexpr int ContextColumn = 1;
    // On a room's current baseline: the room (and site) it is the baseline of.
    static constexpr int BaselineRole = Qt::UserRole + 3;

    CStorageBrowser(QTreeWidget* pTree, QWidget* pDialogParent, QStatusBar* pStatusBar, QObject* pParent = nullptr);

    // The default storage also becomes the shown storage.
    void SetDefaultStorage(const QString& strFolder);
    QString DefaultStorage() const { return m_strDefaultStorage; }
    QString StorageFolder() const { return m_strStorageFolder; }
    // The menu that pops up over an item ("Storage").
    void SetStorageMenu(QMenu* pMenu) { m_pStorageMenu = pMenu; }

    // Dialogs that tests answer without a file dialog.
    std::function<QString(QWidget* pParent, const QString& strTitle, const QString& strStart)> m_fnChooseDirectory;
    std::function<QString(QWidget* pParent, const QString& strTitle, const QString& strStart)> m_fnChooseSaveFile;

    void FillStorageTree();
    void FillStorageFolder(QTreeWidgetItem* pItem, const QString& strPath);
    QTreeWidgetItem* AddFolderItem(QTreeWidgetItem* pParent, const QString& strName);
    QTreeWidgetItem* AddLogItem(QTreeWidgetItem* pParent, const QString& strFileName);
    QTreeWidgetItem* AddRealtimeItem(QTreeWidgetItem* pParent, const QString& strFileName);

    static int ItemKind(const QTreeWidgetItem* pItem);
    // The folder that holds the item, with a trailing separator; empty for the root.
    QString GetItemFolder(const QTreeWidgetItem* pItem) const;
    static QString GetItemExtension(const QTreeWidgetItem* pItem);
    // Folders first, then files, each by name as a person reads it ("log_9"
    // before "log_10", case ignored).
    static void SortChildren(QTreeWidgetItem* pItem);
    QString GetItemPath(const QTreeWidgetItem* pItem) const;
    QTreeWidgetItem* RootItem() const;
    // The folder new files and folders go into: the current item, or the
    // root; a file's folder for a file.
    QTreeWidgetItem* TargetFolderItem() const;
    void SelectStorageFile(QTreeWidgetItem* pFolderItem, const QString& strName);
    // The item of a data file by its path; null when the tree does not show it.
    QTreeWidgetItem* FindFileItem(const QString& strPath) const;
    // Selects and opens a data file as a click on it does, filling the tree
    // again first when it does not show the file yet. True when it was loaded.
    bool OpenPath(const QString& strPath);
    // "Room — Site" of a data file, from its sidecar; empty without one.
    QString ContextText(const QString& strDataPath);
    // Each room's baseline (absolute path -> "room — site"): shown in bold,
    // with a tooltip naming the room.
    void SetBaselines(const QHash<QString, QString>& baselines);

    // Deletes the directory and all inside it; links are removed, never followed.
    static bool RemoveFolder(const QString& strPath);
    // Deletes everything inside the folder and keeps the folder; true when
    // nothing is left.
    static bool RemoveFolderContents(const QString& strPath);
    // Why a name typed for a new folder or file cannot be used; empty when it can.
    static QString CheckName(const QString& strName);

public Q_SLOTS:
    void OnStorageItemActivated(QTreeWidgetItem* pItem);
    void OnStorageItemExpanded(QTreeWidgetItem* pItem);
    void OnStorageContextMenu(const QPoint& pos);
    void OnBrowseButton();
    void OnFolderButton();
    void OnRenameButton();
    void OnDeleteButton();
    void OnDeleteAllAction();
    void OnRealtimeSaveButton();
    void OnExportCsvAction();

Q_SIGNALS:
    // A file was opened from the tree.
    void FileLoaded(const QList<CDeviceRecord>& records, int nVersion);
    // Another storage folder is shown.
    void StorageChanged(const QString& strFolder);

private:
    bool LoadItem(QTreeWidgetItem* pItem);
    void ShowContext(QTreeWidgetItem* pItem);
    QTreeWidgetItem* AddItem(QTreeWidgetItem* pParent, const QString& strText, int nKind, const QString& strPath);
    void FillFolder(QTreeWidgetItem* pItem, const QString& strPath, QStringList& visited);
    void MarkLink(QTreeWidgetItem* pItem, const QFileInfo& info, int nIcon);
    bool IsInsideStorage(const QString& strPath) const;
    void ShowMessage(const QString& strText, int nTimeoutMs = 0);
    void Warn(const QString& strText, const QString& strReason = QString());
    bool Ask(const QString& strText);

    QTreeWidget* m_pTree;
    QWidget* m_pDialogParent;
    QStatusBar* m_pStatusBar;
    QMenu* m_pStorageMenu = nullptr;
    QString m_strDefaultStorage;
    QString m_strStorageFolder;
    // Sidecars read for the tree, by sidecar path; read again when they change.
    struct SidecarText
    {
        qint64 nMtime = 0;
        qint64 nSize = -1;
        QString strText;
        QString strToolTip;
    };
    QHash<QString, SidecarText> m_SidecarTexts;
    QHash<QString, QString> m_Baselines;
};
