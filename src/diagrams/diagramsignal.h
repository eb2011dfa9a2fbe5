#pragma once

#include "diagramsamplelist.h"

#include <QList>
#include <QPen>
#include <QRect>
#include <QString>

// A named, coloured series owned by its area.
class CDiagramSignal
{
public:
    // Drawn rectangles point at their sample by index: the sample vector may
    // reallocate while the lane diagram's last paint is still being hovered.
    struct DrawnRect {
        QRect rect;
        qsizetype nSample = -1;
    };

    CDiagramSignal(const QString& sName, const QPen& pen, qint32 nTag, bool bVisible)
        : m_sName(sName), m_pen(pen), m_bVisible(bVisible), m_nTag(nTag) {}

    QString m_sName;
    QPen m_pen;
    CDiagramSampleList m_samples;
    bool m_bVisible = true;
    QList<DrawnRect> m_drawnRects;
    qint32 m_nTag = 0; // 1 = level line drawn across the level-bar diagram
};
