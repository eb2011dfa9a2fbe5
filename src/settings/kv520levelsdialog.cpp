#include "kv520levelsdialog.h"

#include "idevice.h"
#include "kv520menulayout.h"
#include "kv520protocol.h"
#include "ui_kv520levelsdialog.h"

#include <QSettings>

using namespace KV520Menu;

namespace {

const char* const kLevelTypeKey = "KV520/LevelType";

} // namespace

CKV520LevelsDialog::CKV520LevelsDialog(QWidget* parent)
    : QDialog(parent)
    , m_pUi(std::make_unique<Ui::CKV520LevelsDialogClass>())
{
    Ui::CKV520LevelsDialogClass& ui = *m_pUi;
    ui.setupUi(this);

    connect(ui.m_pOkButton, &QPushButton::clicked, this, &CKV520LevelsDialog::OnOkButton);
    connect(ui.m_pCancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui.m_pRelativeCheck, &QGroupBox::clicked, this, &CKV520LevelsDialog::OnRelativeCheck);
    connect(ui.m_pAbsoluteCheck, &QGroupBox::clicked, this, &CKV520LevelsDialog::OnAbsoluteCheck);
    connect(ui.m_pRelConst1Slider, &QSlider::valueChanged, this, &CKV520LevelsDialog::OnRelConst1SliderChanged);
    connect(ui.m_pRelConst2Slider, &QSlider::valueChanged, this, &CKV520LevelsDialog::OnRelConst2SliderChanged);
    connect(ui.m_pRelPulse1Slider, &QSlider::valueChanged, this, &CKV520LevelsDialog::OnRelPulse1SliderChanged);
    connect(ui.m_pRelPulse2Slider, &QSlider::valueChanged, this, &CKV520LevelsDialog::OnRelPulse2SliderChanged);
    connect(ui.m_pAbsConst1Slider, &QSlider::valueChanged, this, &CKV520LevelsDialog::OnAbsConst1SliderChanged);
    connect(ui.m_pAbsConst2Slider, &QSlider::valueChanged, this, &CKV520LevelsDialog::OnAbsConst2SliderChanged);
    connect(ui.m_pAbsPulse1Slider, &QSlider::valueChanged, this, &CKV520LevelsDialog::OnAbsPulse1SliderChanged);
    connect(ui.m_pAbsPulse2Slider, &QSlider::valueChanged, this, &CKV520LevelsDialog::OnAbsPulse2SliderChanged);

    LoadFromDevice();
}

CKV520LevelsDialog::~CKV520LevelsDialog() = default;

void CKV520LevelsDialog::LoadFromDevice()
{
    Ui::CKV520LevelsDialogClass& ui = *m_pUi;
    const int nType = QSettings(SettingsOrganization(), SettingsApplication()).value(QLatin1String(kLevelTypeKey), 0).toInt();
    // Exactly one set is chosen, whatever the store holds; the form's own default
    // (relative checked) must not stay on beside a stored absolute choice.
    const bool bAbsolute = nType == 1;
    ui.m_pRelativeCheck->setChecked(!bAbsolute);
    ui.m_pAbsoluteCheck->setChecked(bAbsolute);

    ui.m_pRelConst1Slider->setValue(g_pDevice->GetMenuByte(kRelConst1));
    ui.m_pRelConst2Slider->setValue(g_pDevice->GetMenuByte(kRelConst2));
    ui.m_pRelPulse1Slider->setValue(g_pDevice->GetMenuByte(kRelPulse1));
    ui.m_pRelPulse2Slider->setValue(g_pDevice->GetMenuByte(kRelPulse2));
    ui.m_pAbsConst1Slider->setValue(g_pDevice->GetMenuByte(kAbsConst1));
    ui.m_pAbsConst2Slider->setValue(g_pDevice->GetMenuByte(kAbsConst2));
    ui.m_pAbsPulse1Slider->setValue(g_pDevice->GetMenuByte(kAbsPulse1));
    ui.m_pAbsPulse2Slider->setValue(g_pDevice->GetMenuByte(kAbsPulse2));

    // A slider already at the loaded value emits nothing, so fill every label here.
    OnRelConst1SliderChanged(ui.m_pRelConst1Slider->value());
    OnRelConst2SliderChanged(ui.m_pRelConst2Slider->value());
    OnRelPulse1SliderChanged(ui.m_pRelPulse1Slider->value());
    OnRelPulse2SliderChanged(ui.m_pRelPulse2Slider->value());
    OnAbsConst1SliderChanged(ui.m_pAbsConst1Slider->value());
    OnAbsConst2SliderChanged(ui.m_pAbsConst2Slider->value());
    OnAbsPulse1SliderChanged(ui.m_pAbsPulse1Slider->value());
    OnAbsPulse2SliderChanged(ui.m_pAbsPulse2Slider->value());
}

