#include "kv520menudialog.h"

#include "idevice.h"
#include "kv520levelsdialog.h"
#include "kv520menulayout.h"
#include "kv520protocol.h"
#include "ui_kv520menudialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>

#include <array>

using namespace KV520Menu;

namespace {

const char* const kTabKey = "KV520MenuDialog";
const char* const kFolderKey = "MenuFiles/Folder";
const char* const kMenuSuffix = "mnu";

QSettings AppSettings()
{
    return QSettings(SettingsOrganization(), SettingsApplication());
}

} // namespace

CKV520MenuDialog::CKV520MenuDialog(QWidget* parent)
    : QDialog(parent)
    , m_pUi(std::make_unique<Ui::CKV520MenuDialogClass>())
{
    Ui::CKV520MenuDialogClass& ui = *m_pUi;
    ui.setupUi(this);
    // The clock edit holds the detector's wall-clock fields, not an instant: kept
    // in UTC so a local daylight-saving gap can never move or reject them.
    ui.m_pClockEdit->setTimeSpec(Qt::UTC);

    connect(ui.m_pDefaultsButton, &QPushButton::clicked, this, &CKV520MenuDialog::OnDefaultsButton);
    connect(ui.m_pLoadButton, &QPushButton::clicked, this, &CKV520MenuDialog::OnLoadButton);
    connect(ui.m_pSaveButton, &QPushButton::clicked, this, &CKV520MenuDialog::OnSaveButton);
    connect(ui.m_pOkButton, &QPushButton::clicked, this, &CKV520MenuDialog::OnOkButton);
    connect(ui.m_pCancelButton, &QPushButton::clicked, this, &CKV520MenuDialog::OnCancelButton);
    connect(ui.m_pClearLogButton, &QPushButton::clicked, this, &CKV520MenuDialog::OnClearLogButton);
    connect(ui.m_pFreqmeterSlider, &QSlider::valueChanged, this, &CKV520MenuDialog::OnFreqmeterValueChanged);
    connect(ui.m_pRecTimeSlider, &QSlider::valueChanged, this, &CKV520MenuDialog::OnRecTimeValueChanged);
    connect(ui.m_pLevelsButton, &QPushButton::clicked, this, &CKV520MenuDialog::OnLevelsButton);
    connect(ui.m_pCommonLevelSlider, &QSlider::valueChanged, this, &CKV520MenuDialog::OnLevelValueChanged);
    connect(ui.m_pDelaySlider, &QSlider::valueChanged, this, &CKV520MenuDialog::OnDelayValueChanged);
    connect(ui.m_pBrightnessSlider, &QSlider::valueChanged, this, &CKV520MenuDialog::OnBrightnessSlider);
    connect(ui.m_pAutoOffSlider, &QSlider::valueChanged, this, &CKV520MenuDialog::OnAutoOffSlider);
    connect(ui.m_pTimeCorrSlider, &QSlider::valueChanged, this, &CKV520MenuDialog::OnTimeCorrSlider);
    connect(ui.m_pStartSlider, &QSlider::valueChanged, this, &CKV520MenuDialog::OnStartSlider);
    connect(ui.m_pStopSlider, &QSlider::valueChanged, this, &CKV520MenuDialog::OnStopSlider);

    LoadFromDevice();

    connect(&m_Timer, &QTimer::timeout, this, &CKV520MenuDialog::OnTimer);
    m_Timer.start(1000);

    ui.m_pTabWidget->setCurrentIndex(AppSettings().value(QLatin1String(kTabKey), 0).toInt());
    ui.m_pBluetoothCheck->hide();

    // Enter confirms the settings; the buttons that clear or reset the
    // detector act only when chosen on purpose, never as a default.
    ui.m_pOkButton->setDefault(true);
    ui.m_pClearLogButton->setAutoDefault(false);
    ui.m_pDefaultsButton->setAutoDefault(false);
}

CKV520MenuDialog::~CKV520MenuDialog() = default;

