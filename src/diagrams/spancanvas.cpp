#include "spancanvas.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

bool CSpanCanvas::CanDraw(const QPen& pen)
{
    return pen.style() == Qt::SolidLine && pen.brush().style() == Qt::SolidPattern
        && pen.widthF() <= 1.0;
}

void CSpanCanvas::Begin(const QRect& rArea)
{
    m_rArea = rArea;
    if (rArea.isEmpty()) {
        ClearDirty();
        return;
    }
    if (m_image.size() != rArea.size()) {
        m_image = QImage(rArea.size(), QImage::Format_ARGB32_Premultiplied);
        m_image.fill(Qt::transparent);
        ClearDirty();
    }
    m_pBits = m_image.bits();
    m_nStride = m_image.bytesPerLine();
    // Flush leaves the layer clear, so only what an unflushed layer kept needs
    // clearing: a whole-layer fill per paint would cost as much as the spans.
    const QRect dirty = Dirty() & QRect(QPoint(0, 0), rArea.size());
    for (int y = dirty.top(); y <= dirty.bottom(); ++y)
        std::fill_n(ScanLine(y) + dirty.left(), dirty.width(), QRgb(0));
    ClearDirty();
}

namespace {

// Source-over of a translucent premultiplied colour; branch-free so row loops vectorise.
inline QRgb Over(QRgb d, QRgb c, uint inv)
{
    uint rb = ((d & 0x00ff00ffu) * inv + 0x00800080u);
    rb = ((rb + ((rb >> 8) & 0x00ff00ffu)) >> 8) & 0x00ff00ffu;
    uint ag = (((d >> 8) & 0x00ff00ffu) * inv + 0x00800080u);
    ag = (ag + ((ag >> 8) & 0x00ff00ffu)) & 0xff00ff00u;
    return c + rb + ag;
}

void Row(QRgb* p, int n, QRgb c)
{
    if (qAlpha(c) == 255) {
        std::fill_n(p, n, c);
        return;
    }
    const uint inv = 255 - qAlpha(c);
    for (int i = 0; i < n; ++i)
        p[i] = Over(p[i], c, inv);
}

} // namespace

inline void CSpanCanvas::Blend(QRgb* p, QRgb c)
{
    const uint a = qAlpha(c);
    if (a == 255) {
        *p = c;
        return;
    }
    const uint inv = 255 - a;
    const QRgb d = *p;
    // Source-over on premultiplied pixels, two channels per multiply.
    uint rb = ((d & 0x00ff00ffu) * inv + 0x00800080u);
    rb = ((rb + ((rb >> 8) & 0x00ff00ffu)) >> 8) & 0x00ff00ffu;
    uint ag = (((d >> 8) & 0x00ff00ffu) * inv + 0x00800080u);
    ag = (ag + ((ag >> 8) & 0x00ff00ffu)) & 0xff00ff00u;
    *p = c + rb + ag;
}

void CSpanCanvas::VSpan(int x, int y0, int y1, QRgb c)
{
    if (y0 > y1)
        std::swap(y0, y1);
    x -= m_rArea.left();
    y0 = std::max(y0 - m_rArea.top(), 0);
    y1 = std::min(y1 - m_rArea.top(), m_rArea.height() - 1);
    if (x < 0 || x >= m_rArea.width() || y0 > y1)
        return;
    Touch(x, y0, x, y1);
    const qsizetype stride = m_nStride / 4;
    QRgb* p = ScanLine(y0) + x;
    if (qAlpha(c) == 255) {
        for (int y = y0; y <= y1; ++y, p += stride)
            *p = c;
    } else {
        for (int y = y0; y <= y1; ++y, p += stride)
            Blend(p, c);
    }
}

void CSpanCanvas::HSpan(int x0, int x1, int y, QRgb c)
{
    if (x0 > x1)
        std::swap(x0, x1);
    y -= m_rArea.top();
    x0 = std::max(x0 - m_rArea.left(), 0);
    x1 = std::min(x1 - m_rArea.left(), m_rArea.width() - 1);
    if (y < 0 || y >= m_rArea.height() || x0 > x1)
        return;
    Touch(x0, y, x1, y);
    Row(ScanLine(y) + x0, x1 - x0 + 1, c);
}

void CSpanCanvas::Fill(const QRect& r, QRgb c)
{
    const QRect clipped = r.translated(-m_rArea.topLeft()) & QRect(QPoint(0, 0), m_rArea.size());
    if (clipped.isEmpty())
        return;
    Touch(clipped);
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        Row(ScanLine(y) + clipped.left(), clipped.width(), c);
}

QRgb CSpanCanvas::Compose(QRgb d, QRgb c)
{
    return qAlpha(c) == 255 ? c : Over(d, c, 255 - qAlpha(c));
}

