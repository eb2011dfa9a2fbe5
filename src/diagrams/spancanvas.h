#pragma once

#include <QColor>
#include <QImage>
#include <QPen>
#include <QRect>
#include <QVector>

#include <algorithm>
#include <limits>
#include <vector>

class QPainter;

// A premultiplied layer over one plot that takes the thin vertical and
// horizontal spans dense signals consist of, blended source-over in the order
// they arrive, and is put on screen with one image draw. The painter's own
// rasteriser costs several times more per pixel for such spans, and much more
// for translucent ones.
class CSpanCanvas
{
public:
    // Pens the layer reproduces: solid, one pixel wide.
    static bool CanDraw(const QPen& pen);

    // Starts an empty layer covering rArea (widget coordinates).
    void Begin(const QRect& rArea);
    void VSpan(int x, int y0, int y1, QRgb premultiplied);
    void HSpan(int x0, int x1, int y, QRgb premultiplied);
    void Fill(const QRect& r, QRgb premultiplied);
    // Translucent fills of several layers (each a set of disjoint rectangles,
    // blended in layer order) into a part of the layer that is still empty.
    // Each pixel is written once with the colour of its stack, row by row,
    // instead of being blended once per layer.
    void FillStacked(const std::vector<QVector<QRect>>& layers, const std::vector<QRgb>& colours);
    // Premultiplied source-over of c onto d.
    static QRgb Compose(QRgb d, QRgb c);
    // A one-pixel line; steep parts become one vertical span per column.
    void Line(int x0, int y0, int x1, int y1, QRgb premultiplied);
    // Draws what was added since the last flush and clears the layer.
    void Flush(QPainter& painter);

private:
    void Blend(QRgb* p, QRgb c);

    // Grows the part to flush; plain ints, as it runs once per span.
    void Touch(int x0, int y0, int x1, int y1)
    {
        m_nDirtyLeft = std::min(m_nDirtyLeft, x0);
        m_nDirtyTop = std::min(m_nDirtyTop, y0);
        m_nDirtyRight = std::max(m_nDirtyRight, x1);
        m_nDirtyBottom = std::max(m_nDirtyBottom, y1);
    }
    void Touch(const QRect& r) { Touch(r.left(), r.top(), r.right(), r.bottom()); }
    QRect Dirty() const
    {
        return m_nDirtyLeft > m_nDirtyRight ? QRect()
                                            : QRect(QPoint(m_nDirtyLeft, m_nDirtyTop), QPoint(m_nDirtyRight, m_nDirtyBottom));
    }
    void ClearDirty()
    {
        m_nDirtyLeft = m_nDirtyTop = std::numeric_limits<int>::max();
        m_nDirtyRight = m_nDirtyBottom = std::numeric_limits<int>::min();
    }

    QRgb* ScanLine(int y) { return reinterpret_cast<QRgb*>(m_pBits + qsizetype(y) * m_nStride); }

    QImage m_image;
    uchar* m_pBits = nullptr; // taken once per layer: every bits() call checks for sharing
    qsizetype m_nStride = 0;
    QRect m_rArea;
    int m_nDirtyLeft = std::numeric_limits<int>::max();
    int m_nDirtyTop = std::numeric_limits<int>::max();
    int m_nDirtyRight = std::numeric_limits<int>::min();
    int m_nDirtyBottom = std::numeric_limits<int>::min();
    // Scratch of FillStacked, kept to avoid allocating per paint.
    struct Interval {
        int y0, y1, nLayer;
        bool operator==(const Interval& o) const { return y0 == o.y0 && y1 == o.y1 && nLayer == o.nLayer; }
    };
    std::vector<Interval> m_intervals;
    std::vector<int> m_columnStart;
    std::vector<int> m_bounds;
};
