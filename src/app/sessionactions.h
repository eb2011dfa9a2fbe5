#pragma once

#include "qcomparisonview.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class CCatalogueController;
class QMenu;
class QStatusBar;
class QWidget;

// What can be done to one stored session wherever it is offered (the
// storage tree, the search results, the log view): make it its room's
// baseline, or compare it with that baseline or with any other session.
class CSessionActions : public QObject
{
    Q_OBJECT
public:
    CSessionActions(CCatalogueController* pCatalogue, QWidget* pDialogParent, QStatusBar* pStatusBar,
                    QObject* pParent = nullptr);

    // Adds the actions for strPath to a menu made for it.
    void FillMenu(QMenu* pMenu, const QString& strPath);
    // Adds the actions to a lasting menu; fnPath names the session each time it opens (empty: none).
    void AddTo(QMenu* pMenu, std::function<QString()> fnPath);

    void SetAsBaseline(const QString& strPath);
    CQComparisonView* CompareWithBaseline(const QString& strPath);
    // Asks for the other session when strOther is empty.
    CQComparisonView* CompareWith(const QString& strPath, const QString& strOther = QString());

    // The comparison view opened last, while it is open.
    CQComparisonView* LastView() const { return m_pLastView; }

    // Asks for the session to compare with; tests answer instead of a file dialog.
    std::function<QString(QWidget* pParent, const QString& strTitle, const QString& strStart)> m_fnChooseFile;

private:
    CQComparisonView* Open(const QString& strPath, const QString& strBase, bool bBaseline, const QString& strNoBase);
    void ShowMessage(const QString& strText, int nTimeoutMs = 0);

    CCatalogueController* m_pCatalogue;
    QWidget* m_pDialogParent;
    QStatusBar* m_pStatusBar;
    QPointer<CQComparisonView> m_pLastView;
};