void CSpanCanvas::FillStacked(const std::vector<QVector<QRect>>& layers, const std::vector<QRgb>& colours)
{
    const int w = m_rArea.width();
    const QRect bounds(QPoint(0, 0), m_rArea.size());
    if (w <= 0 || m_rArea.height() <= 0)
        return;
    // Bucket the layers' vertical intervals by column (counting sort: two passes).
    m_columnStart.assign(size_t(w) + 1, 0);
    const size_t nLayers = std::min(layers.size(), colours.size());
    for (size_t l = 0; l < nLayers; ++l)
        for (const QRect& r : layers[l]) {
            const QRect c = r.translated(-m_rArea.topLeft()) & bounds;
            for (int x = c.left(); x <= c.right(); ++x)
                ++m_columnStart[size_t(x) + 1];
        }
    for (int x = 0; x < w; ++x)
        m_columnStart[size_t(x) + 1] += m_columnStart[size_t(x)];
    m_intervals.resize(size_t(m_columnStart[size_t(w)]));
    std::vector<int> fill(m_columnStart.begin(), m_columnStart.end() - 1);
    for (size_t l = 0; l < nLayers; ++l)
        for (const QRect& r : layers[l]) {
            const QRect c = r.translated(-m_rArea.topLeft()) & bounds;
            for (int x = c.left(); x <= c.right(); ++x)
                m_intervals[size_t(fill[size_t(x)]++)] = {c.top(), c.bottom(), int(l)};
        }

    // Runs of columns with the same stack become one rectangle per band of rows.
    auto same = [&](int a, int b) {
        const int na = m_columnStart[size_t(a) + 1] - m_columnStart[size_t(a)];
        const int nb = m_columnStart[size_t(b) + 1] - m_columnStart[size_t(b)];
        return na == nb
            && std::equal(m_intervals.begin() + m_columnStart[size_t(a)],
                          m_intervals.begin() + m_columnStart[size_t(a) + 1],
                          m_intervals.begin() + m_columnStart[size_t(b)]);
    };
    for (int x0 = 0; x0 < w;) {
        int x1 = x0 + 1;
        while (x1 < w && same(x0, x1))
            ++x1;
        const Interval* pFirst = m_intervals.data() + m_columnStart[size_t(x0)];
        const Interval* pEnd = m_intervals.data() + m_columnStart[size_t(x0) + 1];
        m_bounds.clear();
        for (const Interval* p = pFirst; p != pEnd; ++p) {
            m_bounds.push_back(p->y0);
            m_bounds.push_back(p->y1 + 1);
        }
        std::sort(m_bounds.begin(), m_bounds.end());
        m_bounds.erase(std::unique(m_bounds.begin(), m_bounds.end()), m_bounds.end());
        for (size_t b = 0; b + 1 < m_bounds.size(); ++b) {
            const int y = m_bounds[b];
            QRgb c = 0;
            bool bAny = false;
            // Intervals arrive in layer order, so composing in turn keeps the blend order.
            for (const Interval* p = pFirst; p != pEnd; ++p) {
                if (p->y0 <= y && y <= p->y1) {
                    c = Compose(c, colours[size_t(p->nLayer)]);
                    bAny = true;
                }
            }
            if (!bAny)
                continue;
            const QRect band(x0, y, x1 - x0, m_bounds[b + 1] - y);
            Touch(band);
            if (band.width() == 1) {
                // Bars of a wandering level differ from column to column, so
                // most bands are one column wide: a plain walk down the column.
                const qsizetype stride = m_nStride / 4;
                QRgb* p = ScanLine(band.top()) + band.left();
                for (int row = band.top(); row <= band.bottom(); ++row, p += stride)
                    *p = c;
            } else {
                for (int row = band.top(); row <= band.bottom(); ++row)
                    std::fill_n(ScanLine(row) + band.left(), band.width(), c);
            }
        }
        x0 = x1;
    }
}

void CSpanCanvas::Line(int x0, int y0, int x1, int y1, QRgb c)
{
    if (x0 == x1) {
        VSpan(x0, y0, y1, c);
        return;
    }
    if (x0 > x1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    if (x1 == x0 + 1) {
        // The step between neighbouring columns, as the general rule below
        // works it out: each column takes its end up to the midpoint, rounded
        // half away from zero. Lines of dense signals are almost all such steps.
        const qint64 nTwice = qint64(y0) + y1;
        const int nMid = int(nTwice >= 0 ? (nTwice + 1) / 2 : (nTwice - 1) / 2);
        VSpan(x0, y0, nMid, c);
        VSpan(x1, nMid, y1, c);
        return;
    }
    const double dSlope = double(y1 - y0) / double(x1 - x0);
    // Each column takes the part of the line within half a pixel of its centre;
    // the segment's own ends stay in the end columns.
    for (int x = x0; x <= x1; ++x) {
        const double dFrom = y0 + dSlope * std::max(x - 0.5 - x0, 0.0);
        const double dTo = y0 + dSlope * std::min(x + 0.5 - x0, double(x1 - x0));
        int a = int(std::lround(dFrom));
        int b = int(std::lround(dTo));
        if (a > b)
            std::swap(a, b);
        // Shallow lines: a column is one pixel, not two.
        if (b - a == 1 && std::abs(y1 - y0) < (x1 - x0))
            b = a = int(std::lround(y0 + dSlope * (x - x0)));
        VSpan(x, a, b, c);
    }
}

void CSpanCanvas::Flush(QPainter& painter)
{
    const QRect dirty = Dirty();
    if (dirty.isEmpty())
        return;
    painter.drawImage(m_rArea.topLeft() + dirty.topLeft(), m_image, dirty);
    for (int y = dirty.top(); y <= dirty.bottom(); ++y)
        std::fill_n(ScanLine(y) + dirty.left(), dirty.width(), QRgb(0));
    ClearDirty();
}
