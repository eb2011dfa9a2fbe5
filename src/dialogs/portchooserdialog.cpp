#include "portchooserdialog.h"

#include "ui_portchooserdialog.h"

#include <QEvent>
#include <QPushButton>
#include <QSettings>

namespace {
bool SamePorts(const QList<SerialPortEntry>& a, const QList<SerialPortEntry>& b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        if (a[i].OpenPath() != b[i].OpenPath() || a[i].m_strDescription != b[i].m_strDescription
            || a[i].m_strSerialNumber != b[i].m_strSerialNumber || a[i].UsbId() != b[i].UsbId())
            return false;
    }
    return true;
}

// Rows are matched by what identifies the port, so a refresh keeps the selection.
bool SameEntry(const CPortChoice& a, const CPortChoice& b)
{
    return a.GetKind() == b.GetKind() && a.Port() == b.Port();
}
} // namespace

CPortChooserDialog::CPortChooserDialog(std::shared_ptr<ISerialPortEnumerator> pEnumerator,
                                       const CPortChoice& current, bool bSimulatorAvailable, QWidget* pParent,
                                       const QString& strPortInUse)
    : QDialog(pParent)
    , m_pUi(std::make_unique<Ui::CPortChooserDialogClass>())
    , m_pEnumerator(std::move(pEnumerator))
    , m_bSimulatorAvailable(bSimulatorAvailable)
    , m_Current(current)
    , m_strPortInUse(strPortInUse)
{
    m_pUi->setupUi(this);
    m_pUi->m_pPathEdit->setText(QSettings().value(QLatin1String(kTypedPathKey)).toString());
    connect(m_pUi->m_pPortTree, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(m_pUi->m_pPortTree, &QTreeWidget::currentItemChanged, this, &CPortChooserDialog::UpdateOkButton);
    // Typing a path chooses it instead of a row; picking a row again takes the row.
    connect(m_pUi->m_pPathEdit, &QLineEdit::textEdited, this, [this] {
        m_pUi->m_pPortTree->setCurrentItem(nullptr);
        UpdateOkButton();
    });
    if (m_pEnumerator)
        m_Ports = m_pEnumerator->Ports();
    Fill();
    Select(current);
    m_pUi->m_pPortTree->setFocus();
    // Plugging the detector in while the dialog is open shows it without a button to press.
    connect(&m_RefreshTimer, &QTimer::timeout, this, &CPortChooserDialog::Refresh);
    m_RefreshTimer.start(kRefreshMs);
}

CPortChooserDialog::~CPortChooserDialog() = default;

void CPortChooserDialog::Refresh()
{
    if (!m_pEnumerator)
        return;
    QList<SerialPortEntry> ports = m_pEnumerator->Ports();
    if (SamePorts(ports, m_Ports))
        return; // rebuilding would throw away the user's scrolling and column widths for nothing
    const CPortChoice selected = Choice();
    m_Ports = std::move(ports);
    Fill();
    Select(selected);
}

void CPortChooserDialog::Fill()
{
    QTreeWidget* pTree = m_pUi->m_pPortTree;
    pTree->clear();
    m_RowChoices.clear();
    auto add = [&](const CPortChoice& choice, const QStringList& columns) {
        auto* pItem = new QTreeWidgetItem(pTree, columns);
        for (int i = 0; i < columns.size(); ++i)
            pItem->setToolTip(i, columns[i]);
        m_RowChoices << choice;
        return pItem;
    };
    add(CPortChoice::Automatic(),
        {tr("Automatic"), tr("Found by the port's description or USB bridge")});
    if (m_bSimulatorAvailable)
        add(CPortChoice::Simulated(), {tr("Simulated detector"), tr("Built into the program; no detector needed")});
    bool bCurrentListed = m_Current.GetKind() != CPortChoice::Kind::Port;
    for (const SerialPortEntry& port : m_Ports) {
        const CPortChoice choice = CPortChoice::FromEntry(port);
        bCurrentListed = bCurrentListed || choice.Port() == m_Current.Port();
        add(choice, {port.OpenPath(), port.m_strDescription, port.m_strManufacturer, port.UsbId(),
                     port.m_strSerialNumber});
    }
    // A port named earlier that is not plugged in now stays choosable: the
    // detector will be found on it (or by its serial number) once it is back.
    if (!bCurrentListed) {
        const bool bInUse = !m_strPortInUse.isEmpty() && m_Current.Port() == m_strPortInUse;
        QTreeWidgetItem* pItem = add(m_Current, {m_Current.Port(), bInUse ? tr("In use") : tr("Not present now"),
                                                 QString(), m_Current.UsbId(), m_Current.SerialNumber()});
        if (!bInUse) {
            pItem->setForeground(0, palette().brush(QPalette::Disabled, QPalette::Text));
            pItem->setForeground(1, palette().brush(QPalette::Disabled, QPalette::Text));
        }
    }
    for (int i = 0; i < pTree->columnCount(); ++i)
        pTree->resizeColumnToContents(i);
}

void CPortChooserDialog::Select(const CPortChoice& choice)
{
    QTreeWidget* pTree = m_pUi->m_pPortTree;
    int nRow = 0;
    for (int i = 0; i < m_RowChoices.size(); ++i) {
        if (SameEntry(m_RowChoices[i], choice)) {
            nRow = i;
            break;
        }
    }
    // The typed path stays the choice while the list changes under it.
    if (nRow == 0 && !SameEntry(choice, CPortChoice::Automatic()) && choice.GetKind() == CPortChoice::Kind::Port
        && choice.Port() == m_pUi->m_pPathEdit->text().trimmed()) {
        pTree->setCurrentItem(nullptr);
        UpdateOkButton();
        return;
    }
    pTree->setCurrentItem(pTree->topLevelItem(nRow));
}

void CPortChooserDialog::UpdateOkButton()
{
    m_pUi->m_pButtonBox->button(QDialogButtonBox::Ok)
        ->setEnabled(m_pUi->m_pPortTree->currentItem() || !m_pUi->m_pPathEdit->text().trimmed().isEmpty());
}

void CPortChooserDialog::done(int nResult)
{
    if (nResult == QDialog::Accepted && !m_pUi->m_pPortTree->currentItem()) {
        const QString strPath = m_pUi->m_pPathEdit->text().trimmed();
        if (strPath.isEmpty())
            return;
        QSettings().setValue(QLatin1String(kTypedPathKey), strPath);
    }
    QDialog::done(nResult);
}

CPortChoice CPortChooserDialog::Choice() const
{
    const int nRow = m_pUi->m_pPortTree->indexOfTopLevelItem(m_pUi->m_pPortTree->currentItem());
    if (nRow < 0 || nRow >= m_RowChoices.size()) {
        const QString strPath = m_pUi->m_pPathEdit->text().trimmed();
        return strPath.isEmpty() ? m_Current : CPortChoice::Named(strPath);
    }
    return m_RowChoices[nRow];
}

void CPortChooserDialog::changeEvent(QEvent* pEvent)
{
    if (pEvent->type() == QEvent::LanguageChange) {
        m_pUi->retranslateUi(this);
        const CPortChoice selected = Choice();
        Fill();
        Select(selected);
    }
    QDialog::changeEvent(pEvent);
}
