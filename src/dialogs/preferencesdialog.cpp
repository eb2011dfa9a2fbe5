#include "preferencesdialog.h"

#include "ui_preferencesdialog.h"

CPreferencesDialog::CPreferencesDialog(int nLanguage, QWidget *parent)
    : QDialog(parent)
    , m_pUi(std::make_unique<Ui::CPreferencesDialogClass>())
    , m_nLanguage(nLanguage)
{
    m_pUi->setupUi(this);
    m_pUi->m_pLanguageCombo->setCurrentIndex(nLanguage);
    connect(m_pUi->m_pOkButton, &QPushButton::clicked, this, &CPreferencesDialog::OnOkButton);
    connect(m_pUi->m_pCancelButton, &QPushButton::clicked, this, &CPreferencesDialog::reject);
}

CPreferencesDialog::~CPreferencesDialog() = default;

int CPreferencesDialog::GetLanguage() const
{
    return m_nLanguage;
}

void CPreferencesDialog::OnOkButton()
{
    // An empty combo reports -1; keeping the old index then is safer than passing that on.
    const int nIndex = m_pUi->m_pLanguageCombo->currentIndex();
    if (nIndex >= 0)
        m_nLanguage = nIndex;
    accept();
}