void CKV520MenuDialog::LoadFromDevice()
{
    Ui::CKV520MenuDialogClass& ui = *m_pUi;
    // One snapshot, so the widgets agree with each other even while frames arrive.
    std::array<uint8_t, KV520::kMenuExchanged> m{};
    for (int i = 0; i < KV520::kMenuExchanged; ++i)
        m[size_t(i)] = g_pDevice->GetMenuByte(i);
    const QDateTime clock = g_pDevice->GetDeviceTime();

    ui.m_pRF1Check->setChecked(m[kRange1] != 0);
    ui.m_pRF2Check->setChecked(m[kRange2] != 0);
    ui.m_pLPFCheck->hide();
    ui.m_pFreqmeterSlider->setValue(m[kFreqmeter]);
    ui.m_pRecEnableCheck->setChecked(m[kRecorder] != 0);
    ui.m_pRecTimeSlider->setValue(m[kRecorderTime]);
    ui.m_pLoggerCheck->setChecked(m[kLogger] != 0);
    CheckRadio({ui.m_pSortTimeRadio, ui.m_pSortLevelRadio, ui.m_pSortRangeRadio, ui.m_pSortDurationRadio},
               m[kSortOrder]);

    CheckRadio({ui.m_pCommonLevelRadio, ui.m_pIndividLevelsRadio}, m[kLevelMode]);
    ui.m_pCommonLevelSlider->setValue(m[kRelConst1]);

    ui.m_pDelaySlider->setValue(m[kEventDelay]);
    ui.m_pCaptureCheck->setChecked(m[kCapture] != 0);
    ui.m_pDisplayCheck->setChecked(m[kDisplay] != 0);
    ui.m_pHoldCheck->setChecked(m[kHold] != 0);
    ui.m_pVibroCheck->setChecked(m[kVibro] != 0);
    ui.m_pGsmCheck->setChecked(m[kGsm] != 0);
    ui.m_pDectCheck->setChecked(m[kDect] != 0);
    ui.m_pBluetoothCheck->setChecked(m[kBluetooth] != 0);
    ui.m_pWlanCheck->setChecked(m[kWlan] != 0);
    CheckRadio({ui.m_pHighRadio, ui.m_pMiddleRadio, ui.m_pLowRadio}, m[kSensitivity]);
    CheckRadio({ui.m_pEnglishRadio, ui.m_pRussianRadio}, m[kLanguage]);

    ui.m_pBrightnessSlider->setValue(m[kBrightness]);
    ui.m_pAutoOffSlider->setValue(m[kAutoOff] * kAutoOffUnit);
    ui.m_pAutoOnCheck->setChecked(m[kAutoOn] != 0);
    ui.m_pKeyToneCheck->setChecked(m[kKeyTone] != 0);

    ui.m_pClockEdit->setDateTime(QDateTime(clock.date(), clock.time(), Qt::UTC));
    ui.m_pSyncPcCheck->setChecked(m[kSyncPc] != 0);
    ui.m_pTimeCorrSlider->setValue(m[kTimeCorrection]);

    ui.m_pScheduleCheck->setChecked(m[kSchedule] != 0);
    ui.m_pStartSlider->setValue(m[kScheduleStart]);
    ui.m_pStopSlider->setValue(m[kScheduleStop]);
    ui.m_pEverydayCheck->setChecked(m[kEveryday] != 0);

    // A slider already at the loaded value emits nothing, so fill every label here.
    OnFreqmeterValueChanged(ui.m_pFreqmeterSlider->value());
    OnRecTimeValueChanged(ui.m_pRecTimeSlider->value());
    OnLevelValueChanged(ui.m_pCommonLevelSlider->value());
    OnDelayValueChanged(ui.m_pDelaySlider->value());
    OnBrightnessSlider(ui.m_pBrightnessSlider->value());
    OnAutoOffSlider(ui.m_pAutoOffSlider->value());
    OnTimeCorrSlider(ui.m_pTimeCorrSlider->value());
    OnStartSlider(ui.m_pStartSlider->value());
    OnStopSlider(ui.m_pStopSlider->value());
}

