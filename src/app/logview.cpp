#include "logview.h"

#include "statusmessage.h"
#include "idevice.h"
#include "kv520protocol.h"
#include "logdownload.h"
#include "progressdialog.h"
#include "qdiagramwidget.h"
#include "qsmarttreewidgetitem.h"
#include "recorddiagram.h"
#include "sessionplacedialog.h"
#include "sidecar.h"
#include "storagebrowser.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMutexLocker>
#include <QMessageBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>

#include <limits>

namespace {

constexpr int kDoneMessageMs = 10000;
constexpr int kListTab = 1;

} // namespace

CLogView::CLogView(CQDiagramWidget* pGraph, QTreeWidget* pList, QTabWidget* pTabs, QLabel* pNumEventsLabel,
                   QLineEdit* pNumEventsEdit, QWidget* pDialogParent, QStatusBar* pStatusBar, QObject* pParent)
    : QObject(pParent)
    , m_pGraph(pGraph)
    , m_pList(pList)
    , m_pTabs(pTabs)
    , m_pNumEventsLabel(pNumEventsLabel)
    , m_pNumEventsEdit(pNumEventsEdit)
    , m_pDialogParent(pDialogParent)
    , m_pStatusBar(pStatusBar)
{
    if (!m_pList)
        return;
    connect(m_pList->header(), &QHeaderView::sectionResized, this,
            [this](int nSection, int, int) { OnSectionResized(nSection); });
    m_pList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_pList, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        QMenu menu(m_pList);
        QAction* pAction = menu.addAction(tr("Set Site and Room..."), this, &CLogView::OnSetPlaceAction);
        pAction->setEnabled(m_strShownFile.endsWith(QLatin1String(".ldf")) && m_pList->topLevelItemCount() > 0);
        if (m_FillSessionMenu && !m_strShownFile.isEmpty()) {
            menu.addSeparator();
            m_FillSessionMenu(&menu, m_strShownFile);
        }
        menu.exec(m_pList->viewport()->mapToGlobal(pos));
    });
}

bool CLogView::SetSessionPlace(const CSweepContext& place)
{
    if (!m_strShownFile.endsWith(QLatin1String(".ldf")))
        return false;
    QString strError;
    if (!CSidecar::SetPlace(m_strShownFile, place, &strError)) {
        ShowMessage(tr("The site and room could not be kept: %1").arg(strError), kDoneMessageMs);
        return false;
    }
    ShowMessage(tr("Site and room of %1 set").arg(QFileInfo(m_strShownFile).fileName()), kDoneMessageMs);
    Q_EMIT SessionPlaceChanged(m_strShownFile);
    return true;
}

void CLogView::OnSetPlaceAction()
{
    CSidecar sidecar;
    CSidecar::Read(m_strShownFile, sidecar);
    CSessionPlaceDialog dialog(QFileInfo(m_strShownFile).completeBaseName(), sidecar.m_Context,
                               m_KnownValues ? m_KnownValues() : QVariantMap(), m_pDialogParent);
    if (dialog.exec() == QDialog::Accepted)
        SetSessionPlace(dialog.Place());
}

void CLogView::OnSectionResized(int nSection)
{
    if (m_bFitting || !m_pList)
        return;
    // The stretched last column follows the window, not the user.
    const QHeaderView* pHeader = m_pList->header();
    if (pHeader->stretchLastSection() && nSection == pHeader->count() - 1)
        return;
    m_bAutoWidths = false;
}

void CLogView::RestoreColumnWidths(const QList<int>& widths)
{
    if (!m_pList)
        return;
    m_bAutoWidths = widths.isEmpty();
    if (m_bAutoWidths) {
        FitColumns();
        return;
    }
    m_bFitting = true;
    for (int i = 0; i < widths.size() && i < m_pList->columnCount(); ++i)
        m_pList->setColumnWidth(i, qMax(widths[i], 8));
    m_bFitting = false;
}

void CLogView::FitColumns()
{
    if (!m_pList)
        return;
    m_bFitting = true;
    for (int i = 0; i < m_pList->columnCount(); ++i)
        m_pList->resizeColumnToContents(i);
    m_bFitting = false;
}

void CLogView::InitLogList()
{
    if (!m_pList)
        return;
    m_bFitting = true;
    m_pList->setHeaderLabels(HeaderLabels());
    m_bFitting = false;
    if (!m_bSortChosen) {
        // The header's own default is descending, which opened the list backwards;
        // later the user's choice of column and order stays.
        m_pList->sortByColumn(ColAlarmTime, Qt::AscendingOrder);
        m_bSortChosen = true;
    }
    // Translated titles are longer or shorter than the old ones.
    if (m_bAutoWidths)
        FitColumns();
}

