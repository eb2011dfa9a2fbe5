#include "reportexporter.h"

#include "sidecar.h"
#include "statusmessage.h"
#include "sweepreport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <QStatusBar>

namespace {
constexpr int kDoneMessageMs = 10000;
}

CReportExporter::CReportExporter(QAction* pAction, QWidget* pDialogParent, QStatusBar* pStatusBar, QObject* pParent)
    : QObject(pParent)
    , m_pAction(pAction)
    , m_pDialogParent(pDialogParent)
    , m_pStatusBar(pStatusBar)
{
    m_fnChooseSaveFile = [](QWidget* pParentWidget, const QString& strTitle, const QString& strStart) {
        return QFileDialog::getSaveFileName(pParentWidget, strTitle, strStart, tr("PDF files (*.pdf)"));
    };
    if (m_pDialogParent)
        m_pDialogParent->installEventFilter(this);
    if (m_pAction) {
        m_pAction->setText(tr("Export &File Report..."));
        m_pAction->setEnabled(false);
        connect(m_pAction, &QAction::triggered, this, &CReportExporter::OnExportReportAction);
    }
}

bool CReportExporter::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched == m_pDialogParent && pEvent->type() == QEvent::LanguageChange && m_pAction)
        m_pAction->setText(tr("Export &File Report..."));
    return QObject::eventFilter(pWatched, pEvent);
}

void CReportExporter::OnFileShown(const QList<CDeviceRecord>& records, int nVersion, const QString& strPath)
{
    m_Records = records;
    m_nVersion = nVersion;
    m_strPath = strPath;
    if (m_pAction)
        m_pAction->setEnabled(!m_strPath.isEmpty());
}

void CReportExporter::OnExportReportAction()
{
    const QString strTitle = QCoreApplication::applicationName();
    if (m_strPath.isEmpty()) {
        QMessageBox::information(m_pDialogParent, strTitle, tr("Open a log or realtime file first."), QMessageBox::Ok);
        return;
    }
    const QFileInfo info(m_strPath);
    const QString strStart = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                                 .filePath(info.completeBaseName() + QStringLiteral(".pdf"));
    const QString strTarget = m_fnChooseSaveFile(m_pDialogParent, tr("Export Report"), strStart);
    if (strTarget.isEmpty())
        return;
    CStatusMessage::Show(m_pStatusBar, tr("Writing the report..."));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    CSweepReport report(m_Records, m_nVersion, info.fileName());
    // The sweep beside the file names the site, room and operator, and the zone.
    CSidecar sidecar;
    if (CSidecar::Read(m_strPath, sidecar))
        report.SetContext(sidecar.m_Context, sidecar.m_Capture.m_bKnown, sidecar.m_Capture.m_nUtcOffsetSecs);
    QString strError;
    const bool bOk = report.Write(strTarget, &strError);
    QApplication::restoreOverrideCursor();
    if (!bOk) {
        CStatusMessage::Show(m_pStatusBar, QString());
        QMessageBox::warning(m_pDialogParent, strTitle, tr("Could not write the report!") + QLatin1Char('\n') + strError,
                             QMessageBox::Ok);
        return;
    }
    CStatusMessage::Show(m_pStatusBar,
                         tr("The report has been written to %1").arg(QDir::toNativeSeparators(strTarget)),
                         kDoneMessageMs);
}
