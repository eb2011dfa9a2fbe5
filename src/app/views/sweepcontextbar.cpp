#include "sweepcontextbar.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>

namespace {

const char kClientKey[] = "Sweep/Client";
const char kAddressKey[] = "Sweep/Address";
const char kRoomKey[] = "Sweep/Room";
const char kOperatorKey[] = "Sweep/Operator";
const char kNotesKey[] = "Sweep/Notes";

QString HistoryKey(const char* pKey)
{
    return QLatin1String(pKey) + QStringLiteral("History");
}

void AddItems(QComboBox* pBox, const QStringList& values)
{
    for (const QString& strValue : values)
        if (!strValue.isEmpty() && pBox->findText(strValue, Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0)
            pBox->addItem(strValue);
}

QStringList Items(const QComboBox* pBox)
{
    QStringList items;
    for (int i = 0; i < pBox->count(); ++i)
        items << pBox->itemText(i);
    return items;
}

} // namespace

CSweepContextBar::CSweepContextBar(QWidget* pParent) : QToolBar(pParent)
{
    setObjectName(QStringLiteral("SweepContextBar"));
    m_pRecordingLabel = new QLabel(this);
    m_pRecordingLabel->setObjectName(QStringLiteral("RecordingLabel"));
    m_pRecordingLabel->setStyleSheet(QStringLiteral("QLabel { color: palette(highlighted-text);"
                                                    " background: palette(highlight); padding: 2px 6px; }"));
    m_pRecordingAction = addWidget(m_pRecordingLabel);
    m_pRecordingAction->setVisible(false);
    m_pClientBox = AddField(m_pClientLabel, kClientKey);
    m_pAddressBox = AddField(m_pAddressLabel, kAddressKey);
    m_pRoomBox = AddField(m_pRoomLabel, kRoomKey);
    m_pOperatorBox = AddField(m_pOperatorLabel, kOperatorKey);
    m_pNotesLabel = new QLabel(this);
    addWidget(m_pNotesLabel);
    m_pNotesEdit = new QLineEdit(this);
    m_pNotesEdit->setMinimumWidth(80);
    m_pNotesEdit->setText(QSettings().value(QLatin1String(kNotesKey)).toString());
    addWidget(m_pNotesEdit);
    connect(m_pNotesEdit, &QLineEdit::editingFinished, this, &CSweepContextBar::Commit);
    m_Committed = Context();
    Retranslate();
}

QComboBox* CSweepContextBar::AddField(QLabel*& pLabel, const char* pKey)
{
    pLabel = new QLabel(this);
    pLabel->setContentsMargins(6, 0, 2, 0);
    addWidget(pLabel);
    auto* pBox = new QComboBox(this);
    pBox->setEditable(true);
    // The list is kept here, most recent first; the box adds nothing of its own.
    pBox->setInsertPolicy(QComboBox::NoInsert);
    pBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    pBox->setMinimumContentsLength(7);
    const QSettings settings;
    AddItems(pBox, settings.value(HistoryKey(pKey)).toStringList());
    pBox->setEditText(settings.value(QLatin1String(pKey)).toString());
    pLabel->setBuddy(pBox);
    addWidget(pBox);
    connect(pBox->lineEdit(), &QLineEdit::editingFinished, this, &CSweepContextBar::Commit);
    connect(pBox, &QComboBox::activated, this, &CSweepContextBar::Commit);
    return pBox;
}

void CSweepContextBar::Retranslate()
{
    setWindowTitle(tr("Sweep"));
    m_pClientLabel->setText(tr("&Client:"));
    m_pAddressLabel->setText(tr("A&ddress:"));
    m_pRoomLabel->setText(tr("R&oom:"));
    m_pOperatorLabel->setText(tr("O&perator:"));
    m_pNotesLabel->setText(tr("Notes:"));
    m_pNotesLabel->setContentsMargins(6, 0, 2, 0);
    m_pNotesEdit->setPlaceholderText(tr("Notes on this sweep"));
    m_pClientBox->setAccessibleName(tr("Client"));
    m_pAddressBox->setAccessibleName(tr("Address"));
    m_pRoomBox->setAccessibleName(tr("Room"));
    m_pOperatorBox->setAccessibleName(tr("Operator"));
    m_pNotesEdit->setAccessibleName(tr("Notes"));
    ShowRecording();
}

CSweepContext CSweepContextBar::Context() const
{
    CSweepContext context;
    context.m_strClient = m_pClientBox->currentText().trimmed();
    context.m_strAddress = m_pAddressBox->currentText().trimmed();
    context.m_strRoom = m_pRoomBox->currentText().trimmed();
    context.m_strOperator = m_pOperatorBox->currentText().trimmed();
    context.m_strNotes = m_pNotesEdit->text().trimmed();
    return context;
}

void CSweepContextBar::SetContext(const CSweepContext& context)
{
    m_pClientBox->setEditText(context.m_strClient);
    m_pAddressBox->setEditText(context.m_strAddress);
    m_pRoomBox->setEditText(context.m_strRoom);
    m_pOperatorBox->setEditText(context.m_strOperator);
    m_pNotesEdit->setText(context.m_strNotes);
    m_Committed = Context();
    ShowRecording();
}

void CSweepContextBar::AddKnownValues(const QVariantMap& values)
{
    // Filling the list must not change what the user has typed.
    const CSweepContext current = Context();
    AddItems(m_pClientBox, values.value(QStringLiteral("client")).toStringList());
    AddItems(m_pAddressBox, values.value(QStringLiteral("address")).toStringList());
    AddItems(m_pRoomBox, values.value(QStringLiteral("room")).toStringList());
    AddItems(m_pOperatorBox, values.value(QStringLiteral("operator")).toStringList());
    m_pClientBox->setEditText(current.m_strClient);
    m_pAddressBox->setEditText(current.m_strAddress);
    m_pRoomBox->setEditText(current.m_strRoom);
    m_pOperatorBox->setEditText(current.m_strOperator);
}

QVariantMap CSweepContextBar::KnownValues() const
{
    return {{QStringLiteral("client"), Items(m_pClientBox)},
            {QStringLiteral("address"), Items(m_pAddressBox)},
            {QStringLiteral("room"), Items(m_pRoomBox)},
            {QStringLiteral("operator"), Items(m_pOperatorBox)}};
}

void CSweepContextBar::Remember(QComboBox* pBox, const char* pKey)
{
    const QString strValue = pBox->currentText().trimmed();
    QSettings settings;
    settings.setValue(QLatin1String(pKey), strValue);
    if (strValue.isEmpty())
        return;
    QStringList history = settings.value(HistoryKey(pKey)).toStringList();
    history.removeAll(strValue);
    history.prepend(strValue);
    while (history.size() > kHistorySize)
        history.removeLast();
    settings.setValue(HistoryKey(pKey), history);
    AddItems(pBox, {strValue});
    pBox->setEditText(strValue);
}

void CSweepContextBar::Commit()
{
    const CSweepContext context = Context();
    if (context == m_Committed)
        return;
    m_Committed = context;
    Remember(m_pClientBox, kClientKey);
    Remember(m_pAddressBox, kAddressKey);
    Remember(m_pRoomBox, kRoomKey);
    Remember(m_pOperatorBox, kOperatorKey);
    QSettings().setValue(QLatin1String(kNotesKey), context.m_strNotes);
    ShowRecording();
    Q_EMIT ContextChanged(context);
}

void CSweepContextBar::SetRecording(bool bRecording)
{
    if (bRecording == m_bRecording)
        return;
    m_bRecording = bRecording;
    // The room a recording is filed under is in sight all the time it is written.
    toggleViewAction()->setEnabled(!bRecording);
    if (bRecording)
        show();
    ShowRecording();
}

void CSweepContextBar::ShowRecording()
{
    const QString strRoom = m_Committed.m_strRoom;
    m_pRecordingLabel->setText(strRoom.isEmpty() ? tr("Recording") : tr("Recording \u2014 %1").arg(strRoom));
    m_pRecordingAction->setVisible(m_bRecording);
}

QString CSweepContextBar::RecordingText() const
{
    return m_pRecordingLabel->text();
}
