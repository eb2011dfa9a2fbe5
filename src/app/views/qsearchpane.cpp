#include "qsearchpane.h"

#include "devicerecord.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFileInfo>
#include <QFont>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString KindName(int nKind)
{
    return nKind > 0 && nKind < kSignalKindCount ? SignalKindName(nKind).trimmed() : QString();
}

QString LevelText(double dLevel)
{
    return QString::number(dLevel, 'f', 1);
}

QDateTime Captured(const CCaptureTime& capture, int64_t nInstantMs)
{
    return QDateTime::fromMSecsSinceEpoch(nInstantMs, Qt::OffsetFromUTC, capture.m_nUtcOffsetSecs);
}

} // namespace

CQSearchPane::CQSearchPane(QWidget* pParent) : QDockWidget(pParent)
{
    setObjectName(QStringLiteral("m_pSearchDock"));
    auto* pBody = new QWidget(this);
    auto* pLayout = new QVBoxLayout(pBody);

    auto* pForm = new QFormLayout;
    pForm->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    const QDate today = QDate::currentDate();
    const auto dateRow = [&](QCheckBox*& pBox, QDateEdit*& pEdit, const QDate& date) {
        pBox = new QCheckBox(pBody);
        pEdit = new QDateEdit(date, pBody);
        pEdit->setCalendarPopup(true);
        pEdit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        pEdit->setEnabled(false);
        pEdit->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        connect(pBox, &QCheckBox::toggled, pEdit, &QWidget::setEnabled);
        pForm->addRow(pBox, pEdit);
    };
    dateRow(m_pFromBox, m_pFrom, today.addMonths(-1));
    dateRow(m_pToBox, m_pTo, today);

    const auto choiceRow = [&](QLabel*& pLabel, QComboBox*& pBox) {
        pLabel = new QLabel(pBody);
        pBox = new QComboBox(pBody);
        pBox->setEditable(true);
        pBox->setInsertPolicy(QComboBox::NoInsert);
        pBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        pBox->setMinimumContentsLength(10);
        pLabel->setBuddy(pBox);
        // Enter in the typed text searches at once.
        connect(pBox->lineEdit(), &QLineEdit::returnPressed, this, &CQSearchPane::Search);
        pForm->addRow(pLabel, pBox);
    };
    choiceRow(m_pSiteLabel, m_pSite);
    choiceRow(m_pRoomLabel, m_pRoom);

    m_pKindsLabel = new QLabel(pBody);
    auto* pKinds = new QGridLayout;
    // Two columns keep the pane narrow enough to sit beside the panes on a small screen.
    constexpr int kKindColumns = 2;
    for (int k = 1; k < kSignalKindCount; ++k) {
        auto* pKind = new QCheckBox(KindName(k), pBody);
        pKinds->addWidget(pKind, (k - 1) / kKindColumns, (k - 1) % kKindColumns);
        m_Kinds << pKind;
    }
    pForm->addRow(m_pKindsLabel, pKinds);

    m_pLevelBox = new QCheckBox(pBody);
    m_pLevel = new QDoubleSpinBox(pBody);
    m_pLevel->setRange(0.0, 127.5);
    m_pLevel->setDecimals(1);
    m_pLevel->setValue(60.0);
    m_pLevel->setSuffix(QStringLiteral(" dB"));
    m_pLevel->setEnabled(false);
    m_pLevel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(m_pLevelBox, &QCheckBox::toggled, m_pLevel, &QWidget::setEnabled);
    pForm->addRow(m_pLevelBox, m_pLevel);
    pLayout->addLayout(pForm);

    auto* pButtons = new QHBoxLayout;
    m_pAlarmsOnly = new QCheckBox(pBody);
    pButtons->addWidget(m_pAlarmsOnly);
    pButtons->addStretch(1);
    m_pSearchButton = new QPushButton(pBody);
    m_pSearchButton->setDefault(true);
    connect(m_pSearchButton, &QPushButton::clicked, this, &CQSearchPane::Search);
    pButtons->addWidget(m_pSearchButton);
    pLayout->addLayout(pButtons);

    m_pResults = new QTreeWidget(pBody);
    m_pResults->setColumnCount(ColumnCount);
    m_pResults->setUniformRowHeights(true);
    m_pResults->setAlternatingRowColors(true);
    m_pResults->setRootIsDecorated(true);
    m_pResults->header()->setStretchLastSection(true);
    connect(m_pResults, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* pItem) { OnItemActivated(pItem); });
    m_pResults->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_pResults, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (QMenu* pMenu = SessionMenu(m_pResults->itemAt(pos))) {
            pMenu->setAttribute(Qt::WA_DeleteOnClose);
            pMenu->popup(m_pResults->viewport()->mapToGlobal(pos));
        }
    });
    pLayout->addWidget(m_pResults, 1);

    m_pStatus = new QLabel(pBody);
    m_pStatus->setWordWrap(true);
    pLayout->addWidget(m_pStatus);

    setWidget(pBody);
    Retranslate();
}

