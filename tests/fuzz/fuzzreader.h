#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstring>

// Reads the input front to back, so the seeds in the corpus can be written by
// hand in the order the target takes them; past the end every read gives zeros.
class CFuzzReader
{
public:
    CFuzzReader(const uint8_t* pData, size_t nSize)
        : m_pData(pData)
        , m_nSize(nSize)
    {
    }

    size_t Remaining() const { return m_nSize - m_nPos; }

    uint8_t Byte()
    {
        return m_nPos < m_nSize ? m_pData[m_nPos++] : 0;
    }

    uint16_t Word()
    {
        const uint16_t nLow = Byte();
        return uint16_t(nLow | (Byte() << 8));
    }

    uint32_t Long()
    {
        const uint32_t nLow = Word();
        return nLow | (uint32_t(Word()) << 16);
    }

    // Up to nCount bytes into pOut; the rest of pOut is zero.
    void Fill(void* pOut, size_t nCount)
    {
        const size_t n = nCount < Remaining() ? nCount : Remaining();
        std::memcpy(pOut, m_pData + m_nPos, n);
        std::memset(static_cast<uint8_t*>(pOut) + n, 0, nCount - n);
        m_nPos += n;
    }

    // Up to nCount bytes, fewer at the end of the input.
    QByteArray Bytes(size_t nCount)
    {
        const size_t n = nCount < Remaining() ? nCount : Remaining();
        const QByteArray bytes(reinterpret_cast<const char*>(m_pData + m_nPos), qsizetype(n));
        m_nPos += n;
        return bytes;
    }

private:
    const uint8_t* m_pData;
    size_t m_nSize;
    size_t m_nPos = 0;
};
