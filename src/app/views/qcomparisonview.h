#pragma once

#include "devicerecord.h"
#include "sessioncomparison.h"
#include "sessiondifference.h"

#include <QDialog>
#include <QList>
#include <QString>

#include <cstdint>

class CQComparisonDiagram;
class QDoubleSpinBox;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

// A session beside the one it is compared with (its room's baseline, or any
// other): both diagrams on one axis of time since each session began, the
// options of the comparison, and the list of differences. Choosing a
// difference brings the new session's diagram (and the other's, so the two
// stay in step) to its instant and marks it there.
class CQComparisonView : public QDialog
{
    Q_OBJECT
public:
    enum Column { ColInstant, ColDifference, ColumnCount };
    // On a difference's row: its index in Differences(); none on the row saying nothing differs.
    static constexpr int IndexRole = Qt::UserRole;
    // Time around a difference shown when it is chosen.
    static constexpr int64_t kWindowSecs = 120;

    explicit CQComparisonView(QWidget* pParent = nullptr);

    // Loads both sessions and compares them. strBase empty: there is nothing
    // to compare with, and strNoBase says why. False with the reason when a
    // file cannot be read.
    bool Load(const QString& strNew, const QString& strBase, bool bBaseline, const QString& strNoBase,
              QString* pError);

    QList<CSessionDifference> Differences() const { return m_Differences; }
    QTreeWidget* List() const { return m_pList; }
    CQComparisonDiagram* NewDiagram() const { return m_pNewDiagram; }
    CQComparisonDiagram* BaseDiagram() const { return m_pBaseDiagram; }
    QDoubleSpinBox* ToleranceBox() const { return m_pTolerance; }
    QDoubleSpinBox* MinChangeBox() const { return m_pMinChange; }
    QString NoBaseText() const;
    // The diagram time of an instant of the new session (seconds since its start, on the shared axis).
    static int64_t AxisTime(int64_t nSinceStart);

public Q_SLOTS:
    void Compare();
    // Brings the difference in row nIndex of Differences() into view.
    void ShowDifference(int nIndex);

private:
    struct Session
    {
        QString strPath;
        QList<CDeviceRecord> records;
        int nVersion = 0;
        int64_t nStart = 0;
        int64_t nEnd = 0;
    };
    static bool LoadSession(const QString& strPath, Session& session, QString* pError);
    void Plot(CQComparisonDiagram* pDiagram, const Session& session, int64_t nSpan);
    QString SessionTitle(const Session& session, const QString& strRole) const;

    Session m_New;
    Session m_Base;
    bool m_bHasBase = false;
    QList<CSessionDifference> m_Differences;

    QLabel* m_pNewLabel = nullptr;
    QLabel* m_pBaseLabel = nullptr;
    CQComparisonDiagram* m_pNewDiagram = nullptr;
    CQComparisonDiagram* m_pBaseDiagram = nullptr;
    QDoubleSpinBox* m_pTolerance = nullptr;
    QDoubleSpinBox* m_pMinChange = nullptr;
    QTreeWidget* m_pList = nullptr;
    QLabel* m_pNoBase = nullptr;
};
