// Any bytes read as the sweep details beside a data file: either they are
// refused with a reason, or what was read writes back to the same reading.
#include "fuzzcheck.h"
#include "sidecar.h"

extern "C" int LLVMFuzzerInitialize(int* pArgc, char*** pArgv)
{
    StartFuzzApplication<QCoreApplication>(pArgc, pArgv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const QByteArray json(reinterpret_cast<const char*>(pData), qsizetype(nSize));
    CSidecar sidecar;
    QString strError;
    if (!CSidecar::FromJson(json, sidecar, &strError)) {
        FUZZ_CHECK(!strError.isEmpty());
        return 0;
    }
    const QByteArray written = sidecar.ToJson();
    CSidecar again;
    FUZZ_CHECK(CSidecar::FromJson(written, again, &strError));
    FUZZ_CHECK(again.ToJson() == written);
    return 0;
}
