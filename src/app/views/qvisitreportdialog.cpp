#include "qvisitreportdialog.h"

#include "visitassembler.h"
#include "visitreport.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

#include <memory>

namespace {

struct Outcome
{
    bool bOk = false;
    QString strText;
    QStringList warnings;
};

} // namespace

CQVisitReportDialog::CQVisitReportDialog(const QString& strStorage, QWidget* pParent)
    : QDialog(pParent)
    , m_strStorage(strStorage)
{
    setWindowTitle(tr("Export Report"));
    m_fnChooseFiles = [](QWidget* pParentWidget, const QString& strTitle, const QString& strStart) {
        return QFileDialog::getOpenFileNames(pParentWidget, strTitle, strStart,
                                             tr("Data files (*.rdf *.ldf);;All files (*)"));
    };
    m_fnChooseFile = [](QWidget* pParentWidget, const QString& strTitle, const QString& strStart) {
        return QFileDialog::getOpenFileName(pParentWidget, strTitle, strStart, tr("Text files (*.txt);;All files (*)"));
    };
    m_fnChooseSaveFile = [](QWidget* pParentWidget, const QString& strTitle, const QString& strStart) {
        return QFileDialog::getSaveFileName(pParentWidget, strTitle, strStart, tr("PDF files (*.pdf)"));
    };

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(new QLabel(tr("Sessions of the visit:"), this));
    auto* pSessionRow = new QHBoxLayout;
    m_pSessions = new QListWidget(this);
    m_pSessions->setAccessibleName(tr("Sessions of the visit"));
    pSessionRow->addWidget(m_pSessions, 1);
    auto* pSessionButtons = new QVBoxLayout;
    auto* pAdd = new QPushButton(tr("Add Files..."), this);
    connect(pAdd, &QPushButton::clicked, this, &CQVisitReportDialog::OnAddFiles);
    pSessionButtons->addWidget(pAdd);
    pSessionButtons->addStretch(1);
    pSessionRow->addLayout(pSessionButtons);
    pLayout->addLayout(pSessionRow, 1);

    auto* pFindingsRow = new QHBoxLayout;
    pFindingsRow->addWidget(new QLabel(tr("Findings and recommendations"), this), 1);
    auto* pLoad = new QPushButton(tr("From a Text File..."), this);
    connect(pLoad, &QPushButton::clicked, this, &CQVisitReportDialog::OnLoadFindings);
    pFindingsRow->addWidget(pLoad);
    pLayout->addLayout(pFindingsRow);
    m_pFindings = new QPlainTextEdit(this);
    m_pFindings->setAccessibleName(tr("Findings and recommendations"));
    pLayout->addWidget(m_pFindings, 1);

    auto* pForm = new QFormLayout;
    auto* pOutputRow = new QHBoxLayout;
    m_pOutput = new QLineEdit(this);
    auto* pBrowse = new QPushButton(tr("Browse..."), this);
    connect(pBrowse, &QPushButton::clicked, this, &CQVisitReportDialog::OnBrowseOutput);
    pOutputRow->addWidget(m_pOutput, 1);
    pOutputRow->addWidget(pBrowse);
    pForm->addRow(tr("Report file:"), pOutputRow);
    pLayout->addLayout(pForm);

    m_pProgress = new QProgressBar(this);
    m_pProgress->setRange(0, 0);
    m_pProgress->hide();
    pLayout->addWidget(m_pProgress);
    m_pStatus = new QLabel(this);
    m_pStatus->setWordWrap(true);
    m_pStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pLayout->addWidget(m_pStatus);

    m_pButtons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_pExport = m_pButtons->addButton(tr("Export"), QDialogButtonBox::AcceptRole);
    m_pExport->setDefault(true);
    connect(m_pButtons, &QDialogButtonBox::accepted, this, &CQVisitReportDialog::Export);
    connect(m_pButtons, &QDialogButtonBox::rejected, this, &CQVisitReportDialog::reject);
    pLayout->addWidget(m_pButtons);
    resize(640, 560);
}

CQVisitReportDialog::~CQVisitReportDialog()
{
    // The report under way is finished: a half-written PDF is never left.
    if (m_pThread) {
        m_pThread->wait();
        delete m_pThread;
    }
}

QString CQVisitReportDialog::SessionText(const QString& strPath) const
{
    // Inside the storage folder a session is named as the storage tree names it.
    const QString strRelative = QDir(m_strStorage).relativeFilePath(strPath);
    return QDir::toNativeSeparators(strRelative.startsWith(QLatin1String("..")) ? strPath : strRelative);
}

void CQVisitReportDialog::SetSessions(const QStringList& paths)
{
    m_pSessions->clear();
    for (const QString& strPath : paths) {
        auto* pItem = new QListWidgetItem(SessionText(strPath), m_pSessions);
        pItem->setData(Qt::UserRole, strPath);
        pItem->setFlags(pItem->flags() | Qt::ItemIsUserCheckable);
        pItem->setCheckState(Qt::Checked);
    }
}

QStringList CQVisitReportDialog::Sessions() const
{
    QStringList paths;
    for (int i = 0; i < m_pSessions->count(); ++i)
        if (m_pSessions->item(i)->checkState() == Qt::Checked)
            paths << m_pSessions->item(i)->data(Qt::UserRole).toString();
    return paths;
}