void CKV520MenuDialog::StoreToDevice()
{
    Ui::CKV520MenuDialogClass& ui = *m_pUi;
    IDevice* pDevice = g_pDevice;
    auto flag = [](const QAbstractButton* pButton) { return pButton->isChecked() ? 1 : 0; };
    // A group with nothing checked leaves its byte as the detector sent it.
    auto storeRadio = [pDevice](int nPos, const QList<QRadioButton*>& buttons) {
        const int nCode = CheckedRadio(buttons);
        if (nCode >= 0)
            pDevice->SetMenuByte(nPos, nCode);
    };

    pDevice->SetMenuByte(kRange1, flag(ui.m_pRF1Check));
    pDevice->SetMenuByte(kRange2, flag(ui.m_pRF2Check));
    pDevice->SetMenuByte(kLowPass, 0);
    pDevice->SetMenuByte(kFreqmeter, ui.m_pFreqmeterSlider->value());
    pDevice->SetMenuByte(kRecorder, flag(ui.m_pRecEnableCheck));
    pDevice->SetMenuByte(kRecorderTime, ui.m_pRecTimeSlider->value());
    pDevice->SetMenuByte(kLogger, flag(ui.m_pLoggerCheck));
    storeRadio(kSortOrder, {ui.m_pSortTimeRadio, ui.m_pSortLevelRadio, ui.m_pSortRangeRadio, ui.m_pSortDurationRadio});

    const bool bCommon = ui.m_pCommonLevelRadio->isChecked();
    pDevice->SetMenuByte(kLevelMode, bCommon ? 0 : 1);
    if (bCommon)
        pDevice->SetMenuByte(kRelConst1, ui.m_pCommonLevelSlider->value());

    pDevice->SetMenuByte(kEventDelay, ui.m_pDelaySlider->value());
    pDevice->SetMenuByte(kCapture, flag(ui.m_pCaptureCheck));
    pDevice->SetMenuByte(kDisplay, flag(ui.m_pDisplayCheck));
    pDevice->SetMenuByte(kHold, flag(ui.m_pHoldCheck));
    pDevice->SetMenuByte(kVibro, flag(ui.m_pVibroCheck));
    pDevice->SetMenuByte(kGsm, flag(ui.m_pGsmCheck));
    pDevice->SetMenuByte(kDect, flag(ui.m_pDectCheck));
    pDevice->SetMenuByte(kBluetooth, flag(ui.m_pBluetoothCheck));
    pDevice->SetMenuByte(kWlan, flag(ui.m_pWlanCheck));
    storeRadio(kSensitivity, {ui.m_pHighRadio, ui.m_pMiddleRadio, ui.m_pLowRadio});
    storeRadio(kLanguage, {ui.m_pEnglishRadio, ui.m_pRussianRadio});
    pDevice->SetMenuByte(kBrightness, ui.m_pBrightnessSlider->value());
    pDevice->SetMenuByte(kAutoOff, ui.m_pAutoOffSlider->value() / kAutoOffUnit);
    pDevice->SetMenuByte(kAutoOn, flag(ui.m_pAutoOnCheck));
    pDevice->SetMenuByte(kKeyTone, flag(ui.m_pKeyToneCheck));

    const QDateTime shown = ui.m_pClockEdit->dateTime();
    pDevice->SetDeviceTime(shown);
    pDevice->SetMenuByte(kSyncPc, flag(ui.m_pSyncPcCheck));
    pDevice->SetMenuByte(kTimeCorrection, ui.m_pTimeCorrSlider->value());
    pDevice->SetMenuByte(kSchedule, flag(ui.m_pScheduleCheck));
    pDevice->SetMenuByte(kScheduleStart, ui.m_pStartSlider->value());
    pDevice->SetMenuByte(kScheduleStop, ui.m_pStopSlider->value());
    pDevice->SetMenuByte(kEveryday, flag(ui.m_pEverydayCheck));
}

void CKV520MenuDialog::SaveTabIndex()
{
    AppSettings().setValue(QLatin1String(kTabKey), m_pUi->m_pTabWidget->currentIndex());
}

void CKV520MenuDialog::ShowFileError(const QString& strText)
{
    QString strMessage = strText;
    const QString strReason = g_pDevice->GetLastFileError();
    if (!strReason.isEmpty())
        strMessage += QLatin1Char('\n') + strReason;
    QMessageBox::warning(this, tr("KV521 Analyzer"), strMessage, QMessageBox::Ok);
}

void CKV520MenuDialog::reject()
{
    // Bytes read from a file but never confirmed must not linger in the block
    // and hide the detector's own values.
    g_pDevice->DiscardMenuEdits();
    QDialog::reject();
}

