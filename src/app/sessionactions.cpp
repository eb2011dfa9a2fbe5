#include "sessionactions.h"

#include "cataloguecontroller.h"
#include "catalogue.h"
#include "qcomparisonview.h"
#include "sidecar.h"
#include "statusmessage.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>

#include <memory>

CSessionActions::CSessionActions(CCatalogueController* pCatalogue, QWidget* pDialogParent, QStatusBar* pStatusBar,
                                 QObject* pParent)
    : QObject(pParent)
    , m_pCatalogue(pCatalogue)
    , m_pDialogParent(pDialogParent)
    , m_pStatusBar(pStatusBar)
{
    m_fnChooseFile = [](QWidget* pParent, const QString& strTitle, const QString& strStart) {
        return QFileDialog::getOpenFileName(pParent, strTitle, strStart,
                                            tr("Data files (*.rdf *.ldf);;All files (*)"));
    };
}

void CSessionActions::FillMenu(QMenu* pMenu, const QString& strPath)
{
    const bool bData = !strPath.isEmpty() && CCatalogue::IsDataFileName(QFileInfo(strPath).fileName());
    const QString strBaselineOf = m_pCatalogue ? m_pCatalogue->Baselines().value(QDir::cleanPath(strPath)) : QString();
    QAction* pSet = pMenu->addAction(tr("Set as Baseline"), this, [this, strPath] { SetAsBaseline(strPath); });
    pSet->setEnabled(bData && strBaselineOf.isEmpty());
    pMenu->addAction(tr("Compare with Baseline"), this, [this, strPath] { CompareWithBaseline(strPath); })
        ->setEnabled(bData);
    pMenu->addAction(tr("Compare with..."), this, [this, strPath] { CompareWith(strPath); })->setEnabled(bData);
}

void CSessionActions::AddTo(QMenu* pMenu, std::function<QString()> fnPath)
{
    pMenu->addSeparator();
    // The path is asked for as the menu opens and kept for its actions.
    auto path = std::make_shared<QString>();
    QAction* pSet = pMenu->addAction(QString(), this, [this, path] { SetAsBaseline(*path); });
    QAction* pBase = pMenu->addAction(QString(), this, [this, path] { CompareWithBaseline(*path); });
    QAction* pOther = pMenu->addAction(QString(), this, [this, path] { CompareWith(*path); });
    const auto refresh = [this, path, fnPath, pSet, pBase, pOther] {
        *path = fnPath();
        const bool bData = !path->isEmpty() && CCatalogue::IsDataFileName(QFileInfo(*path).fileName());
        pSet->setText(tr("Set as Baseline"));
        pBase->setText(tr("Compare with Baseline"));
        pOther->setText(tr("Compare with..."));
        pSet->setEnabled(bData && !(m_pCatalogue && m_pCatalogue->Baselines().contains(QDir::cleanPath(*path))));
        pBase->setEnabled(bData);
        pOther->setEnabled(bData);
    };
    refresh();
    connect(pMenu, &QMenu::aboutToShow, this, refresh);
}

void CSessionActions::SetAsBaseline(const QString& strPath)
{
    if (strPath.isEmpty() || !m_pCatalogue)
        return;
    ShowMessage(tr("Setting %1 as baseline...").arg(QFileInfo(strPath).fileName()));
    m_pCatalogue->SetBaseline(QFileInfo(strPath).absoluteFilePath());
}

CQComparisonView* CSessionActions::CompareWithBaseline(const QString& strPath)
{
    if (strPath.isEmpty())
        return nullptr;
    CSidecar sidecar;
    const bool bRoom = CSidecar::Read(strPath, sidecar) && !sidecar.m_Context.m_strRoom.trimmed().isEmpty();
    const QString strRoom = sidecar.m_Context.m_strRoom;
    const QString strBase =
        bRoom && m_pCatalogue
            ? m_pCatalogue->BaselineOf(sidecar.m_Context.Site(), sidecar.m_Context.m_strClient, strRoom)
            : QString();
    QString strNoBase;
    if (!bRoom)
        strNoBase = tr("No baseline: this session was not recorded in a room.");
    else if (strBase.isEmpty())
        strNoBase = tr("No baseline: the room %1 has none. \"Set as Baseline\" on one of its sessions makes one.")
                        .arg(strRoom);
    return Open(strPath, strBase, true, strNoBase);
}

CQComparisonView* CSessionActions::CompareWith(const QString& strPath, const QString& strOther)
{
    if (strPath.isEmpty())
        return nullptr;
    QString strBase = strOther;
    if (strBase.isEmpty())
        strBase = m_fnChooseFile(m_pDialogParent, tr("Compare %1 with").arg(QFileInfo(strPath).fileName()),
                                 QFileInfo(strPath).absolutePath());
    if (strBase.isEmpty())
        return nullptr;
    return Open(strPath, strBase, false, QString());
}

CQComparisonView* CSessionActions::Open(const QString& strPath, const QString& strBase, bool bBaseline,
                                        const QString& strNoBase)
{
    auto* pView = new CQComparisonView(m_pDialogParent);
    pView->setAttribute(Qt::WA_DeleteOnClose);
    QString strError;
    if (!pView->Load(strPath, strBase, bBaseline, strNoBase, &strError)) {
        delete pView;
        ShowMessage(strError);
        return nullptr;
    }
    m_pLastView = pView;
    pView->show();
    return pView;
}

void CSessionActions::ShowMessage(const QString& strText, int nTimeoutMs)
{
    CStatusMessage::Show(m_pStatusBar, strText, nTimeoutMs);
}
