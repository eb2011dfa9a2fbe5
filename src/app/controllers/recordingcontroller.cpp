#include "recordingcontroller.h"

#include "idevice.h"
#include "realtimerecorder.h"
#include "recordfeed.h"
#include "statusmessage.h"
#include "storagebrowser.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>
#include <QSettings>
#include <QSignalBlocker>
#include <QFileInfo>
#include <QTreeWidget>

namespace {
const char kRecordKey[] = "Realtime/RecordToFile";
} // namespace

CRecordingController::CRecordingController(CRecordFeed* pFeed, CStorageBrowser* pStorage, QTreeWidget* pStorageTree,
                                           QAction* pRecordAction, QWidget* pDialogParent, QStatusBar* pBar,
                                           QObject* pParent)
    : QObject(pParent)
    , m_pFeed(pFeed)
    , m_pStorage(pStorage)
    , m_pStorageTree(pStorageTree)
    , m_pRecordAction(pRecordAction)
    , m_pDialogParent(pDialogParent)
    , m_pBar(pBar)
    , m_pRecorder(std::make_unique<CRealtimeRecorder>())
{
    const bool bRecord = QSettings().value(QLatin1String(kRecordKey), true).toBool();
    m_pRecordAction->setChecked(bRecord);
    m_pRecorder->SetEnabled(bRecord);
    connect(m_pRecordAction, &QAction::toggled, this, &CRecordingController::OnRecordToFileAction);
    m_pFeed->Subscribe(m_pRecorder.get());
    m_pRecorder->SetDetectorSource([] { return g_pDevice; });
}

CRecordingController::~CRecordingController() = default;

QString CRecordingController::RecordingFolder() const
{
    return QDir(m_pStorage->StorageFolder()).filePath(QStringLiteral("Recordings"));
}

int64_t CRecordingController::PollFeed()
{
    // Taken when the next file begins; the storage folder may change meanwhile.
    if (!m_pRecorder->IsWriting())
        m_pRecorder->SetFolder(RecordingFolder());
    m_pFeed->SetDevice(g_pDevice);
    return m_pFeed->Poll();
}

void CRecordingController::Poll(bool bConnected)
{
    const int64_t nTotal = m_pFeed->Next();
    if (!m_pRecorder->Tick(bConnected)) {
        CStatusMessage::Show(m_pBar, tr("Recording stopped: %1").arg(m_pRecorder->Error()));
        // Off for this run only: the stored choice stays for the next start.
        const QSignalBlocker blocker(m_pRecordAction);
        m_pRecordAction->setChecked(false);
    }
    // The first recording in a storage folder makes its "Recordings" folder,
    // which the tree shows at once rather than at the next refill; so is each
    // new file in it (a room change starts one while recording goes on).
    const QString strFile = m_pRecorder->FilePath();
    if (!strFile.isEmpty() && strFile != m_strRecordingFile) {
        m_strRecordingFile = strFile;
        QTreeWidgetItem* pRoot = m_pStorageTree->topLevelItem(0);
        QTreeWidgetItem* pFolder = nullptr;
        for (int i = 0; pRoot && i < pRoot->childCount() && !pFolder; ++i)
            if (pRoot->child(i)->text(0) == QLatin1String("Recordings"))
                pFolder = pRoot->child(i);
        if (pRoot && !pFolder) {
            m_pStorage->FillStorageTree();
        } else if (pFolder && !m_pStorage->FindFileItem(strFile)) {
            m_pStorage->AddRealtimeItem(pFolder, QFileInfo(strFile).fileName());
            CStorageBrowser::SortChildren(pFolder);
        }
    }
    if (nTotal < m_nSavedTotal)
        m_nSavedTotal = 0;
    if (m_pRecorder->IsEnabled() && !m_pRecorder->HasFailed())
        m_nSavedTotal = nTotal;
}

void CRecordingController::Finish(bool bConnected)
{
    PollFeed();
    Poll(bConnected);
    m_pRecorder->Close();
}

bool CRecordingController::HasUnsavedRecords()
{
    if (m_pRecorder->IsEnabled() && !m_pRecorder->HasFailed())
        return false;
    PollFeed();
    return m_pFeed->Next() > m_nSavedTotal;
}

bool CRecordingController::SaveCollectedData()
{
    PollFeed();
    const int64_t nTotal = m_pFeed->Next();
    g_pDevice->SetSweepContext(m_Context);
    m_pStorage->OnRealtimeSaveButton();
    if (!g_pDevice->GetLastFileError().isEmpty())
        return false;
    Q_EMIT DataSaved();
    // The save takes its snapshot after this count was read, so at least
    // these records are in the file.
    m_nSavedTotal = qMax(m_nSavedTotal, nTotal);
    return true;
}

bool CRecordingController::SaveOrDiscardCollected(const QString& strQuestion)
{
    if (!HasUnsavedRecords())
        return true;
    QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(), strQuestion,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, m_pDialogParent);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    const int nAnswer = box.exec();
    if (nAnswer == QMessageBox::Save)
        return SaveCollectedData();
    return nAnswer == QMessageBox::Discard;
}

void CRecordingController::OnRecordToFileAction(bool bChecked)
{
    QSettings().setValue(QLatin1String(kRecordKey), bChecked);
    m_pRecorder->SetEnabled(bChecked);
    if (bChecked)
        CStatusMessage::Show(m_pBar, tr("Recording to %1").arg(QDir::toNativeSeparators(RecordingFolder())), 10000);
}

void CRecordingController::SetSweepContext(const CSweepContext& context)
{
    m_Context = context;
    // The records of the old room that the device stored already go into the old room's file.
    if (m_pRecorder->IsWriting() && m_pRecorder->SweepContext() != context)
        PollFeed();
    m_pRecorder->SetSweepContext(context);
    if (g_pDevice)
        g_pDevice->SetSweepContext(context);
}

void CRecordingController::OnConnected()
{
    m_pRecorder->SetDetector(g_pDevice->GetPortName(), g_pDevice->GetUsbSerial());
}
