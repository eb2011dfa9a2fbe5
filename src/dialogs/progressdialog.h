#pragma once

#include <QDialog>
#include <QString>
#include <QTimer>

#include <atomic>
#include <memory>

namespace Ui {
class CProgressDialogClass;
}

// Modal view of work running on another thread, which reports through one integer.
class CProgressDialog : public QDialog
{
    Q_OBJECT

public:
    CProgressDialog(QString strMessage, const std::atomic<int> *pnValue, int nAcceptValue,
                    int nRejectValue, QWidget *parent = nullptr);
    ~CProgressDialog() override;

    void done(int nResult) override;

    static constexpr int TimerPeriodMs = 200;

protected:
    void showEvent(QShowEvent *pEvent) override;

private Q_SLOTS:
    void OnTimer();
    void OnCancelButton();

private:
    std::unique_ptr<Ui::CProgressDialogClass> m_pUi;
    const std::atomic<int> *m_pnValue;
    int m_nAcceptValue;
    int m_nRejectValue;
    QTimer m_Timer;
};
