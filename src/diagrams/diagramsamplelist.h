#pragma once

#include "diagramsample.h"

#include <QtGlobal>

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

// The samples of one signal, in order of arrival. Signals grow for hours, so
// they are kept in fixed-size chunks: growing never copies old samples, and
// nothing beyond the last chunk is allocated ahead. Within a chunk a sample
// takes 8 bytes: its x as a whole-number offset from the chunk's first x and
// its level as a float. A sample that cannot be packed that way exactly (a
// fractional or earlier x, a level a float would round, another tag or x kind
// than the chunk's first sample) is kept whole beside the chunk, so every
// sample reads back exactly as it was stored.
class CDiagramSampleList
{
public:
    static constexpr int kChunkShift = 12;
    static constexpr size_t kChunk = size_t(1) << kChunkShift;

    CDiagramSampleList() = default;
    CDiagramSampleList(const CDiagramSampleList& other);
    CDiagramSampleList& operator=(const CDiagramSampleList& other);
    CDiagramSampleList(CDiagramSampleList&& other) noexcept;
    // Assigning counts the previous samples as dropped (see DroppedCount).
    CDiagramSampleList& operator=(CDiagramSampleList&& other) noexcept;

    size_t size() const { return m_nSize; }
    bool empty() const { return m_nSize == 0; }
    void clear();
    // Chunks are allocated whole; there is no spare capacity to give back.
    void shrink_to_fit() {}

    void push_back(const CDiagramSample& sample);
    template <class... Args>
    void emplace_back(Args&&... args) { push_back(CDiagramSample(std::forward<Args>(args)...)); }

    CDiagramSample operator[](size_t i) const;
    CDiagramSample front() const { return (*this)[0]; }
    CDiagramSample back() const { return (*this)[m_nSize - 1]; }
    // The hot parts of a sample without building it.
    double XValue(size_t i) const;
    double YValue(size_t i) const;
    qint32 Tag(size_t i) const;
    // All three at once, for loops that need them together.
    void Read(size_t i, double& dX, double& dY, qint32& nTag) const;
    // Calls f(x, y, tag) for the samples from i0 up to i1 (exclusive) until f
    // returns false; returns the index of the sample that stopped it, or i1.
    // Runs chunk by chunk, so a sample costs no lookup of its chunk.
    template <class F>
    size_t ForEach(size_t i0, size_t i1, F&& f) const;

    // Drops whole chunks from the front until at most nMax samples remain;
    // returns how many samples went. Indexes of the remaining samples move
    // down by that count.
    size_t DropOldest(size_t nMax);
    // All samples ever dropped from the front; never decreases, so a reader that
    // remembers it can tell how far its own indexes moved.
    quint64 DroppedCount() const { return m_nDropped; }
    // Bytes held, including the unused rest of the last chunk.
    size_t AllocatedBytes() const;

private:
    struct Packed {
        quint32 nDx; // kEscape: the sample is kept whole, fY's bits index the extras
        float fY;
    };
    static constexpr quint32 kEscape = 0xffffffffu;
    struct Chunk {
        double dBase = 0.0;
        qint32 nTag = 0;
        CDiagramSample::XKind eKind = CDiagramSample::XK_Null;
        std::vector<CDiagramSample> extras;
        Packed samples[kChunk]; // left uninitialised: only the first m_nSize count
    };

    const Chunk& ChunkOf(size_t i) const { return *m_chunks[i >> kChunkShift]; }
    static quint32 ExtraIndex(const Packed& p);

    std::vector<std::unique_ptr<Chunk>> m_chunks;
    size_t m_nSize = 0;
    quint64 m_nDropped = 0;
};

inline quint32 CDiagramSampleList::ExtraIndex(const Packed& p)
{
    quint32 n;
    static_assert(sizeof(n) == sizeof(p.fY), "index must fit the level's bits");
    std::memcpy(&n, &p.fY, sizeof(n));
    return n;
}

inline double CDiagramSampleList::XValue(size_t i) const
{
    const Chunk& c = ChunkOf(i);
    const Packed& p = c.samples[i & (kChunk - 1)];
    return p.nDx != kEscape ? c.dBase + double(p.nDx) : c.extras[ExtraIndex(p)].XValue();
}

inline double CDiagramSampleList::YValue(size_t i) const
{
    const Chunk& c = ChunkOf(i);
    const Packed& p = c.samples[i & (kChunk - 1)];
    return p.nDx != kEscape ? double(p.fY) : c.extras[ExtraIndex(p)].YValue();
}

inline qint32 CDiagramSampleList::Tag(size_t i) const
{
    const Chunk& c = ChunkOf(i);
    const Packed& p = c.samples[i & (kChunk - 1)];
    return p.nDx != kEscape ? c.nTag : c.extras[ExtraIndex(p)].Tag();
}

inline void CDiagramSampleList::Read(size_t i, double& dX, double& dY, qint32& nTag) const
{
    const Chunk& c = ChunkOf(i);
    const Packed& p = c.samples[i & (kChunk - 1)];
    if (p.nDx != kEscape) {
        dX = c.dBase + double(p.nDx);
        dY = double(p.fY);
        nTag = c.nTag;
    } else {
        const CDiagramSample& s = c.extras[ExtraIndex(p)];
        dX = s.XValue();
        dY = s.YValue();
        nTag = s.Tag();
    }
}

template <class F>
size_t CDiagramSampleList::ForEach(size_t i0, size_t i1, F&& f) const
{
    i1 = std::min(i1, m_nSize);
    size_t i = i0;
    while (i < i1) {
        const Chunk& c = ChunkOf(i);
        const size_t nEnd = std::min(i1, (i | (kChunk - 1)) + 1);
        const Packed* p = c.samples + (i & (kChunk - 1));
        const double dBase = c.dBase;
        const qint32 nTag = c.nTag;
        for (; i < nEnd; ++i, ++p) {
            if (p->nDx != kEscape) {
                if (!f(dBase + double(p->nDx), double(p->fY), nTag))
                    return i;
            } else {
                const CDiagramSample& s = c.extras[ExtraIndex(*p)];
                if (!f(s.XValue(), s.YValue(), s.Tag()))
                    return i;
            }
        }
    }
    return i;
}

// Index of the first sample whose x is >= dX (count if none). Requires ascending x,
// which time diagrams guarantee; used to start painting at the visible window.
qsizetype FirstSampleAtOrAfter(const CDiagramSampleList& samples, double dX);
