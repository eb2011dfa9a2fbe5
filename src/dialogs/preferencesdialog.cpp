#include "preferencesdialog.h"

#include "ui_preferencesdialog.h"

#include <QDir>
#include <QFileDialog>

CPreferencesDialog::CPreferencesDialog(int nLanguage, QWidget *parent)
    : QDialog(parent)
    , m_pUi(std::make_unique<Ui::CPreferencesDialogClass>())
    , m_nLanguage(nLanguage)
{
    m_pUi->setupUi(this);
    m_pUi->m_pLanguageCombo->setCurrentIndex(nLanguage);
    connect(m_pUi->m_pOkButton, &QPushButton::clicked, this, &CPreferencesDialog::OnOkButton);
    connect(m_pUi->m_pCancelButton, &QPushButton::clicked, this, &CPreferencesDialog::reject);
    connect(m_pUi->m_pMonitoringBrowseButton, &QPushButton::clicked, this,
            &CPreferencesDialog::OnMonitoringBrowseButton);
    m_pUi->m_pMonitoringErrorLabel->setStyleSheet(QStringLiteral("color: #c00000"));
    m_pUi->m_pMonitoringErrorLabel->hide();
    // Without an owner to apply it, monitoring is not offered.
    m_pUi->m_pMonitoringGroup->hide();
}

CPreferencesDialog::~CPreferencesDialog() = default;

int CPreferencesDialog::GetLanguage() const
{
    return m_nLanguage;
}

void CPreferencesDialog::SetMonitoring(bool bOn, const QString& strConfigFile, MonitoringApplier applier)
{
    m_pUi->m_pMonitoringCheck->setChecked(bOn);
    m_pUi->m_pMonitoringFileEdit->setText(QDir::toNativeSeparators(strConfigFile));
    m_MonitoringApplier = std::move(applier);
    m_pUi->m_pMonitoringGroup->setVisible(bool(m_MonitoringApplier));
}

bool CPreferencesDialog::IsMonitoringOn() const
{
    return m_pUi->m_pMonitoringCheck->isChecked();
}

QString CPreferencesDialog::MonitoringConfigFile() const
{
    return QDir::fromNativeSeparators(m_pUi->m_pMonitoringFileEdit->text().trimmed());
}

void CPreferencesDialog::OnMonitoringBrowseButton()
{
    const QString strFile = QFileDialog::getOpenFileName(this, tr("Monitoring configuration"), MonitoringConfigFile(),
                                                         tr("Configuration files (*.conf);;All files (*)"));
    if (!strFile.isEmpty())
        m_pUi->m_pMonitoringFileEdit->setText(QDir::toNativeSeparators(strFile));
}

void CPreferencesDialog::OnOkButton()
{
    QString strError;
    if (m_MonitoringApplier && !m_MonitoringApplier(IsMonitoringOn(), MonitoringConfigFile(), &strError)) {
        m_pUi->m_pMonitoringErrorLabel->setText(strError);
        m_pUi->m_pMonitoringErrorLabel->show();
        return;
    }
    // An empty combo reports -1; keeping the old index then is safer than passing that on.
    const int nIndex = m_pUi->m_pLanguageCombo->currentIndex();
    if (nIndex >= 0)
        m_nLanguage = nIndex;
    accept();
}