void CQVisitReportDialog::SetFindings(const QString& strText)
{
    m_pFindings->setPlainText(strText);
}

void CQVisitReportDialog::SetOutput(const QString& strPath)
{
    m_pOutput->setText(QDir::toNativeSeparators(strPath));
}

QString CQVisitReportDialog::Output() const
{
    return QDir::fromNativeSeparators(m_pOutput->text().trimmed());
}

QString CQVisitReportDialog::StatusText() const
{
    return m_pStatus->text();
}

void CQVisitReportDialog::OnAddFiles()
{
    const QStringList paths = m_fnChooseFiles(this, tr("Add sessions"), m_strStorage);
    for (const QString& strPath : paths) {
        if (Sessions().contains(strPath))
            continue;
        auto* pItem = new QListWidgetItem(SessionText(strPath), m_pSessions);
        pItem->setData(Qt::UserRole, strPath);
        pItem->setFlags(pItem->flags() | Qt::ItemIsUserCheckable);
        pItem->setCheckState(Qt::Checked);
    }
}

void CQVisitReportDialog::OnLoadFindings()
{
    const QString strPath = m_fnChooseFile(this, tr("Findings and recommendations"), m_strStorage);
    if (strPath.isEmpty())
        return;
    const QFileInfo info(strPath);
    QFile file(strPath);
    // A device or a pipe would never end; a huge file is not a text someone wrote.
    if (!info.isFile() || info.size() > kMaxFindings) {
        m_pStatus->setText(tr("%1 is not a text file of findings.").arg(QDir::toNativeSeparators(strPath)));
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        m_pStatus->setText(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(strPath), file.errorString()));
        return;
    }
    m_pFindings->setPlainText(QString::fromUtf8(file.read(kMaxFindings)));
    m_pStatus->clear();
}

void CQVisitReportDialog::OnBrowseOutput()
{
    const QString strPath = m_fnChooseSaveFile(this, tr("Export Report"), Output());
    if (!strPath.isEmpty())
        SetOutput(strPath.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive) ? strPath
                                                                                 : strPath + QStringLiteral(".pdf"));
}

void CQVisitReportDialog::SetRunning(bool bRunning)
{
    m_pProgress->setVisible(bRunning);
    for (QWidget* pWidget : {static_cast<QWidget*>(m_pSessions), static_cast<QWidget*>(m_pFindings),
                             static_cast<QWidget*>(m_pOutput), static_cast<QWidget*>(m_pExport)})
        pWidget->setEnabled(!bRunning);
    if (QPushButton* pCancel = m_pButtons->button(QDialogButtonBox::Cancel))
        pCancel->setEnabled(!bRunning);
}

void CQVisitReportDialog::Fail(const QString& strText)
{
    m_pStatus->setText(tr("The report was not written: %1").arg(strText));
    Q_EMIT Finished(false, m_pStatus->text());
}

void CQVisitReportDialog::Export()
{
    if (m_pThread)
        return;
    CVisitAssembler::Request request;
    request.strStorage = m_strStorage;
    request.files = Sessions();
    request.strFindings = m_pFindings->toPlainText();
    const QString strOut = Output();
    if (request.files.isEmpty())
        return Fail(tr("no session is chosen."));
    if (strOut.isEmpty())
        return Fail(tr("no report file is given."));
    if (QFileInfo(strOut).isDir())
        return Fail(tr("%1 is a folder.").arg(QDir::toNativeSeparators(strOut)));

    m_pStatus->setText(tr("Writing the report..."));
    SetRunning(true);
    auto outcome = std::make_shared<Outcome>();
    m_pThread = QThread::create([request, strOut, outcome] {
        CVisitReportData data;
        CReportManifest manifest;
        QString strError;
        if (!CVisitAssembler::Assemble(request, data, manifest, &strError, &outcome->warnings)) {
            outcome->strText = strError;
            return;
        }
        if (!CVisitReport(data).Write(strOut, &strError)) {
            outcome->strText = strError;
            return;
        }
        if (!CVisitAssembler::WriteManifest(manifest, strOut, &strError)) {
            // A manifest of an earlier report beside this one would vouch for other files.
            QFile::remove(CVisitAssembler::ManifestPathFor(strOut));
            outcome->strText = strError;
            return;
        }
        outcome->bOk = true;
    });
    connect(m_pThread, &QThread::finished, this, [this, outcome, strOut] {
        m_pThread->deleteLater();
        m_pThread = nullptr;
        SetRunning(false);
        if (!outcome->bOk)
            return Fail(outcome->strText);
        QString strText = tr("The report has been written to %1, its manifest to %2.")
                              .arg(QDir::toNativeSeparators(strOut),
                                   QDir::toNativeSeparators(CVisitAssembler::ManifestPathFor(strOut)));
        m_pStatus->setText(strText + (outcome->warnings.isEmpty()
                                          ? QString()
                                          : QLatin1Char('\n') + outcome->warnings.join(QLatin1Char('\n'))));
        Q_EMIT Finished(true, strText);
        accept();
    });
    m_pThread->start();
}

void CQVisitReportDialog::reject()
{
    // The dialog stays while the report is written: its outcome is told here.
    if (m_pThread)
        return;
    QDialog::reject();
}
