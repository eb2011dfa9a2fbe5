#include "menusettingstable.h"

#include "kv520menupositions.h"
#include "kv520protocol.h"

#include <QTime>

#include <algorithm>
#include <cstdlib>

using namespace KV520Menu;

namespace {

// The contexts of the menu dialog's form and code, and the levels dialog's form.
QString Form(const char* pText)
{
    return QCoreApplication::translate("CKV520MenuDialogClass", pText);
}

QString Dialog(const char* pText)
{
    return QCoreApplication::translate("CKV520MenuDialog", pText);
}

QString Levels(const char* pText)
{
    return QCoreApplication::translate("CKV520LevelsDialogClass", pText);
}

QString MinutesSeconds(int nSeconds)
{
    return QTime(0, 0).addSecs(nSeconds).toString(QStringLiteral("mm:ss"));
}

} // namespace

QList<CMenuSettingsTable::Row> CMenuSettingsTable::Rows(const QByteArray& menu)
{
    QList<Row> rows;
    if (menu.size() < KV520::kMenuExchanged)
        return rows;
    const auto at = [&](int nPos) { return int(quint8(menu[nPos])); };
    const auto onOff = [&](int nPos) { return at(nPos) != 0 ? tr("on") : tr("off"); };
    const auto choice = [&](int nPos, const QStringList& names) {
        return at(nPos) < names.size() ? names[at(nPos)] : tr("unknown (%1)").arg(at(nPos));
    };
    const auto dB = [](int nValue) { return Dialog("%1 dB").arg(nValue, 2, 10, QLatin1Char('0')); };
    const auto hour = [](int nValue) { return Dialog("%1 h").arg(nValue, 2, 10, QLatin1Char('0')); };

    QString strGroup = Form("Range");
    rows.append({strGroup, Form("Enable Range 1"), onOff(kRange1)});
    rows.append({strGroup, Form("Enable Range 2"), onOff(kRange2)});
    rows.append({strGroup, Form("Freqmeter priority"), QStringLiteral("%1").arg(at(kFreqmeter), 2, 10, QLatin1Char('0'))});
    strGroup = Form("Logging");
    rows.append({strGroup, Form("Enable Logging"), onOff(kLogger)});
    rows.append({strGroup, Form("Sort Order"),
                 choice(kSortOrder, {Form("By Time"), Form("By Level"), Form("By Frequency Range"), Form("By Duration")})});
    strGroup = Form("Recorder");
    rows.append({strGroup, Form("Enable"), onOff(kRecorder)});
    rows.append({strGroup, Form("Time"),
                 choice(kRecorderTime, {Dialog("30 sec"), Dialog("2 min"), Dialog("10 min"), Dialog("20 min"), Dialog("60 min")})});

    strGroup = Form("Event");
    if (at(kLevelMode) == 0) {
        rows.append({strGroup, Form("Common relative signal level"), dB(at(kRelConst1))});
    } else {
        const QString strRelative = Levels("Relative Signal Level");
        const QString strAbsolute = Levels("Absolute Signal Level");
        const QString strBands[2] = {Levels("1st Band"), Levels("2nd Band")};
        const QString strConst = Levels("Constant Component");
        const QString strPulse = Levels("Pulse Component");
        rows.append({strGroup, Form("Individual signals levels"), QString()});
        // Positions 2-9: relative constant, absolute constant, relative pulse, absolute pulse; per band.
        for (int nBand = 0; nBand < 2; ++nBand) {
            const int nBase = kRelConst1 + 4 * nBand;
            const QString strPrefix = QStringLiteral("  ") + strBands[nBand] + QStringLiteral(", ");
            rows.append({strGroup, strPrefix + strRelative + QStringLiteral(", ") + strConst, dB(at(nBase))});
            rows.append({strGroup, strPrefix + strAbsolute + QStringLiteral(", ") + strConst, dB(at(nBase + 1))});
            rows.append({strGroup, strPrefix + strRelative + QStringLiteral(", ") + strPulse, dB(at(nBase + 2))});
            rows.append({strGroup, strPrefix + strAbsolute + QStringLiteral(", ") + strPulse, dB(at(nBase + 3))});
        }
    }
    rows.append({strGroup, Form("Delay"), Dialog("%1s").arg(MinutesSeconds(at(kEventDelay)))});
    rows.append({strGroup, Form("Frequency Capture"), onOff(kCapture)});
    strGroup = Form("Indication");
    rows.append({strGroup, Form("Display"), onOff(kDisplay)});
    rows.append({strGroup, Form("Hold"), onOff(kHold)});
    rows.append({strGroup, Form("Vibro"), onOff(kVibro)});
    strGroup = Form("Signals");
    rows.append({strGroup, Form("DECT"), onOff(kDect)});
    rows.append({strGroup, Form("GSM"), onOff(kGsm)});
    rows.append({strGroup, Form("Bluetooth"), onOff(kBluetooth)});
    rows.append({strGroup, Form("WLAN"), onOff(kWlan)});
    strGroup = Form("Sensitivity");
    rows.append({strGroup, Form("Sensitivity"), choice(kSensitivity, {Form("High"), Form("Middle"), Form("Low")})});

    strGroup = Form("Language");
    rows.append({strGroup, Form("Language"), choice(kLanguage, {Form("English"), QStringLiteral("\u0420\u0443\u0441\u0441\u043a\u0438\u0439")})});
    strGroup = Form("Display");
    rows.append({strGroup, Form("Brightness"), QStringLiteral("%1%").arg(at(kBrightness) * 10, 2, 10, QLatin1Char('0'))});
    // As the dialog's slider shows it: within 24-233 s, its top shown as the detector does.
    const int nAutoOff = std::clamp(at(kAutoOff) * kAutoOffUnit, 24, 233);
    rows.append({strGroup, Form("Display Auto-Off"),
                 Dialog("%1s").arg(nAutoOff == 233 ? QStringLiteral("99:99") : MinutesSeconds(nAutoOff))});
    rows.append({strGroup, Form("Display Auto-On"), onOff(kAutoOn)});
    rows.append({strGroup, Form("Key Tone"), onOff(kKeyTone)});
    strGroup = Form("Clock");
    rows.append({strGroup, Form("Sync with PC"), onOff(kSyncPc)});
    const int nCorrection = at(kTimeCorrection) - kTimeCorrectionZero;
    rows.append({strGroup, Form("Time Correction"),
                 Dialog("%1%2 s").arg(nCorrection < 0 ? QStringLiteral("-") : QStringLiteral("+"), MinutesSeconds(std::abs(nCorrection)))});
    strGroup = Form("Schedule");
    rows.append({strGroup, Form("Enable"), onOff(kSchedule)});
    rows.append({strGroup, Form("Start Time"), hour(at(kScheduleStart))});
    rows.append({strGroup, Form("Stop Time"), hour(at(kScheduleStop))});
    rows.append({strGroup, Form("Everyday"), onOff(kEveryday)});
    return rows;
}
