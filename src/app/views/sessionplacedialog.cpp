#include "sessionplacedialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>

namespace {

QComboBox* Box(const QStringList& values, const QString& strCurrent, QWidget* pParent)
{
    auto* pBox = new QComboBox(pParent);
    pBox->setEditable(true);
    pBox->setInsertPolicy(QComboBox::NoInsert);
    pBox->addItems(values);
    pBox->setEditText(strCurrent);
    pBox->setMinimumContentsLength(20);
    return pBox;
}

} // namespace

CSessionPlaceDialog::CSessionPlaceDialog(const QString& strSession, const CSweepContext& place,
                                         const QVariantMap& known, QWidget* pParent)
    : QDialog(pParent)
{
    setWindowTitle(tr("Set Site and Room"));
    auto* pLayout = new QFormLayout(this);
    pLayout->addRow(new QLabel(tr("Session %1").arg(strSession), this));
    m_pClientBox = Box(known.value(QStringLiteral("client")).toStringList(), place.m_strClient, this);
    m_pAddressBox = Box(known.value(QStringLiteral("address")).toStringList(), place.m_strAddress, this);
    m_pRoomBox = Box(known.value(QStringLiteral("room")).toStringList(), place.m_strRoom, this);
    pLayout->addRow(tr("&Client:"), m_pClientBox);
    pLayout->addRow(tr("A&ddress:"), m_pAddressBox);
    pLayout->addRow(tr("R&oom:"), m_pRoomBox);
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    pLayout->addRow(pButtons);
}

CSweepContext CSessionPlaceDialog::Place() const
{
    CSweepContext place;
    place.m_strClient = m_pClientBox->currentText().trimmed();
    place.m_strAddress = m_pAddressBox->currentText().trimmed();
    place.m_strRoom = m_pRoomBox->currentText().trimmed();
    return place;
}
