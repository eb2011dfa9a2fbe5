#pragma once

#include <QDialog>
#include <QTimer>

#include <memory>

namespace Ui {
class CKV520MenuDialogClass;
}

// The detector's settings in one window: a snapshot of the device object's menu
// and clock blocks taken when it opens, written back and sent on OK.
class CKV520MenuDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CKV520MenuDialog(QWidget* parent = nullptr);
    ~CKV520MenuDialog() override;

    // Where the settings file dialogs open until the user has picked a folder
    // in one of them (remembered from then on).
    void SetDefaultFileFolder(const QString& strFolder);

public Q_SLOTS:
    // Cancel, Escape, the close button and Defaults all end here.
    void reject() override;

private Q_SLOTS:
    void OnDefaultsButton();
    void OnLoadButton();
    void OnSaveButton();
    void OnOkButton();
    void OnCancelButton();
    void OnLevelsButton();
    void OnClearLogButton();
    void OnFreqmeterValueChanged(int nValue);
    void OnRecTimeValueChanged(int nValue);
    void OnLevelValueChanged(int nValue);
    void OnDelayValueChanged(int nValue);
    void OnBrightnessSlider(int nValue);
    void OnAutoOffSlider(int nValue);
    void OnTimeCorrSlider(int nValue);
    void OnStartSlider(int nValue);
    void OnStopSlider(int nValue);
    void OnTimer();

private:
    void LoadFromDevice();
    void StoreToDevice();
    void SaveTabIndex();
    void ShowFileError(const QString& strText);
    QString FileFolder() const;
    // The chosen settings file, a saved one always with the .mnu extension;
    // empty when cancelled.
    QString AskFileName(bool bSave);

    std::unique_ptr<Ui::CKV520MenuDialogClass> m_pUi;
    QTimer m_Timer;
    QString m_strDefaultFolder;
};
