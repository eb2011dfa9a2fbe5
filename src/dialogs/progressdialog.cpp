#include "progressdialog.h"

#include "ui_progressdialog.h"

CProgressDialog::CProgressDialog(QString strMessage, const std::atomic<int> *pnValue,
                                 int nAcceptValue, int nRejectValue, QWidget *parent)
    : QDialog(parent)
    , m_pUi(std::make_unique<Ui::CProgressDialogClass>())
    , m_pnValue(pnValue)
    , m_nAcceptValue(nAcceptValue)
    , m_nRejectValue(nRejectValue)
{
    m_pUi->setupUi(this);
    m_pUi->m_pMessageLabel->setText(strMessage);
    m_pUi->m_pProgressBar->setValue(0);
    connect(m_pUi->m_pCancelButton, &QPushButton::clicked, this, &CProgressDialog::OnCancelButton);
    connect(&m_Timer, &QTimer::timeout, this, &CProgressDialog::OnTimer);
    m_Timer.setInterval(TimerPeriodMs);
}

CProgressDialog::~CProgressDialog() = default;

void CProgressDialog::showEvent(QShowEvent *pEvent)
{
    // Polling starts with the dialog, not at construction: a tick that finished the
    // dialog before exec() began would leave exec() waiting for nothing.
    QDialog::showEvent(pEvent);
    m_Timer.start();
}

void CProgressDialog::done(int nResult)
{
    // Once finished the dialog stops looking, so a caller may release the watched value.
    m_Timer.stop();
    QDialog::done(nResult);
}

void CProgressDialog::OnTimer()
{
    if (m_pnValue == nullptr)
        return;
    // One read per tick, so the bar and the decision agree on the same value.
    const int nValue = m_pnValue->load(std::memory_order_acquire);
    m_pUi->m_pProgressBar->setValue(nValue);
    if (nValue == m_nAcceptValue)
        accept();
    else if (nValue == m_nRejectValue)
        reject();
}

void CProgressDialog::OnCancelButton()
{
    reject();
}
