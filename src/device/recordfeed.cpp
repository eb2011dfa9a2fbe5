#include "recordfeed.h"

#include "idevice.h"
#include "irecordsink.h"
#include "kv520protocol.h"

#include <algorithm>

CRecordFeed::CRecordFeed(IDevice* pDevice) : m_pDevice(pDevice) {}

void CRecordFeed::SetDevice(IDevice* pDevice)
{
    if (pDevice == m_pDevice)
        return;
    m_pDevice = pDevice;
    m_nNext = 0;
    for (IRecordSink* pSink : m_Sinks)
        pSink->OnHistoryRestarted();
}

void CRecordFeed::Subscribe(IRecordSink* pSink)
{
    if (pSink && std::find(m_Sinks.begin(), m_Sinks.end(), pSink) == m_Sinks.end())
        m_Sinks.push_back(pSink);
}

void CRecordFeed::Unsubscribe(IRecordSink* pSink)
{
    m_Sinks.erase(std::remove(m_Sinks.begin(), m_Sinks.end(), pSink), m_Sinks.end());
}

void CRecordFeed::SkipStored()
{
    if (m_pDevice)
        m_nNext = m_pDevice->GetRecordTotal();
}

int64_t CRecordFeed::Poll()
{
    if (!m_pDevice)
        return 0;
    const int64_t nTotal = m_pDevice->GetRecordTotal();
    if (nTotal < m_nNext) {
        // A restarted device counts from 0 again.
        m_nNext = 0;
        for (IRecordSink* pSink : m_Sinks)
            pSink->OnHistoryRestarted();
    }
    int64_t nHanded = 0;
    m_Buffer.resize(kBatch);
    while (m_nNext < nTotal) {
        // Records older than the ring holds are gone; go on with the oldest left.
        const int64_t nOldest = nTotal - KV520::kHistorySize;
        if (m_nNext < nOldest) {
            const int64_t nMissed = nOldest - m_nNext;
            m_nMissed += nMissed;
            m_nNext = nOldest;
            for (IRecordSink* pSink : m_Sinks)
                pSink->OnRecordsMissed(nMissed);
        }
        const int nWanted = int(std::min<int64_t>(kBatch, nTotal - m_nNext));
        const int nCopied = m_pDevice->CopyRawRecords(m_nNext, nWanted, m_Buffer.data());
        if (nCopied <= 0)
            break;
        // A sink may unsubscribe itself while it is handed records.
        const std::vector<IRecordSink*> sinks = m_Sinks;
        for (IRecordSink* pSink : sinks)
            pSink->OnRecords(m_nNext, m_Buffer.data(), nCopied);
        m_nNext += nCopied;
        nHanded += nCopied;
    }
    return nHanded;
}
