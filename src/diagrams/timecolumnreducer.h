#pragma once

#include "diagramsamplelist.h"

#include <QHash>
#include <QtGlobal>

#include <vector>

// Groups the samples of a time window by pixel column, so a paint costs the
// columns on screen rather than the samples in the window. Keeps, per sample
// list, the level range of every block of 32 samples (1 byte a sample) and of
// every group of 1024; whole blocks and groups that fall into one column are
// taken from there instead of being read sample by sample, so a wide window
// costs about its columns however many samples it spans.
// Small blocks shorten the runs read at column edges, which are what a paint
// of a changed view waits for (memory, not arithmetic).
// The summaries follow appended samples and chunks dropped from the front; a
// list that shrank otherwise or was rewritten is summarised again from the start.
class CTimeColumnReducer
{
public:
    static constexpr qsizetype kBlock = 32;
    static constexpr qsizetype kGroup = 1024;
    static_assert(CDiagramSampleList::kChunk % kGroup == 0, "dropped chunks must end on a group");

    struct Column {
        bool bUsed = false;
        double dFirst = 0.0; // level of the first and last sample in the column
        double dLast = 0.0;
        double dMin = 0.0;
        double dMax = 0.0;
        double dEnd = 0.0;   // latest end (time + duration) of the column's samples
        qsizetype nFirst = -1;
    };
    struct Block {
        double dXMax = 0.0;
        double dEndMax = 0.0;
        double dYMin = 0.0;
        double dYMax = 0.0;
    };

    // Fills out[0..nWidth]: column c holds the samples whose time t gives
    // floor((t - visMin) * nWidth / (visMax - visMin)) == c, starting at nStart
    // and stopping at the first sample later than visMax. The result is kept:
    // the same view again costs nothing, and samples appended since only
    // redo the last column.
    void Reduce(const CDiagramSampleList& samples, qsizetype nStart, quint64 visMin,
                quint64 visMax, int nWidth, std::vector<Column>& out);

    // Block summaries of a list, brought up to date.
    const std::vector<Block>& Blocks(const CDiagramSampleList& samples);

    void Clear() { m_cache.clear(); }

private:
    struct Summary {
        quint64 nDropped = 0; // the list's drop count the summaries are relative to
        size_t nCovered = 0;
        double dLastX = 0.0;
        double dLastY = 0.0;
        std::vector<Block> blocks;
        std::vector<Block> groups; // each the union of kGroup / kBlock blocks
        // The last reduction of this list.
        quint64 visMin = 0, visMax = 0;
        int nWidth = -1;
        qsizetype nStart = -1, nSize = 0, nStop = 0;
        double dSizeX = 0.0, dSizeY = 0.0; // the sample at nSize - 1
        std::vector<Column> columns;
    };
    // The list's summaries, brought up to date.
    Summary& Update(const CDiagramSampleList& samples);
    // Groups samples from index i on into out; returns where it stopped.
    qsizetype Walk(const CDiagramSampleList& samples, const Summary& s, qsizetype i, quint64 visMin,
                   quint64 visMax, int nWidth, std::vector<Column>& out);
    QHash<const CDiagramSampleList*, Summary> m_cache;
};
