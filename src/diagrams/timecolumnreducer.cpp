#include "timecolumnreducer.h"

#include <algorithm>

namespace {

void Merge(CTimeColumnReducer::Block& into, const CTimeColumnReducer::Block& b)
{
    into.dXMax = std::max(into.dXMax, b.dXMax);
    into.dEndMax = std::max(into.dEndMax, b.dEndMax);
    into.dYMin = std::min(into.dYMin, b.dYMin);
    into.dYMax = std::max(into.dYMax, b.dYMax);
}

} // namespace

CTimeColumnReducer::Summary& CTimeColumnReducer::Update(const CDiagramSampleList& samples)
{
    Summary& s = m_cache[&samples];
    const size_t n = samples.size();
    const quint64 nDropped = samples.DroppedCount() - s.nDropped;
    if (nDropped > 0) {
        // Whole chunks went from the front: the summaries of what remains stay
        // valid, one group boundary further on. The last view is gone with them.
        if (nDropped <= s.nCovered && nDropped % quint64(kGroup) == 0) {
            s.blocks.erase(s.blocks.begin(), s.blocks.begin() + qsizetype(nDropped / kBlock));
            s.groups.erase(s.groups.begin(),
                           s.groups.begin() + qsizetype(std::min<quint64>(nDropped / kGroup, s.groups.size())));
            s.nCovered -= size_t(nDropped);
            s.nDropped = samples.DroppedCount();
            s.nWidth = -1;
        } else {
            s = Summary();
            s.nDropped = samples.DroppedCount();
        }
    }
    // The last summarised sample doubles as a cheap check that the list was only
    // appended to since the previous paint.
    if (n < s.nCovered
        || (s.nCovered > 0
            && (samples.XValue(s.nCovered - 1) != s.dLastX || samples.YValue(s.nCovered - 1) != s.dLastY))) {
        s = Summary();
        s.nDropped = samples.DroppedCount();
    }
    const size_t nFull = n / size_t(kBlock);
    for (size_t b = s.blocks.size(); b < nFull; ++b) {
        const size_t i0 = b * size_t(kBlock);
        Block blk;
        blk.dXMax = samples.XValue(i0);
        blk.dEndMax = blk.dXMax + qMax(0, samples.Tag(i0));
        blk.dYMin = blk.dYMax = samples.YValue(i0);
        for (size_t i = i0 + 1; i < i0 + size_t(kBlock); ++i) {
            double x, y;
            qint32 nTag;
            samples.Read(i, x, y, nTag);
            blk.dXMax = std::max(blk.dXMax, x);
            blk.dEndMax = std::max(blk.dEndMax, x + qMax(0, nTag));
            blk.dYMin = std::min(blk.dYMin, y);
            blk.dYMax = std::max(blk.dYMax, y);
        }
        s.blocks.push_back(blk);
    }
    constexpr size_t kPerGroup = size_t(kGroup / kBlock);
    for (size_t g = s.groups.size(); g < s.blocks.size() / kPerGroup; ++g) {
        Block grp = s.blocks[g * kPerGroup];
        for (size_t b = 1; b < kPerGroup; ++b)
            Merge(grp, s.blocks[g * kPerGroup + b]);
        s.groups.push_back(grp);
    }
    s.nCovered = nFull * size_t(kBlock);
    if (s.nCovered > 0) {
        s.dLastX = samples.XValue(s.nCovered - 1);
        s.dLastY = samples.YValue(s.nCovered - 1);
    }
    return s;
}

const std::vector<CTimeColumnReducer::Block>&
CTimeColumnReducer::Blocks(const CDiagramSampleList& samples)
{
    return Update(samples).blocks;
}

