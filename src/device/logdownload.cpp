#include "logdownload.h"

#include "devicefiles.h"
#include "idevice.h"
#include "kv520protocol.h"

CLogDownload::CLogDownload(IDevice& device) : m_Device(device) {}

void CLogDownload::Start()
{
    m_Device.SetCommand(KV520::kCmdReadLog);
}

const std::atomic<int>* CLogDownload::Progress() const
{
    return m_Device.GetProgress();
}

CLogDownload::State CLogDownload::Poll() const
{
    const std::atomic<int>* pProgress = m_Device.GetProgress();
    const int nValue = pProgress ? pProgress->load() : KV520::kProgressFailed;
    if (nValue == KV520::kProgressDone)
        return State::Read;
    if (nValue == KV520::kProgressFailed)
        return State::ReadFailed;
    return State::Reading;
}

CLogDownload::Result CLogDownload::Save(const QString& strFolder)
{
    Result result;
    result.nBlocks = m_Device.GetLogBlockCount();
    if (Poll() != State::Read) {
        result.strError = tr("An error occured reading the log.");
        return result;
    }
    if (!m_Device.SaveLogFile(strFolder)) {
        result.strError = m_Device.GetLastFileError();
        return result;
    }
    result.files = m_Device.GetLastSavedFiles();
    if (m_Device.IsLogCut()) {
        result.eOutcome = Outcome::Cut;
        result.strError = CDeviceFiles::LogCutNotice(result.nBlocks);
    } else if (result.files.isEmpty()) {
        result.eOutcome = Outcome::NoEvents;
        result.strError = CDeviceFiles::NoEventsNotice();
    } else {
        result.eOutcome = Outcome::Saved;
    }
    return result;
}
