#pragma once

#include "kv520device.h"
#include "kv520protocol.h"

#include <cstdint>
#include <vector>

// A detector on a link that is up, without the link: its frames are stored
// through the real data model as the worker stores them. Record n carries n
// in its first two level bytes and 10:05 plus n quarter seconds (mod 1000)
// on 3 May.
class CLinkedDevice : public CKV520Device
{
public:
    bool m_bLinked = true;
    bool IsConnected() override { return m_bLinked; }

    void Store(int nCount)
    {
        using namespace KV520;
        std::vector<uint8_t> f(kFrameSize, 0);
        f[kDay] = 2;
        f[kMonth] = 4;
        f[kBandMask] = 1;
        for (int i = 0; i < nCount; ++i) {
            f[kLevelBlock] = uint8_t(m_nStored);
            f[kLevelBlock + 1] = uint8_t(m_nStored >> 8);
            Model().StoreDataFrame(f.data(), 10 * kTicksPerHour + 5 * kTicksPerMinute + (m_nStored % 1000));
            ++m_nStored;
        }
    }
    int m_nStored = 0;
};