void CKV520MenuDialog::OnDefaultsButton()
{
    if (QMessageBox::question(this, tr("KV521 Analyzer"),
                              tr("Do you really want to reset device settings to factory defaults?"),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;
    g_pDevice->SetCommand(KV520::kCmdFactoryReset);
    close();
}

void CKV520MenuDialog::SetDefaultFileFolder(const QString& strFolder)
{
    m_strDefaultFolder = strFolder;
}

QString CKV520MenuDialog::FileFolder() const
{
    // The process's working folder means nothing to the user; the folder of
    // the last settings file, else the one beside the storage, does.
    const QString strLast = AppSettings().value(QLatin1String(kFolderKey)).toString();
    if (!strLast.isEmpty() && QFileInfo(strLast).isDir())
        return strLast;
    if (!m_strDefaultFolder.isEmpty() && QFileInfo(m_strDefaultFolder).isDir())
        return m_strDefaultFolder;
    return QDir::homePath();
}

QString CKV520MenuDialog::AskFileName(bool bSave)
{
    QFileDialog dialog(this, bSave ? tr("Save Menu Data") : tr("Open Saved Menu Data"), FileFolder(),
                       tr("Menu Files (*.mnu)"));
    dialog.setAcceptMode(bSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(bSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QString::fromLatin1(kMenuSuffix));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    QString strName = dialog.selectedFiles().constFirst();
    if (strName.isEmpty())
        return QString();
    // "Load..." lists only .mnu files: a file saved under another name would
    // be lost from view.
    if (bSave && !strName.endsWith(QLatin1Char('.') + QLatin1String(kMenuSuffix), Qt::CaseInsensitive))
        strName += QLatin1Char('.') + QLatin1String(kMenuSuffix);
    AppSettings().setValue(QLatin1String(kFolderKey), QFileInfo(strName).absolutePath());
    return strName;
}

void CKV520MenuDialog::OnLoadButton()
{
    const QString strName = AskFileName(false);
    if (strName.isEmpty())
        return;
    if (!g_pDevice->LoadMenuFile(strName)) {
        // The block is unchanged; so are the widgets, with whatever the user had set.
        ShowFileError(tr("Cannot read the menu file \"%1\".").arg(QDir::toNativeSeparators(strName)));
        return;
    }
    LoadFromDevice();
}

void CKV520MenuDialog::OnSaveButton()
{
    const QString strName = AskFileName(true);
    if (strName.isEmpty())
        return;
    // Into the block only, for the file: the detector gets it on OK.
    StoreToDevice();
    if (!g_pDevice->SaveMenuFile(strName))
        ShowFileError(tr("Cannot save the menu file \"%1\".").arg(QDir::toNativeSeparators(strName)));
}

void CKV520MenuDialog::OnOkButton()
{
    SaveTabIndex();
    StoreToDevice();
    g_pDevice->SetCommand(KV520::kCmdWriteMenu);
    accept();
}

void CKV520MenuDialog::OnCancelButton()
{
    SaveTabIndex();
    reject();
}

void CKV520MenuDialog::OnLevelsButton()
{
    CKV520LevelsDialog dialog(nullptr);
    dialog.exec();
}

void CKV520MenuDialog::OnClearLogButton()
{
    if (QMessageBox::question(this, tr("KV521 Analyzer"), tr("Do you really want to clear all log records?"),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;
    g_pDevice->DiscardMenuEdits();
    g_pDevice->SetCommand(KV520::kCmdClearLog);
    accept();
}

void CKV520MenuDialog::OnFreqmeterValueChanged(int nValue)
{
    m_pUi->m_pFreqmeterLabel->setText(QStringLiteral("%1").arg(nValue, 2, 10, QLatin1Char('0')));
}

void CKV520MenuDialog::OnRecTimeValueChanged(int nValue)
{
    static const char* const kTimes[] = {QT_TR_NOOP("30 sec"), QT_TR_NOOP("2 min"), QT_TR_NOOP("10 min"),
                                         QT_TR_NOOP("20 min"), QT_TR_NOOP("60 min")};
    if (nValue >= 0 && nValue < int(std::size(kTimes)))
        m_pUi->m_pRecTimeLabel->setText(tr(kTimes[nValue]));
}

void CKV520MenuDialog::OnLevelValueChanged(int nValue)
{
    m_pUi->m_pRelativeLevelLabel->setText(tr("%1 dB").arg(nValue, 2, 10, QLatin1Char('0')));
}

void CKV520MenuDialog::OnDelayValueChanged(int nValue)
{
    m_pUi->m_pDelaySliderLabel->setText(tr("%1s").arg(MinutesSeconds(nValue)));
}

void CKV520MenuDialog::OnBrightnessSlider(int nValue)
{
    m_pUi->m_pBrightnessSliderLabel->setText(QStringLiteral("%1%").arg(nValue * 10, 2, 10, QLatin1Char('0')));
}

void CKV520MenuDialog::OnAutoOffSlider(int nValue)
{
    // The top of the scale is shown as the detector shows it.
    const QString strTime = nValue == 233 ? QStringLiteral("99:99") : MinutesSeconds(nValue);
    m_pUi->m_pAutoOffSliderLabel->setText(tr("%1s").arg(strTime));
}

void CKV520MenuDialog::OnTimeCorrSlider(int nValue)
{
    const int nCorrection = nValue - kTimeCorrectionZero;
    m_pUi->m_pTimeCorrSliderLabel->setText(
        tr("%1%2 s").arg(nCorrection < 0 ? QStringLiteral("-") : QStringLiteral("+"), MinutesSeconds(qAbs(nCorrection))));
}

void CKV520MenuDialog::OnStartSlider(int nValue)
{
    m_pUi->m_pStartSliderLabel->setText(tr("%1 h").arg(nValue, 2, 10, QLatin1Char('0')));
}

void CKV520MenuDialog::OnStopSlider(int nValue)
{
    m_pUi->m_pStopSliderLabel->setText(tr("%1 h").arg(nValue, 2, 10, QLatin1Char('0')));
}

void CKV520MenuDialog::OnTimer()
{
    QDateTimeEdit* pEdit = m_pUi->m_pClockEdit;
    // Never fight the user's typing.
    if (pEdit->hasFocus())
        return;
    const QDateTime shown = pEdit->dateTime();
    const QTime next = shown.time().addSecs(1);
    const QDate date = next < shown.time() ? shown.date().addDays(1) : shown.date();
    pEdit->setDateTime(QDateTime(date, next, Qt::UTC));
}
