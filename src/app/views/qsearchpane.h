#pragma once

#include "catalogue.h"

#include <QDateTime>
#include <QDockWidget>
#include <QHash>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QDoubleSpinBox;
class QLabel;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The search across every session of the storage folder: date range, site,
// room, signal kinds, a lowest level and alarms only. Sessions are listed
// with their matching events below them; opening one asks for that file, at
// that record for an event.
//
// The pane reads the catalogue through its own connection on the GUI
// thread: searches take milliseconds. It never builds a catalogue: where
// there is none yet it says so and waits for Refresh().
class CQSearchPane : public QDockWidget
{
    Q_OBJECT
public:
    enum Column { ColTime, ColEvent, ColSignal, ColLevel, ColRoom, ColSite, ColFile, ColumnCount };
    static constexpr int PathRole = Qt::UserRole;         // the data file, absolute
    static constexpr int PositionRole = Qt::UserRole + 1; // record index; -1 on a session
    // More events than this are not listed: the search is to be narrowed.
    static constexpr int kMaxEvents = 5000;

    explicit CQSearchPane(QWidget* pParent = nullptr);
    ~CQSearchPane() override;

    // The storage folder whose catalogue is searched; the results are cleared.
    void SetStorage(const QString& strFolder);
    QString Storage() const { return m_strStorage; }

    // The filters as they are set now.
    CCatalogue::Query CurrentQuery() const;

    QTreeWidget* Results() const { return m_pResults; }
    QString StatusText() const;
    QComboBox* SiteBox() const { return m_pSite; }
    QComboBox* RoomBox() const { return m_pRoom; }
    QCheckBox* AlarmsOnlyBox() const { return m_pAlarmsOnly; }

    // Each room's baseline (absolute path -> "room — site"): its session rows are marked.
    void SetBaselines(const QHash<QString, QString>& baselines);
    // Fills the context menu of a session row with what can be done to that file.
    void SetSessionMenu(std::function<void(QMenu* pMenu, const QString& strPath)> fill)
    {
        m_FillSessionMenu = std::move(fill);
    }
    // The menu a right click on a session row opens; null elsewhere (tests).
    QMenu* SessionMenu(QTreeWidgetItem* pItem);

public Q_SLOTS:
    // Runs a search with the filters as set now.
    void Search();
    // The catalogue changed: the choices are read again and the last search,
    // if any, runs again.
    void Refresh();

Q_SIGNALS:
    // A result was opened: the data file, and the record to show (-1: the file alone).
    void OpenRequested(const QString& strPath, qint64 nPosition);

protected:
    void changeEvent(QEvent* pEvent) override;
    void showEvent(QShowEvent* pEvent) override;

private:
    void Retranslate();
    bool EnsureOpen();
    void FillChoices();
    void Run(const CCatalogue::Query& query);
    void ShowStatus(const QString& strText);
    void OnItemActivated(QTreeWidgetItem* pItem);
    QString Absolute(const QString& strRelative) const;
    void MarkBaseline(QTreeWidgetItem* pItem);

    QString m_strStorage;
    std::unique_ptr<CCatalogue> m_pCatalogue;
    bool m_bSearched = false;
    bool m_bSized = false;
    // When the open database file was made: a rebuilt one is another file.
    QDateTime m_DatabaseBirth;
    CCatalogue::Query m_LastQuery;
    QHash<QString, QString> m_Baselines;
    std::function<void(QMenu*, const QString&)> m_FillSessionMenu;

    QCheckBox* m_pFromBox = nullptr;
    QDateEdit* m_pFrom = nullptr;
    QCheckBox* m_pToBox = nullptr;
    QDateEdit* m_pTo = nullptr;
    QLabel* m_pSiteLabel = nullptr;
    QComboBox* m_pSite = nullptr;
    QLabel* m_pRoomLabel = nullptr;
    QComboBox* m_pRoom = nullptr;
    QLabel* m_pKindsLabel = nullptr;
    QList<QCheckBox*> m_Kinds; // signal kind k at k - 1
    QCheckBox* m_pLevelBox = nullptr;
    QDoubleSpinBox* m_pLevel = nullptr;
    QCheckBox* m_pAlarmsOnly = nullptr;
    QPushButton* m_pSearchButton = nullptr;
    QTreeWidget* m_pResults = nullptr;
    QLabel* m_pStatus = nullptr;
};
