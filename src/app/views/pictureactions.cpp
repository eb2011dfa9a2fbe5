#include "pictureactions.h"

#include "oscilloscopewindow.h"
#include "qdiagramwidget.h"
#include "widgetpicture.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

#include <utility>

CPictureActions::CPictureActions(QMenu* pFileMenu, QAction* pExitAction, CQDiagramWidget* pRealtime, QWidget* pPanel,
                                 std::function<COscilloscopeWindow*()> oscilloscope, QObject* pParent)
    : QObject(pParent)
    , m_pSaveImageAction(new QAction(this))
    , m_pCopyImageAction(new QAction(this))
    , m_pRealtime(pRealtime)
    , m_pPanel(pPanel)
    , m_Oscilloscope(std::move(oscilloscope))
{
    Retranslate();
    m_pSaveImageAction->setObjectName(QStringLiteral("m_pFileSaveImageAction"));
    m_pCopyImageAction->setObjectName(QStringLiteral("m_pFileCopyImageAction"));
    m_pCopyImageAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    QAction* pBefore = pFileMenu->actions().value(pFileMenu->actions().indexOf(pExitAction) - 1);
    pFileMenu->insertActions(pBefore ? pBefore : pExitAction, {m_pSaveImageAction, m_pCopyImageAction});
    pFileMenu->insertSeparator(m_pSaveImageAction);
    connect(m_pSaveImageAction, &QAction::triggered, this, [this] {
        QString strName;
        if (QWidget* pView = FocusedView(&strName))
            CWidgetPicture::SaveWithDialog(pView, strName);
    });
    connect(m_pCopyImageAction, &QAction::triggered, this, [this] {
        QString strName;
        if (QWidget* pView = FocusedView(&strName))
            CWidgetPicture::CopyToClipboard(pView, strName);
    });
}

void CPictureActions::Retranslate()
{
    m_pSaveImageAction->setText(tr("Save &Image..."));
    m_pCopyImageAction->setText(tr("Cop&y Image"));
}

QWidget* CPictureActions::FocusedView(QString* pName) const
{
    // The realtime diagram when no view has the focus: it is what the window is mostly about.
    for (QWidget* pWidget = QApplication::focusWidget(); pWidget; pWidget = pWidget->parentWidget()) {
        if (auto* pDiagram = qobject_cast<CQDiagramWidget*>(pWidget)) {
            *pName = pDiagram->PictureName();
            return pDiagram;
        }
        if (pWidget == m_pPanel) {
            *pName = pWidget->accessibleName();
            return pWidget;
        }
        COscilloscopeWindow* pScope = m_Oscilloscope();
        if (pScope && pWidget == pScope) {
            *pName = pScope->DiagramWidget()->PictureName();
            return pScope->DiagramWidget();
        }
    }
    *pName = m_pRealtime->PictureName();
    return m_pRealtime;
}