CQSearchPane::~CQSearchPane() = default;

void CQSearchPane::Retranslate()
{
    setWindowTitle(tr("Search"));
    m_pFromBox->setText(tr("From"));
    m_pToBox->setText(tr("To"));
    m_pSiteLabel->setText(tr("Si&te:"));
    m_pRoomLabel->setText(tr("Roo&m:"));
    m_pSite->lineEdit()->setPlaceholderText(tr("any"));
    m_pRoom->lineEdit()->setPlaceholderText(tr("any"));
    m_pKindsLabel->setText(tr("Signals:"));
    m_pLevelBox->setText(tr("Level at least"));
    m_pAlarmsOnly->setText(tr("Alarms only"));
    m_pSearchButton->setText(tr("Search"));
    m_pResults->setHeaderLabels(
        {tr("Time"), tr("Event"), tr("Signal"), tr("Level, dB"), tr("Room"), tr("Site"), tr("File")});
    m_pResults->setAccessibleName(tr("Search results"));
}

void CQSearchPane::changeEvent(QEvent* pEvent)
{
    QDockWidget::changeEvent(pEvent);
    if (pEvent->type() != QEvent::LanguageChange)
        return;
    Retranslate();
    // The results' own words ("alarm", "Log") follow the language too.
    if (m_bSearched)
        Run(m_LastQuery);
    else
        EnsureOpen();
}

void CQSearchPane::showEvent(QShowEvent* pEvent)
{
    QDockWidget::showEvent(pEvent);
    if (m_bSized || isFloating())
        return;
    m_bSized = true;
    // The results have seven columns: a dock of its bare hint would hide most of them.
    if (auto* pWindow = qobject_cast<QMainWindow*>(parentWidget()))
        pWindow->resizeDocks({this}, {std::max(sizeHint().width(), pWindow->width() * 2 / 5)}, Qt::Horizontal);
}

void CQSearchPane::SetStorage(const QString& strFolder)
{
    m_pCatalogue.reset();
    m_strStorage = strFolder.isEmpty() ? QString() : QDir(strFolder).absolutePath();
    m_bSearched = false;
    m_pResults->clear();
    ShowStatus(QString());
    FillChoices();
}

QString CQSearchPane::StatusText() const
{
    return m_pStatus->text();
}

void CQSearchPane::ShowStatus(const QString& strText)
{
    m_pStatus->setText(strText);
    m_pStatus->setVisible(!strText.isEmpty());
}

bool CQSearchPane::EnsureOpen()
{
    if (m_pCatalogue && m_pCatalogue->IsOpen())
        return true;
    if (m_strStorage.isEmpty())
        return false;
    auto pCatalogue = std::make_unique<CCatalogue>(m_strStorage);
    // Reading only: building the catalogue is the catalogue worker's, off this thread.
    if (!QFileInfo(pCatalogue->DatabasePath()).isFile()) {
        ShowStatus(tr("There is no catalogue in this storage folder yet: the search finds nothing until the "
                      "files are catalogued."));
        return false;
    }
    QString strError;
    if (!pCatalogue->Open(&strError)) {
        ShowStatus(tr("The catalogue could not be opened: %1").arg(strError));
        return false;
    }
    m_DatabaseBirth = QFileInfo(pCatalogue->DatabasePath()).birthTime();
    m_pCatalogue = std::move(pCatalogue);
    // A "no catalogue" said before it was made is no longer so.
    ShowStatus(QString());
    return true;
}

