// A downloaded log buffer split into session files in an empty folder: every
// file written must carry a proper name, lie inside that folder and hold its
// session's events numbered from 1.
#include "fuzzcheck.h"
#include "devicefiles.h"
#include "kv520protocol.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstring>

using namespace KV520;

extern "C" int LLVMFuzzerInitialize(int* pArgc, char*** pArgv)
{
    StartFuzzApplication<QCoreApplication>(pArgc, pArgv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    static const QRegularExpression kName(QStringLiteral("^log_\\d{4}_\\d{4}(_\\d+)?\\.ldf$"));
    if (nSize > size_t(kLogBlockSize) * kLogBlockCount)
        return 0;
    const QByteArray blocks(reinterpret_cast<const char*>(pData), qsizetype(nSize));

    QTemporaryDir folder;
    FUZZ_CHECK(folder.isValid());
    const QString strFolder = QFileInfo(folder.path()).canonicalFilePath();
    QString strError;
    QStringList written;
    const bool bOk = CDeviceFiles::SaveLogFile(blocks, strFolder, &strError, &written);
    FUZZ_CHECK(bOk || !strError.isEmpty());
    if (!bOk)
        return 0;

    FUZZ_CHECK(written.isEmpty() == (strError == CDeviceFiles::NoEventsNotice()));
    const QStringList onDisk = QDir(strFolder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    FUZZ_CHECK(QSet<QString>(onDisk.begin(), onDisk.end()) == QSet<QString>(written.begin(), written.end()));
    FUZZ_CHECK(onDisk.size() == written.size());

    for (const QString& strName : written) {
        FUZZ_CHECK(kName.match(strName).hasMatch());
        const QFileInfo info(QDir(strFolder).filePath(strName));
        FUZZ_CHECK(info.isFile() && info.canonicalPath() == strFolder);
        QFile file(info.filePath());
        FUZZ_CHECK(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        FUZZ_CHECK(content.size() > CDeviceFiles::kHeaderSize);
        FUZZ_CHECK((content.size() - CDeviceFiles::kHeaderSize) % qsizetype(sizeof(DeviceRawRecord)) == 0);
        FUZZ_CHECK(qFromBigEndian<qint32>(content.constData()) == CDeviceFiles::kLogVersion);

        // Events are numbered from 1 within their file.
        const char* pRecords = content.constData() + CDeviceFiles::kHeaderSize;
        const qsizetype nRecords = (content.size() - CDeviceFiles::kHeaderSize) / qsizetype(sizeof(DeviceRawRecord));
        for (qsizetype i = 0; i < nRecords; ++i) {
            DeviceRawRecord rec;
            std::memcpy(static_cast<void*>(&rec), pRecords + i * qsizetype(sizeof(rec)), sizeof(rec));
            FUZZ_CHECK(rec.GetSequence() == i + 1);
        }
    }
    return 0;
}
