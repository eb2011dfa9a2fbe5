#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CPreferencesDialogClass;
}

class CPreferencesDialog : public QDialog
{
    Q_OBJECT

public:
    CPreferencesDialog(int nLanguage, QWidget *parent = nullptr);
    ~CPreferencesDialog() override;

    // The index given at construction unless the dialog was confirmed with OK.
    int GetLanguage() const;

private Q_SLOTS:
    void OnOkButton();

private:
    std::unique_ptr<Ui::CPreferencesDialogClass> m_pUi;
    int m_nLanguage;
};
