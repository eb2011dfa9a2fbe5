// A settings file loaded into the device, edited through the settings dialog's
// rules (OK without any change by the user) and written back: the positions
// no editor owns must come back as they were, and every edited one must hold
// a value its editor can write.
#include "fuzzcheck.h"
#include "idevice.h"
#include "kv520device.h"
#include "kv520menudialog.h"
#include "kv520menulayout.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <array>

using namespace KV520;

extern "C" int LLVMFuzzerInitialize(int* pArgc, char*** pArgv)
{
    StartFuzzApplication<QApplication>(pArgc, pArgv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    static CKV520Device device; // never started: the dialog only reads and writes the block
    static QTemporaryDir folder;
    g_pDevice = &device;
    const QString strIn = folder.filePath(QStringLiteral("in.mnu"));
    const QString strOut = folder.filePath(QStringLiteral("out.mnu"));
    {
        QFile file(strIn);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(reinterpret_cast<const char*>(pData), qint64(nSize)) == qint64(nSize));
    }

    std::array<uint8_t, kMenuSize> expected;
    for (int p = 0; p < kMenuSize; ++p)
        expected[size_t(p)] = device.GetMenuByte(p);
    const bool bLoaded = device.LoadMenuFile(strIn);
    FUZZ_CHECK(bLoaded == (nSize > 0));
    FUZZ_CHECK(bLoaded || !device.GetLastFileError().isEmpty());
    std::copy(pData, pData + std::min<size_t>(nSize, kMenuSize), expected.begin());
    for (int p = 0; p < kMenuSize; ++p)
        FUZZ_CHECK(device.GetMenuByte(p) == expected[size_t(p)]);

    {
        CKV520MenuDialog dialog;
        auto* pOk = dialog.findChild<QPushButton*>(QStringLiteral("m_pOkButton"));
        FUZZ_CHECK(pOk);
        pOk->click();
        FUZZ_CHECK(dialog.result() == QDialog::Accepted);
    }
    FUZZ_CHECK(device.PendingCommand() == kCmdWriteMenu);
    FUZZ_CHECK(device.SaveMenuFile(strOut));
    QFile file(strOut);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    FUZZ_CHECK(saved.size() == kMenuSize);
    auto at = [&](int nPos) { return uint8_t(saved[nPos]); };

    using namespace KV520Menu;
    // Not edited at all, and the radio groups, which store what they loaded or nothing.
    for (int nPos : {0, 10, 11, 12, 13, 26, 28, 41, kSortOrder, kLanguage, kSensitivity})
        FUZZ_CHECK(at(nPos) == expected[size_t(nPos)]);
    for (int p = 46; p < kMenuSize; ++p)
        FUZZ_CHECK(at(p) == expected[size_t(p)]);
    for (int nPos : {kCapture, kGsm, kDect, kBluetooth, kWlan, kDisplay, kHold, kSchedule, kKeyTone, kSyncPc,
                     kEveryday, kLogger, kRange1, kRange2, kAutoOn, kRecorder, kVibro, kLevelMode})
        FUZZ_CHECK(at(nPos) <= 1);
    FUZZ_CHECK(at(kLowPass) == 0);
    FUZZ_CHECK(at(kAutoOff) >= 3 && at(kAutoOff) <= 29);
    return 0;
}