void CQSearchPane::FillChoices()
{
    if (!EnsureOpen())
        return;
    const auto fill = [this](QComboBox* pBox, CCatalogue::Field eField) {
        QString strError;
        const QStringList values = m_pCatalogue->DistinctValues(eField, &strError);
        if (!strError.isEmpty())
            return;
        // What the user typed stays.
        const QString strTyped = pBox->currentText();
        const QSignalBlocker block(pBox);
        pBox->clear();
        pBox->addItem(QString());
        pBox->addItems(values);
        pBox->setCurrentText(strTyped);
    };
    fill(m_pSite, CCatalogue::Field::Site);
    fill(m_pRoom, CCatalogue::Field::Room);
}

CCatalogue::Query CQSearchPane::CurrentQuery() const
{
    CCatalogue::Query query;
    // Dates as the user reads them: whole days of this PC's calendar.
    if (m_pFromBox->isChecked())
        query.nFromMs = m_pFrom->date().startOfDay().toMSecsSinceEpoch();
    if (m_pToBox->isChecked())
        query.nToMs = m_pTo->date().addDays(1).startOfDay().toMSecsSinceEpoch();
    query.strSite = m_pSite->currentText().trimmed();
    query.strRoom = m_pRoom->currentText().trimmed();
    for (int i = 0; i < m_Kinds.size(); ++i)
        if (m_Kinds[i]->isChecked())
            query.kinds << i + 1;
    if (m_pLevelBox->isChecked())
        query.dMinLevel = m_pLevel->value();
    query.bAlarmsOnly = m_pAlarmsOnly->isChecked();
    return query;
}

void CQSearchPane::Search()
{
    Run(CurrentQuery());
}

void CQSearchPane::Refresh()
{
    // A catalogue found damaged is replaced by a rebuilt file, which the old
    // connection would never see; an unchanged file keeps its connection,
    // since opening checks the whole database.
    if (m_pCatalogue) {
        const QFileInfo database(m_pCatalogue->DatabasePath());
        if (!database.isFile() || !m_DatabaseBirth.isValid() || database.birthTime() != m_DatabaseBirth)
            m_pCatalogue.reset();
    }
    FillChoices();
    if (m_bSearched)
        Run(m_LastQuery);
}

QString CQSearchPane::Absolute(const QString& strRelative) const
{
    return QDir(m_strStorage).filePath(strRelative);
}