void CTimeColumnReducer::Reduce(const CDiagramSampleList& samples, qsizetype nStart,
                                quint64 visMin, quint64 visMax, int nWidth,
                                std::vector<Column>& out)
{
    if (nWidth <= 0 || visMax <= visMin || nStart < 0) {
        out.assign(size_t(qMax(0, nWidth) + 1), Column());
        return;
    }
    Summary& s = Update(samples);
    const qsizetype n = qsizetype(samples.size());
    const bool bSameView = s.visMin == visMin && s.visMax == visMax && s.nWidth == nWidth
        && s.nStart == nStart && n >= s.nSize && s.nSize > 0
        && samples.XValue(size_t(s.nSize - 1)) == s.dSizeX
        && samples.YValue(size_t(s.nSize - 1)) == s.dSizeY;
    if (bSameView && (n == s.nSize || s.nStop < s.nSize)) {
        // Nothing new, or the new samples lie past the window's end.
        s.nSize = n;
        s.dSizeX = samples.XValue(size_t(n - 1));
        s.dSizeY = samples.YValue(size_t(n - 1));
        out = s.columns;
        return;
    }
    qsizetype i = nStart;
    if (bSameView) {
        // Appended samples: only the last filled column and those after it change.
        size_t c = s.columns.size();
        while (c > 0 && !s.columns[c - 1].bUsed)
            --c;
        if (c > 0) {
            i = s.columns[c - 1].nFirst;
            std::fill(s.columns.begin() + qsizetype(c - 1), s.columns.end(), Column());
        }
    } else {
        s.columns.assign(size_t(nWidth) + 1, Column());
    }
    s.nStop = Walk(samples, s, i, visMin, visMax, nWidth, s.columns);
    s.visMin = visMin;
    s.visMax = visMax;
    s.nWidth = nWidth;
    s.nStart = nStart;
    s.nSize = n;
    if (n > 0) {
        s.dSizeX = samples.XValue(size_t(n - 1));
        s.dSizeY = samples.YValue(size_t(n - 1));
    }
    out = s.columns;
}

qsizetype CTimeColumnReducer::Walk(const CDiagramSampleList& samples, const Summary& s, qsizetype i,
                                   quint64 visMin, quint64 visMax, int nWidth,
                                   std::vector<Column>& out)
{
    const qsizetype n = qsizetype(samples.size());
    const quint64 span = visMax - visMin;
    const double dVisMax = double(visMax);
    const std::vector<Block>& blocks = s.blocks;
    const std::vector<Block>& groups = s.groups;

    while (i < n) {
        const double x0 = samples.XValue(size_t(i));
        if (x0 > dVisMax)
            break;
        // One division per column, not per sample: the column's end is found by
        // comparing times against the first time of the next column.
        const quint64 t0 = x0 > double(visMin) ? quint64(x0) : visMin;
        const int c = int(qMin<quint64>((t0 - visMin) * quint64(nWidth) / span, quint64(nWidth)));
        const quint64 nextStart = visMin + (quint64(c + 1) * span + quint64(nWidth) - 1) / quint64(nWidth);
        const double dLimit = std::min(double(nextStart), dVisMax + 1.0);

        Column& col = out[size_t(c)];
        if (!col.bUsed) {
            col.bUsed = true;
            col.dFirst = col.dMin = col.dMax = samples.YValue(size_t(i));
            col.dEnd = x0 + qMax(0, samples.Tag(size_t(i)));
            col.nFirst = i;
        }
        double dMin = col.dMin, dMax = col.dMax, dEnd = col.dEnd;
        auto takeSamples = [&](bool bToBlock) {
            while (i < n && (!bToBlock || i % kBlock != 0)) {
                double x, y;
                qint32 nTag;
                samples.Read(size_t(i), x, y, nTag);
                if (x >= dLimit)
                    return false;
                dMin = std::min(dMin, y);
                dMax = std::max(dMax, y);
                dEnd = std::max(dEnd, x + qMax(0, nTag));
                ++i;
            }
            return true;
        };
        auto takeSummaries = [&](const std::vector<Block>& level, qsizetype nPer, bool bToGroup) {
            for (size_t b = size_t(i / nPer); b < level.size() && level[b].dXMax < dLimit; ++b) {
                if (bToGroup && i % kGroup == 0)
                    return;
                dMin = std::min(dMin, level[b].dYMin);
                dMax = std::max(dMax, level[b].dYMax);
                dEnd = std::max(dEnd, level[b].dEndMax);
                i += nPer;
            }
        };
        // Samples up to a block boundary, blocks up to a group boundary, whole
        // groups, then blocks and samples again for the column's ragged end.
        if (takeSamples(true)) {
            takeSummaries(blocks, kBlock, true);
            if (i % kGroup == 0)
                takeSummaries(groups, kGroup, false);
            takeSummaries(blocks, kBlock, false);
            takeSamples(false);
        }
        col.dMin = dMin;
        col.dMax = dMax;
        col.dEnd = dEnd;
        col.dLast = samples.YValue(size_t(i - 1));
    }
    return i;
}
