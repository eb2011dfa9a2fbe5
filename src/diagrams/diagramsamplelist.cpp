#include "diagramsamplelist.h"

#include <algorithm>
#include <cmath>

static_assert(sizeof(float) == 4, "a packed sample holds its level in 4 bytes");

CDiagramSampleList::CDiagramSampleList(const CDiagramSampleList& other)
{
    *this = other;
}

CDiagramSampleList& CDiagramSampleList::operator=(const CDiagramSampleList& other)
{
    if (this == &other)
        return *this;
    std::vector<std::unique_ptr<Chunk>> chunks;
    chunks.reserve(other.m_chunks.size());
    for (size_t k = 0; k < other.m_chunks.size(); ++k) {
        const Chunk& from = *other.m_chunks[k];
        std::unique_ptr<Chunk> pChunk(new Chunk);
        pChunk->dBase = from.dBase;
        pChunk->nTag = from.nTag;
        pChunk->eKind = from.eKind;
        pChunk->extras = from.extras;
        // Only the filled part: the rest of the last chunk was never written.
        const size_t nUsed = std::min(kChunk, other.m_nSize - k * kChunk);
        std::memcpy(pChunk->samples, from.samples, nUsed * sizeof(Packed));
        chunks.push_back(std::move(pChunk));
    }
    m_chunks = std::move(chunks);
    m_nDropped += m_nSize;
    m_nSize = other.m_nSize;
    return *this;
}

CDiagramSampleList::CDiagramSampleList(CDiagramSampleList&& other) noexcept
    : m_chunks(std::move(other.m_chunks)), m_nSize(std::exchange(other.m_nSize, 0))
{
    other.m_nDropped += m_nSize;
}

CDiagramSampleList& CDiagramSampleList::operator=(CDiagramSampleList&& other) noexcept
{
    if (this == &other)
        return *this;
    m_chunks = std::move(other.m_chunks);
    m_nDropped += m_nSize;
    m_nSize = std::exchange(other.m_nSize, 0);
    other.m_nDropped += m_nSize;
    return *this;
}

void CDiagramSampleList::clear()
{
    m_chunks.clear();
    m_chunks.shrink_to_fit();
    m_nDropped += m_nSize;
    m_nSize = 0;
}

void CDiagramSampleList::push_back(const CDiagramSample& sample)
{
    const size_t nOffset = m_nSize & (kChunk - 1);
    if (nOffset == 0) {
        // Not value-initialised: zeroing a chunk's samples would cost as much
        // as filling it, and only the filled part is ever read.
        std::unique_ptr<Chunk> pChunk(new Chunk);
        pChunk->dBase = sample.XValue();
        pChunk->nTag = sample.Tag();
        pChunk->eKind = sample.Kind();
        m_chunks.push_back(std::move(pChunk));
    }
    Chunk& c = *m_chunks.back();
    Packed& p = c.samples[nOffset];

    const double dX = sample.XValue();
    const double dY = sample.YValue();
    const double dDx = dX - c.dBase;
    const float fY = static_cast<float>(dY);
    // Comparisons with NaN fail, so NaN levels and times take the exact path.
    const bool bPacks = sample.Kind() == c.eKind && sample.Tag() == c.nTag && dDx >= 0.0
        && dDx < double(kEscape) && std::floor(dDx) == dDx && c.dBase + dDx == dX
        && double(fY) == dY;
    if (bPacks) {
        p.nDx = quint32(dDx);
        p.fY = fY;
    } else {
        const quint32 nIndex = quint32(c.extras.size());
        c.extras.push_back(sample);
        p.nDx = kEscape;
        std::memcpy(&p.fY, &nIndex, sizeof(nIndex));
    }
    ++m_nSize;
}

CDiagramSample CDiagramSampleList::operator[](size_t i) const
{
    const Chunk& c = ChunkOf(i);
    const Packed& p = c.samples[i & (kChunk - 1)];
    if (p.nDx == kEscape)
        return c.extras[ExtraIndex(p)];
    return CDiagramSample(c.dBase + double(p.nDx), c.eKind, double(p.fY), c.nTag);
}

size_t CDiagramSampleList::DropOldest(size_t nMax)
{
    size_t nChunks = 0;
    while (m_nSize - nChunks * kChunk > nMax && (nChunks + 1) * kChunk <= m_nSize)
        ++nChunks;
    if (nChunks == 0)
        return 0;
    m_chunks.erase(m_chunks.begin(), m_chunks.begin() + qsizetype(nChunks));
    const size_t nDropped = nChunks * kChunk;
    m_nSize -= nDropped;
    m_nDropped += nDropped;
    return nDropped;
}

size_t CDiagramSampleList::AllocatedBytes() const
{
    size_t n = m_chunks.capacity() * sizeof(m_chunks[0]);
    for (const auto& pChunk : m_chunks)
        n += sizeof(Chunk) + pChunk->extras.capacity() * sizeof(CDiagramSample);
    return n;
}

qsizetype FirstSampleAtOrAfter(const CDiagramSampleList& samples, double dX)
{
    // Plain binary search over indexes; reading one x costs a chunk lookup,
    // which is negligible next to the cache miss it brings anyway.
    size_t lo = 0, hi = samples.size();
    while (lo < hi) {
        const size_t mid = lo + (hi - lo) / 2;
        if (samples.XValue(mid) < dX)
            lo = mid + 1;
        else
            hi = mid;
    }
    return qsizetype(lo);
}
