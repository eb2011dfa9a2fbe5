// The exchange worker against a detector whose every answer comes from the
// input: data frames, clock requests, log blocks and stray bytes, with or
// without a good checksum, while commands 2, 5, 6, 7 and key presses are
// queued between answers. Whatever arrives, the worker must stay within the
// protocol, send each queued command at most once, finish a download with a
// result, and let the link go when the line falls silent.
#include "fuzzcheck.h"
#include "fuzzreader.h"
#include "fakeserialhandle.h"
#include "kv520device.h"

#include <QCoreApplication>

#include <map>

using namespace KV520;

namespace {
constexpr int kFrameHead = kOscSamples + 8; // everything but the bulk of the trace

struct Queued
{
    std::map<int, int> counts;
    qsizetype nLastReadLogAt = -1; // the write during which a download was last asked for
};

QByteArray NextAnswer(CFuzzReader& input, CKV520Device& device, Queued& queued, qsizetype nWrite)
{
    if (input.Remaining() == 0)
        return QByteArray(); // the detector falls silent
    const uint8_t nKind = input.Byte();
    static const uint8_t kCommands[] = {kCmdReadLog, kCmdWriteMenu, kCmdFactoryReset, kCmdClearLog, kCmdKey};
    const int nCommand = (nKind >> 3) & 7;
    if (nCommand < 5) {
        if (kCommands[nCommand] == kCmdKey)
            device.PressKey(input.Byte() & 0x0F);
        else
            device.SetCommand(kCommands[nCommand]);
        ++queued.counts[kCommands[nCommand]];
        if (kCommands[nCommand] == kCmdReadLog)
            queued.nLastReadLogAt = nWrite;
    }

    QByteArray answer;
    int nChecksummed = 0;
    int nChecksum = 0;
    switch (nKind & 3) {
    case 0: // data frame
    case 1: // clock request
        answer = QByteArray(kFrameSize, '\0');
        answer[0] = char(nKind & 1);
        nChecksummed = kFrameChecksum;
        nChecksum = kFrameChecksum;
        input.Fill(answer.data() + 1, kFrameHead - 1);
        break;
    case 2: { // log block
        answer = QByteArray(kLogBlockSize, '\0');
        input.Fill(answer.data(), kLogBlockChecksum);
        if (nKind & 0x40)
            answer[kLogBlockMarker] = char(kLogMarker);
        nChecksummed = kLogBlockChecksummed;
        nChecksum = kLogBlockChecksum;
        break;
    }
    default: // whatever bytes, of any length
        return input.Bytes(input.Word() % 6000);
    }
    if (!(nKind & 4))
        answer[nChecksum] = char(Checksum(reinterpret_cast<const uint8_t*>(answer.constData()), size_t(nChecksummed)));
    return answer;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int* pArgc, char*** pArgv)
{
    StartFuzzApplication<QCoreApplication>(pArgc, pArgv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    // The ring is large; one device serves every input, started afresh each time.
    static CKV520Device device;
    device.SetCommand(kNoCommand);
    device.SetPortOverride(QStringLiteral("fuzz"));
    device.SetPacing(0, 0);

    CFuzzReader input(pData, nSize);
    Queued queued;
    int nFrameAnswers = 0;
    qsizetype nWrites = 0;
    auto pDetector = std::make_shared<CFakeSerialHandle>(
        [&](const QByteArray& written) {
            const qsizetype nWrite = nWrites++;
            if (written.size() != 1 || (uint8_t(written[0]) != kPollRequest && uint8_t(written[0]) != kNextBlockRequest))
                return QByteArray();
            const QByteArray answer = NextAnswer(input, device, queued, nWrite);
            if (uint8_t(written[0]) == kPollRequest)
                ++nFrameAnswers;
            return answer;
        },
        1);
    device.SetSerialHandle(pDetector);
    device.Start();
    // Silence after the last answer closes the link; a worker that never gets
    // there is stuck.
    FUZZ_CHECK(pDetector->WaitForCloses(1, 20000));
    device.Stop();
    FUZZ_CHECK(!device.HasFailed());

    // Every write is a request, a command with what belongs to it, or a clock answer.
    const QList<QByteArray> writes = pDetector->Writes();
    std::map<int, int> sent;
    qsizetype nLastDownloadAt = -1;
    for (qsizetype i = 0; i < writes.size(); ++i) {
        const QByteArray& w = writes[i];
        const uint8_t nFirst = uint8_t(w.at(0));
        if (w.size() == kClockAnswerSize) {
            FUZZ_CHECK(nFirst == 1);
            continue;
        }
        if (nFirst == kPollRequest || nFirst == kNextBlockRequest || nFirst == kNoCommand) {
            FUZZ_CHECK(w.size() == 1);
            continue;
        }
        ++sent[nFirst];
        if (nFirst == kCmdReadLog)
            nLastDownloadAt = i;
        // A command goes out in one write with the bytes it carries.
        if (nFirst == kCmdWriteMenu) {
            FUZZ_CHECK(w.size() == 1 + kMenuExchanged + kClockSize);
        } else if (nFirst == kCmdKey) {
            FUZZ_CHECK(w.size() == 2);
            const uint8_t nKeyByte = uint8_t(w.at(1));
            FUZZ_CHECK((nKeyByte >> 4) >= 1 && (nKeyByte >> 4) <= 10);
        } else {
            FUZZ_CHECK(w.size() == 1);
            FUZZ_CHECK(nFirst == kCmdFactoryReset || nFirst == kCmdClearLog || nFirst == kCmdReadLog);
        }
    }
    for (const auto& [nCommand, nCount] : sent)
        FUZZ_CHECK(nCount <= queued.counts[nCommand]);

    const int nProgress = device.GetProgress()->load();
    FUZZ_CHECK(nProgress >= 0 && nProgress <= kProgressFailed);
    // A download asked for again but never sent starts from 0 again; one that
    // was sent has ended by now, one way or the other.
    if (nLastDownloadAt > queued.nLastReadLogAt && queued.nLastReadLogAt >= 0)
        FUZZ_CHECK(nProgress == kProgressDone || nProgress == kProgressFailed);

    FUZZ_CHECK(device.GetRecordCount() <= nFrameAnswers);
    if (device.GetRecordCount() > 0)
        FUZZ_CHECK(device.GetLastRecord().m_Levels.size() == 6);
    FUZZ_CHECK(device.GetOscilloscopeSamples(nullptr).size() == kOscSampleCount);
    return 0;
}
