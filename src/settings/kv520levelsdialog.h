#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class CKV520LevelsDialogClass;
}

// The eight individual signal levels of the detector. OK writes them to the
// menu block and sends the block at once.
class CKV520LevelsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CKV520LevelsDialog(QWidget* parent = nullptr);
    ~CKV520LevelsDialog() override;

private Q_SLOTS:
    void OnRelativeCheck(bool bChecked);
    void OnAbsoluteCheck(bool bChecked);
    void OnRelConst1SliderChanged(int nValue);
    void OnRelConst2SliderChanged(int nValue);
    void OnRelPulse1SliderChanged(int nValue);
    void OnRelPulse2SliderChanged(int nValue);
    void OnAbsConst1SliderChanged(int nValue);
    void OnAbsConst2SliderChanged(int nValue);
    void OnAbsPulse1SliderChanged(int nValue);
    void OnAbsPulse2SliderChanged(int nValue);
    void OnOkButton();

private:
    void LoadFromDevice();
    void StoreToDevice();
    QString LevelText(int nValue) const;

    std::unique_ptr<Ui::CKV520LevelsDialogClass> m_pUi;
};