void CLogView::FillLogList(const QList<CDeviceRecord>& records)
{
    if (!m_pList)
        return;
    // Sorting while rows go in would sort once per row; once at the end is enough.
    const bool bSorting = m_pList->isSortingEnabled();
    m_pList->setSortingEnabled(false);
    m_pList->clear();
    const QBrush foreground(Qt::white, Qt::SolidPattern);
    const QBrush background(Qt::blue, Qt::SolidPattern);
    QList<QTreeWidgetItem*> items;
    items.reserve(records.size());
    int nRow = 0;
    for (const CDeviceRecord& record : records) {
        auto* pItem = new CQSmartTreeWidgetItem;
        pItem->setData(ColNum, RecordRole, nRow);
        const QStringList texts = RowTexts(record, ++nRow);
        const unsigned nHighlight = HighlightMask(record);
        for (int c = 0; c < ColumnCount; ++c) {
            pItem->setText(c, texts[c]);
            if (c != ColComment)
                pItem->setTextAlignment(c, Qt::AlignHCenter);
            if (nHighlight & (1u << c)) {
                pItem->setForeground(c, foreground);
                pItem->setBackground(c, background);
            }
        }
        items << pItem;
    }
    m_pList->addTopLevelItems(items);
    m_pList->setSortingEnabled(bSorting);
    if (m_bAutoWidths)
        FitColumns();
}

void CLogView::ShowFileData(const QList<CDeviceRecord>& records, int nVersion)
{
    m_RecordTimes.clear();
    m_RecordTimes.reserve(records.size());
    for (const CDeviceRecord& record : records)
        m_RecordTimes << record.m_nTime;
    if (!m_pGraph)
        return;
    m_pGraph->ClearAll(true);
    if (records.isEmpty()) {
        m_pGraph->update();
        return;
    }
    const bool bLog = nVersion == 2;
    CRecordDiagram::SetupSignals(m_pGraph, nVersion, bLog);
    qint64 nMin = std::numeric_limits<qint64>::max();
    qint64 nMax = std::numeric_limits<qint64>::min();
    for (const CDeviceRecord& record : records) {
        nMin = qMin<qint64>(nMin, record.m_nTime);
        nMax = qMax<qint64>(nMax, record.m_nTime);
    }
    // Two seconds of margin so the first and last samples are not drawn on the frame.
    const QVariant vMin = QVariant::fromValue<quint64>(quint64(nMin - 2));
    const QVariant vMax = QVariant::fromValue<quint64>(quint64(nMax + 2));
    m_pGraph->SetXRange(vMin, vMax, 1.0, false);
    m_pGraph->SetXVisible(vMin, vMax);
    for (const CDeviceRecord& record : records)
        CRecordDiagram::AddRecord(m_pGraph, record, bLog);
    m_pGraph->update();
}

void CLogView::ShowFile(const QList<CDeviceRecord>& records, int nVersion)
{
    ShowFileData(records, nVersion);
    const bool bLog = nVersion == 2;
    if (m_pTabs)
        m_pTabs->setTabEnabled(kListTab, bLog);
    if (bLog) {
        FillLogList(records);
        if (m_pNumEventsEdit)
            m_pNumEventsEdit->setText(QString::number(records.size()));
    } else if (m_pList) {
        m_pList->clear();
    }
    if (m_pNumEventsLabel)
        m_pNumEventsLabel->setVisible(bLog);
    if (m_pNumEventsEdit)
        m_pNumEventsEdit->setVisible(bLog);
}

bool CLogView::ShowRecord(qint64 nIndex)
{
    if (nIndex < 0 || nIndex >= m_RecordTimes.size())
        return false;
    const qint64 nTime = m_RecordTimes[nIndex];
    if (m_pGraph) {
        CDiagramAxis& axis = m_pGraph->Axis();
        {
            QMutexLocker lock(&CDiagramAxis::Mutex());
            const qint64 nDataMin = qint64(axis.m_vDataMin.toULongLong());
            const qint64 nDataMax = qint64(axis.m_vDataMax.toULongLong());
            const qint64 nVisible = qint64(axis.m_vVisibleMax.toULongLong()) - qint64(axis.m_vVisibleMin.toULongLong());
            // A window the user zoomed into stays as narrow as it was.
            const qint64 nSpan = nVisible > 0 ? qMin(nVisible, kRecordWindowSecs) : kRecordWindowSecs;
            qint64 nStart = nTime - nSpan / 2;
            nStart = qMax(nDataMin, qMin(nStart, nDataMax - nSpan));
            const qint64 nEnd = qMin(nDataMax, nStart + nSpan);
            nStart = qMax(nDataMin, nEnd - nSpan);
            m_pGraph->SetXVisible(QVariant::fromValue<quint64>(quint64(nStart)), QVariant::fromValue<quint64>(quint64(nEnd)));
        }
        m_pGraph->update();
    }
    if (m_pList) {
        for (int i = 0; i < m_pList->topLevelItemCount(); ++i) {
            QTreeWidgetItem* pItem = m_pList->topLevelItem(i);
            if (pItem->data(ColNum, RecordRole).toLongLong() != nIndex)
                continue;
            m_pList->setCurrentItem(pItem);
            m_pList->scrollToItem(pItem, QAbstractItemView::PositionAtCenter);
            break;
        }
    }
    return true;
}

