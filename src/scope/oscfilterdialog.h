#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class COscFilterDialog;
}

// Asks whether the oscilloscope trace is smoothed and by how much. The owner
// sets the three values, runs exec() and reads them back after acceptance.
class COscFilterDialog : public QDialog
{
    Q_OBJECT
public:
    explicit COscFilterDialog(QWidget* pParent = nullptr);
    ~COscFilterDialog() override;

    // Shows the current values, then runs modally.
    int exec() override;
    // Puts the three values into the controls; exec() does this itself.
    void LoadControls();

    bool m_bEnabled = false;
    double m_dUpCoef = 50.0;   // divisor for rising samples, at least 1
    double m_dDownCoef = 50.0; // divisor for falling samples, at least 1

public Q_SLOTS:
    void OnOkButton();

private:
    std::unique_ptr<Ui::COscFilterDialog> m_pUi;
};
