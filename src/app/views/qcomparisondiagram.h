#pragma once

#include "qdiagramwidget.h"

#include <cstdint>

// A session's diagram in the comparison view: the diagram widget with one
// vertical mark at the instant of the difference chosen, so the eye finds
// it again after panning.
class CQComparisonDiagram : public CQDiagramWidget
{
    Q_OBJECT
public:
    explicit CQComparisonDiagram(QWidget* pParent = nullptr);

    // X of the mark, in the diagram's time; -1: none.
    void SetMark(int64_t nX);
    int64_t Mark() const { return m_nMark; }
    // Shows nSpan seconds around nX, kept inside the data.
    void CentreOn(int64_t nX, int64_t nSpan);
    // The visible window now, in the diagram's time.
    int64_t VisibleMin();
    int64_t VisibleMax();

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    int64_t m_nMark = -1;
};