void CKV520LevelsDialog::StoreToDevice()
{
    Ui::CKV520LevelsDialogClass& ui = *m_pUi;
    QSettings(SettingsOrganization(), SettingsApplication())
        .setValue(QLatin1String(kLevelTypeKey), ui.m_pRelativeCheck->isChecked() ? 0 : 1);

    g_pDevice->SetMenuByte(kRelConst1, ui.m_pRelConst1Slider->value());
    g_pDevice->SetMenuByte(kRelConst2, ui.m_pRelConst2Slider->value());
    g_pDevice->SetMenuByte(kRelPulse1, ui.m_pRelPulse1Slider->value());
    g_pDevice->SetMenuByte(kRelPulse2, ui.m_pRelPulse2Slider->value());
    g_pDevice->SetMenuByte(kAbsConst1, ui.m_pAbsConst1Slider->value());
    g_pDevice->SetMenuByte(kAbsConst2, ui.m_pAbsConst2Slider->value());
    g_pDevice->SetMenuByte(kAbsPulse1, ui.m_pAbsPulse1Slider->value());
    g_pDevice->SetMenuByte(kAbsPulse2, ui.m_pAbsPulse2Slider->value());
    g_pDevice->SetCommand(KV520::kCmdWriteMenu);
}

QString CKV520LevelsDialog::LevelText(int nValue) const
{
    return tr("%1 dB").arg(nValue, 2, 10, QLatin1Char('0'));
}

void CKV520LevelsDialog::OnRelativeCheck(bool bChecked)
{
    m_pUi->m_pAbsoluteCheck->setChecked(!bChecked);
}

void CKV520LevelsDialog::OnAbsoluteCheck(bool bChecked)
{
    m_pUi->m_pRelativeCheck->setChecked(!bChecked);
}

void CKV520LevelsDialog::OnRelConst1SliderChanged(int nValue)
{
    m_pUi->m_pRelConst1Label->setText(LevelText(nValue));
}

void CKV520LevelsDialog::OnRelConst2SliderChanged(int nValue)
{
    m_pUi->m_pRelConst2Label->setText(LevelText(nValue));
}

void CKV520LevelsDialog::OnRelPulse1SliderChanged(int nValue)
{
    m_pUi->m_pRelPulse1Label->setText(LevelText(nValue));
}

void CKV520LevelsDialog::OnRelPulse2SliderChanged(int nValue)
{
    m_pUi->m_pRelPulse2Label->setText(LevelText(nValue));
}

void CKV520LevelsDialog::OnAbsConst1SliderChanged(int nValue)
{
    m_pUi->m_pAbsConst1Label->setText(LevelText(nValue));
}

void CKV520LevelsDialog::OnAbsConst2SliderChanged(int nValue)
{
    m_pUi->m_pAbsConst2Label->setText(LevelText(nValue));
}

void CKV520LevelsDialog::OnAbsPulse1SliderChanged(int nValue)
{
    m_pUi->m_pAbsPulse1Label->setText(LevelText(nValue));
}

void CKV520LevelsDialog::OnAbsPulse2SliderChanged(int nValue)
{
    m_pUi->m_pAbsPulse2Label->setText(LevelText(nValue));
}

void CKV520LevelsDialog::OnOkButton()
{
    StoreToDevice();
    accept();
}