void CQSearchPane::Run(const CCatalogue::Query& query)
{
    m_LastQuery = query;
    m_bSearched = true;
    m_pResults->clear();
    if (!EnsureOpen())
        return;
    QString strError;
    const QList<CCatalogue::FileRow> files = m_pCatalogue->FindFiles(query, &strError);
    const QList<CCatalogue::EventRow> events =
        strError.isEmpty() ? m_pCatalogue->FindEvents(query, &strError) : QList<CCatalogue::EventRow>();
    if (!strError.isEmpty()) {
        // Next time the connection is made anew: a locked or replaced database may be fine again.
        m_pCatalogue.reset();
        ShowStatus(tr("The search failed: %1").arg(strError));
        return;
    }

    const auto timeText = [](const CCaptureTime& capture, int64_t nInstantMs) {
        // A year and zone taken from the file's date are marked, as everywhere.
        return Captured(capture, nInstantMs).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
            + (capture.m_bGuessed ? QStringLiteral("?") : QString());
    };
    QHash<QString, QTreeWidgetItem*> sessions;
    QList<QTreeWidgetItem*> top;
    const auto sessionItem = [&](const QString& strPath) {
        auto* pItem = new QTreeWidgetItem;
        pItem->setData(0, PathRole, Absolute(strPath));
        pItem->setData(0, PositionRole, qint64(-1));
        pItem->setText(ColFile, strPath);
        pItem->setToolTip(ColFile, QDir::toNativeSeparators(Absolute(strPath)));
        MarkBaseline(pItem);
        sessions.insert(strPath, pItem);
        top << pItem;
        return pItem;
    };
    for (const CCatalogue::FileRow& file : files) {
        QTreeWidgetItem* pItem = sessionItem(file.strPath);
        pItem->setText(ColTime, timeText(file.capture, file.nFirstMs));
        pItem->setToolTip(ColTime, tr("%1 to %2").arg(file.capture.IsoText(file.nFirstMs),
                                                      file.capture.IsoText(file.nLastMs)));
        pItem->setText(ColEvent, file.bLog ? tr("Log") : tr("Recording"));
        pItem->setText(ColLevel,
                       LevelText(*std::max_element(std::begin(file.maxLevels), std::end(file.maxLevels))));
        pItem->setText(ColRoom, file.context.m_strRoom);
        pItem->setText(ColSite, file.context.Site());
    }
    const int nShown = int(std::min<qsizetype>(events.size(), kMaxEvents));
    for (int i = 0; i < nShown; ++i) {
        const CCatalogue::EventRow& event = events[i];
        QTreeWidgetItem* pParent = sessions.value(event.strPath);
        if (!pParent) {
            // Its session was not among the sessions found: listed all the same.
            pParent = sessionItem(event.strPath);
            pParent->setText(ColEvent, event.bLog ? tr("Log") : tr("Recording"));
            pParent->setText(ColRoom, event.strRoom);
            pParent->setText(ColSite, event.strSite);
        }
        auto* pItem = new QTreeWidgetItem(pParent);
        pItem->setData(0, PathRole, Absolute(event.strPath));
        pItem->setData(0, PositionRole, qint64(event.nPosition));
        pItem->setText(ColTime, timeText(event.capture, event.nInstantMs));
        pItem->setToolTip(ColTime, event.capture.IsoText(event.nInstantMs));
        pItem->setText(ColEvent, event.bAlarm ? tr("alarm") : tr("event"));
        pItem->setText(ColSignal, KindName(event.nSignal));
        pItem->setText(ColLevel, LevelText(event.dLevel));
        pItem->setToolTip(ColLevel, event.strLevels);
        pItem->setText(ColFile, tr("record %1").arg(event.nPosition + 1));
        pItem->setTextAlignment(ColLevel, Qt::AlignRight | Qt::AlignVCenter);
    }
    for (QTreeWidgetItem* pItem : top)
        pItem->setTextAlignment(ColLevel, Qt::AlignRight | Qt::AlignVCenter);
    m_pResults->addTopLevelItems(top);
    m_pResults->expandAll();
    for (int c = 0; c < ColumnCount - 1; ++c)
        m_pResults->resizeColumnToContents(c);

    QString strStatus = tr("Sessions: %1, events: %2").arg(top.size()).arg(events.size());
    if (nShown < events.size())
        strStatus += QLatin1Char(' ') + tr("(the first %1 are listed; narrow the search to see the rest)").arg(nShown);
    ShowStatus(strStatus);
}

void CQSearchPane::OnItemActivated(QTreeWidgetItem* pItem)
{
    if (!pItem)
        return;
    Q_EMIT OpenRequested(pItem->data(0, PathRole).toString(), pItem->data(0, PositionRole).toLongLong());
}

void CQSearchPane::MarkBaseline(QTreeWidgetItem* pItem)
{
    const QString strBaseline = m_Baselines.value(QDir::cleanPath(pItem->data(0, PathRole).toString()));
    QFont font = pItem->font(ColFile);
    font.setBold(!strBaseline.isEmpty());
    pItem->setFont(ColFile, font);
    const QString strPath = QDir::toNativeSeparators(pItem->data(0, PathRole).toString());
    pItem->setToolTip(ColFile, strBaseline.isEmpty()
                                   ? strPath
                                   : tr("Baseline of %1").arg(strBaseline) + QLatin1Char('\n') + strPath);
}

void CQSearchPane::SetBaselines(const QHash<QString, QString>& baselines)
{
    m_Baselines = baselines;
    for (int i = 0; i < m_pResults->topLevelItemCount(); ++i)
        MarkBaseline(m_pResults->topLevelItem(i));
}

QMenu* CQSearchPane::SessionMenu(QTreeWidgetItem* pItem)
{
    // Events stand for their session too: the menu is about the file.
    while (pItem && pItem->parent())
        pItem = pItem->parent();
    if (!pItem || !m_FillSessionMenu)
        return nullptr;
    auto* pMenu = new QMenu(m_pResults);
    m_FillSessionMenu(pMenu, pItem->data(0, PathRole).toString());
    return pMenu;
}
