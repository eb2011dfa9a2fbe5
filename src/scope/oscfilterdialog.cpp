#include "oscfilterdialog.h"

#include "ui_oscfilterdialog.h"

#include <QCoreApplication>
#include <QLocale>
#include <QMessageBox>

#include <cmath>

namespace {

// Accepts the user's own decimal separator as well as the plain C form.
bool ParseCoefficient(const QString& strText, double* pValue)
{
    bool bOk = false;
    double dValue = QLocale().toDouble(strText.trimmed(), &bOk);
    if (!bOk)
        dValue = strText.trimmed().toDouble(&bOk);
    if (!bOk || !std::isfinite(dValue))
        return false;
    *pValue = dValue;
    return true;
}

} // namespace

COscFilterDialog::COscFilterDialog(QWidget* pParent)
    : QDialog(pParent), m_pUi(std::make_unique<Ui::COscFilterDialog>())
{
    m_pUi->setupUi(this);
    connect(m_pUi->m_pOkButton, &QPushButton::clicked, this, &COscFilterDialog::OnOkButton);
    connect(m_pUi->m_pCancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

COscFilterDialog::~COscFilterDialog() = default;

void COscFilterDialog::LoadControls()
{
    m_pUi->m_pEnabledCheck->setChecked(m_bEnabled);
    m_pUi->m_pCoef1Edit->setText(QString::number(m_dUpCoef, 'f', 0));
    m_pUi->m_pCoef2Edit->setText(QString::number(m_dDownCoef, 'f', 0));
}

int COscFilterDialog::exec()
{
    LoadControls();
    return QDialog::exec();
}

void COscFilterDialog::OnOkButton()
{
    const bool bEnabled = m_pUi->m_pEnabledCheck->isChecked();
    double dUp = m_dUpCoef;
    double dDown = m_dDownCoef;
    const bool bUpOk = ParseCoefficient(m_pUi->m_pCoef1Edit->text(), &dUp) && dUp >= 1.0;
    const bool bDownOk = ParseCoefficient(m_pUi->m_pCoef2Edit->text(), &dDown) && dDown >= 1.0;

    if (bEnabled && (!bUpOk || !bDownOk)) {
        // Each sample moves by the remaining distance divided by the coefficient:
        // below 1 the trace overshoots and 0 would divide by zero.
        QMessageBox::warning(this, QCoreApplication::applicationName(),
                             tr("The smooth coefficients must be numbers not less than 1."));
        QLineEdit* pBad = bUpOk ? m_pUi->m_pCoef2Edit : m_pUi->m_pCoef1Edit;
        pBad->setFocus();
        pBad->selectAll();
        return;
    }

    m_bEnabled = bEnabled;
    // With the filter off the edits cannot be corrected, so unusable text there
    // keeps the previous coefficient instead of storing it for later.
    if (bUpOk)
        m_dUpCoef = dUp;
    if (bDownOk)
        m_dDownCoef = dDown;
    accept();
}
