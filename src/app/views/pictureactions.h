#pragma once

#include <QObject>
#include <QString>

#include <functional>

class COscilloscopeWindow;
class CQDiagramWidget;
class QAction;
class QMenu;
class QWidget;

// File > Save Image... and Copy Image: a picture of the view that has the
// keyboard focus, or of the realtime diagram when none has.
class CPictureActions : public QObject
{
    Q_OBJECT
public:
    // Inserted into pFileMenu before the group that ends with pExitAction.
    CPictureActions(QMenu* pFileMenu, QAction* pExitAction, CQDiagramWidget* pRealtime, QWidget* pPanel,
                    std::function<COscilloscopeWindow*()> oscilloscope, QObject* pParent);
    void Retranslate();

private:
    // The view the entries act on, and its name.
    QWidget* FocusedView(QString* pName) const;

    QAction* m_pSaveImageAction;
    QAction* m_pCopyImageAction;
    CQDiagramWidget* m_pRealtime;
    QWidget* m_pPanel;
    std::function<COscilloscopeWindow*()> m_Oscilloscope;
};
