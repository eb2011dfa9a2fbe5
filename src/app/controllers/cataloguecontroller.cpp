#include "cataloguecontroller.h"

#include "catalogueworker.h"
#include "statusmessage.h"

#include <utility>

CCatalogueController::CCatalogueController(std::function<QString()> storage, QStatusBar* pBar, QObject* pParent)
    : QObject(pParent)
    , m_Storage(std::move(storage))
    , m_pBar(pBar)
    , m_pWorker(new CCatalogueWorker)
{
    m_Thread.setObjectName(QStringLiteral("catalogue"));
    m_pWorker->moveToThread(&m_Thread);
    // Its database connection is made and closed in its own thread.
    connect(&m_Thread, &QThread::finished, m_pWorker, &QObject::deleteLater);
    connect(m_pWorker, &CCatalogueWorker::Changed, this, &CCatalogueController::OnChanged);
    connect(m_pWorker, &CCatalogueWorker::KnownValues, this, &CCatalogueController::KnownValues);
    connect(m_pWorker, &CCatalogueWorker::Failed, this, &CCatalogueController::OnFailed);
    connect(m_pWorker, &CCatalogueWorker::Notice, this,
            [this](const QString& strText) { CStatusMessage::Show(m_pBar, strText, 10000); });
    m_Timer.setInterval(kSyncMs);
    connect(&m_Timer, &QTimer::timeout, this, &CCatalogueController::OnTimer);
}

CCatalogueController::~CCatalogueController()
{
    // What is under way finishes; what is queued behind it is dropped.
    m_Thread.quit();
    m_Thread.wait();
}

void CCatalogueController::Start()
{
    if (!m_Thread.isRunning())
        m_Thread.start(QThread::LowPriority);
    m_strStorage = m_Storage();
    CCatalogueWorker* pWorker = m_pWorker;
    QMetaObject::invokeMethod(pWorker, [pWorker, strStorage = m_strStorage] { pWorker->Open(strStorage); },
                              Qt::QueuedConnection);
    m_Timer.start();
}

void CCatalogueController::IndexFiles(const QStringList& paths)
{
    if (paths.isEmpty() || !m_Thread.isRunning())
        return;
    CCatalogueWorker* pWorker = m_pWorker;
    QMetaObject::invokeMethod(pWorker, [pWorker, paths] { pWorker->IndexFiles(paths); }, Qt::QueuedConnection);
}

void CCatalogueController::SyncSoon()
{
    if (!m_Thread.isRunning())
        return;
    CCatalogueWorker* pWorker = m_pWorker;
    QMetaObject::invokeMethod(pWorker, [pWorker] { pWorker->Sync(); }, Qt::QueuedConnection);
}

void CCatalogueController::OnTimer()
{
    // Another storage folder has its own catalogue.
    if (m_Storage() != m_strStorage) {
        Start();
        return;
    }
    SyncSoon();
}

void CCatalogueController::OnFailed(int nFault, const QString& strText)
{
    if (m_nToldFaults & nFault)
        return;
    m_nToldFaults |= nFault;
    const QString strMessage =
        nFault == CCatalogueWorker::OpenFault
            ? tr("The catalogue cannot be opened (%1). Recording and downloads go on; it will be tried again.")
            : tr("The catalogue cannot be written (%1). Recording and downloads go on; it will be tried again.");
    CStatusMessage::Show(m_pBar, strMessage.arg(strText));
}

void CCatalogueController::OnChanged()
{
    m_nToldFaults = 0;
    Q_EMIT CatalogueChanged();
}
