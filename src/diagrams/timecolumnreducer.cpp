#include "timecolumnreducer.h"

#include <algorithm>

const std::vector<CTimeColumnReducer::Block>&
CTimeColumnReducer::Blocks(const CDiagramSampleList& samples)
{
    Summary& s = m_cache[&samples];
    const size_t n = samples.size();
    // The last summarised sample doubles as a cheap check that the list was only
    // appended to since the previous paint.
    if (n < s.nCovered
        || (s.nCovered > 0
            && (samples[s.nCovered - 1].XValue() != s.dLastX
                || samples[s.nCovered - 1].YValue() != s.dLastY))) {
        s = Summary();
    }
    const size_t nFull = n / size_t(kBlock);
    s.blocks.reserve(nFull);
    for (size_t b = s.blocks.size(); b < nFull; ++b) {
        Block blk;
        const CDiagramSample* p = samples.data() + b * size_t(kBlock);
        blk.dXMax = p[0].XValue();
        blk.dEndMax = p[0].XValue() + qMax(0, p[0].Tag());
        blk.dYMin = blk.dYMax = p[0].YValue();
        for (qsizetype i = 1; i < kBlock; ++i) {
            const double x = p[i].XValue();
            const double y = p[i].YValue();
            blk.dXMax = std::max(blk.dXMax, x);
            blk.dEndMax = std::max(blk.dEndMax, x + qMax(0, p[i].Tag()));
            blk.dYMin = std::min(blk.dYMin, y);
            blk.dYMax = std::max(blk.dYMax, y);
        }
        s.blocks.push_back(blk);
    }
    s.nCovered = nFull * size_t(kBlock);
    if (s.nCovered > 0) {
        s.dLastX = samples[s.nCovered - 1].XValue();
        s.dLastY = samples[s.nCovered - 1].YValue();
    }
    return s.blocks;
}

void CTimeColumnReducer::Reduce(const CDiagramSampleList& samples, qsizetype nStart,
                                quint64 visMin, quint64 visMax, int nWidth,
                                std::vector<Column>& out)
{
    if (nWidth <= 0 || visMax <= visMin || nStart < 0) {
        out.assign(size_t(qMax(0, nWidth) + 1), Column());
        return;
    }
    const std::vector<Block>& blocks = Blocks(samples);
    Summary& s = m_cache[&samples];
    const qsizetype n = qsizetype(samples.size());
    const bool bSameView = s.visMin == visMin && s.visMax == visMax && s.nWidth == nWidth
        && s.nStart == nStart && n >= s.nSize && s.nSize > 0
        && samples[size_t(s.nSize - 1)].XValue() == s.dSizeX
        && samples[size_t(s.nSize - 1)].YValue() == s.dSizeY;
    if (bSameView && (n == s.nSize || s.nStop < s.nSize)) {
        // Nothing new, or the new samples lie past the window's end.
        s.nSize = n;
        s.dSizeX = samples[size_t(n - 1)].XValue();
        s.dSizeY = samples[size_t(n - 1)].YValue();
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
    s.nStop = Walk(samples, blocks, i, visMin, visMax, nWidth, s.columns);
    s.visMin = visMin;
    s.visMax = visMax;
    s.nWidth = nWidth;
    s.nStart = nStart;
    s.nSize = n;
    if (n > 0) {
        s.dSizeX = samples[size_t(n - 1)].XValue();
        s.dSizeY = samples[size_t(n - 1)].YValue();
    }
    out = s.columns;
}

qsizetype CTimeColumnReducer::Walk(const CDiagramSampleList& samples,
                                   const std::vector<Block>& blocks, qsizetype i, quint64 visMin,
                                   quint64 visMax, int nWidth, std::vector<Column>& out)
{
    const qsizetype n = qsizetype(samples.size());
    const quint64 span = visMax - visMin;
    const double dVisMax = double(visMax);
    const CDiagramSample* p = samples.data();

    while (i < n) {
        const double x0 = p[i].XValue();
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
            col.dFirst = col.dMin = col.dMax = p[i].YValue();
            col.dEnd = x0 + qMax(0, p[i].Tag());
            col.nFirst = i;
        }
        // Head up to a block boundary, whole blocks inside the column, then the
        // tail: three tight loops instead of one that tests for blocks per sample.
        double dMin = col.dMin, dMax = col.dMax, dEnd = col.dEnd;
        bool bOpen = true;
        while (i < n && i % kBlock != 0) {
            const double x = p[i].XValue();
            if (x >= dLimit) {
                bOpen = false;
                break;
            }
            const double y = p[i].YValue();
            dMin = std::min(dMin, y);
            dMax = std::max(dMax, y);
            dEnd = std::max(dEnd, x + qMax(0, p[i].Tag()));
            ++i;
        }
        if (bOpen) {
            for (size_t b = size_t(i / kBlock); b < blocks.size() && blocks[b].dXMax < dLimit; ++b) {
                dMin = std::min(dMin, blocks[b].dYMin);
                dMax = std::max(dMax, blocks[b].dYMax);
                dEnd = std::max(dEnd, blocks[b].dEndMax);
                i += kBlock;
            }
            while (i < n) {
                const double x = p[i].XValue();
                if (x >= dLimit)
                    break;
                const double y = p[i].YValue();
                dMin = std::min(dMin, y);
                dMax = std::max(dMax, y);
                dEnd = std::max(dEnd, x + qMax(0, p[i].Tag()));
                ++i;
            }
        }
        col.dMin = dMin;
        col.dMax = dMax;
        col.dEnd = dEnd;
        col.dLast = p[i - 1].YValue();
    }
    return i;
}