void CLogView::ShowMessage(const QString& strText, int nTimeoutMs)
{
    CStatusMessage::Show(m_pStatusBar, strText, nTimeoutMs);
}

void CLogView::OnDownloadButton()
{
    const QString strTitle = QCoreApplication::applicationName();
    if (!g_pDevice || !g_pDevice->IsConnected()) {
        QMessageBox::warning(m_pDialogParent, strTitle, tr("No connection with the device!"), QMessageBox::Ok);
        return;
    }
    ShowMessage(tr("Downloading the log..."));
    CLogDownload download(*g_pDevice);
    CProgressDialog dialog(tr("Reading the log from the internal flash memory"), download.Progress(),
                           KV520::kProgressDone, KV520::kProgressFailed, m_pDialogParent);
    dialog.setWindowTitle(strTitle);
    for (;;) {
        download.Start();
        if (dialog.exec() == QDialog::Accepted)
            break;
        // Nothing is downloading while the question is up.
        ShowMessage(QString());
        if (QMessageBox::question(m_pDialogParent, strTitle, tr("An error occured reading the log. Retry?"),
                                  QMessageBox::Yes | QMessageBox::No)
            != QMessageBox::Yes) {
            // "Downloading..." must not stay up for good after the user gave up.
            ShowMessage(tr("The log could not be read."), kDoneMessageMs);
            return;
        }
        ShowMessage(tr("Downloading the log..."));
    }
    ShowMessage(tr("Parsing the log..."));
    QTreeWidgetItem* pTarget = m_pStorage ? m_pStorage->TargetFolderItem() : nullptr;
    const QString strFolder = m_pStorage ? m_pStorage->GetItemPath(pTarget) : QString();
    const CLogDownload::Result result = download.Save(strFolder);
    const auto TellDownloaded = [&] {
        QStringList paths;
        for (const QString& strName : result.files)
            paths << QDir(strFolder).filePath(strName);
        Q_EMIT LogDownloaded(paths);
    };
    switch (result.eOutcome) {
    case CLogDownload::Outcome::Failed: {
        ShowMessage(QString());
        QString strText = tr("An error occured parsing log!");
        if (!result.strError.isEmpty())
            strText += QLatin1Char('\n') + result.strError;
        QMessageBox::warning(m_pDialogParent, strTitle, strText, QMessageBox::Ok);
        return;
    }
    case CLogDownload::Outcome::Cut: {
        // What was read is stored, but the user must know the rest is missing.
        TellDownloaded();
        if (m_pStorage && pTarget)
            m_pStorage->FillStorageFolder(pTarget, strFolder);
        ShowMessage(tr("The log has been read only in part"), kDoneMessageMs);
        QMessageBox::warning(m_pDialogParent, strTitle,
                             tr("The log has been read only in part: %1 blocks were read and stored, the rest of the "
                                "detector's log was not read.")
                                 .arg(result.nBlocks),
                             QMessageBox::Ok);
        return;
    }
    case CLogDownload::Outcome::NoEvents:
        ShowMessage(QString());
        QMessageBox::information(m_pDialogParent, strTitle, tr("The log has been read, but it holds no events."),
                                 QMessageBox::Ok);
        return;
    case CLogDownload::Outcome::Saved:
        break;
    }
    TellDownloaded();
    // Parsing is over before the box tells of it.
    if (m_pStorage && pTarget)
        m_pStorage->FillStorageFolder(pTarget, strFolder);
    ShowMessage(tr("The log has been downloaded and parsed"), kDoneMessageMs);
    QMessageBox::information(m_pDialogParent, strTitle, tr("The log has been successfully read!"), QMessageBox::Ok);
}

