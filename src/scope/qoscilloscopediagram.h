#pragma once

#include "idiagram.h"

#include <QFont>
#include <QPen>

#include <vector>

class CDiagramArea;
class CQDiagramWidget;

// Draws the detector's fast trace: one min/max pair per pixel column on a
// millisecond scale, the trigger-level line and the delta cursor. Holds no data;
// the oscilloscope window fills the signals and the axis.
class CQOscilloscopeDiagram : public IDiagram
{
    Q_OBJECT
public:
    // One pixel column of the compressed trace, in raw level units. Columns that
    // no sample reached stay invalid and are never drawn.
    struct Column {
        double dLow = 0.0;
        double dHigh = 0.0;
        bool bValid = false;
    };

    CQOscilloscopeDiagram(QRect* pPlotRect, CDiagramAxis* pAxis, QObject* pParent = nullptr);

    // Makes DT_Oscilloscope areas of every CQDiagramWidget get this diagram.
    // Safe to call more than once.
    static void RegisterKind();

    // Compresses samples spread evenly over the data range [dDataMin, dDataMax]
    // into nWidth columns covering the visible window [dVisMin, dVisMax]. Empty
    // result when there is nothing sensible to draw.
    static std::vector<Column> MapColumns(const CDiagramSampleList& samples, double dDataMin,
                                          double dDataMax, double dVisMin, double dVisMax,
                                          int nWidth);

    // The scale texts and where they go, for painting and for checks.
    struct Label {
        QRect rect;
        QString sText;
    };
    QList<Label> YLabels() const;
    QList<Label> XLabels(const QRect& labelStrip) const;

    void AttachSignal(CDiagramSampleList& samples) override;
    void AppendSample(int nSignal, const CDiagramSample& sample, CDiagramSampleList& samples,
                      bool bAutoScroll) override;
    void DrawGrid(QPainter& painter, int nVisibleSignals) override;
    void DrawYTicks(QPainter& painter, const QList<CDiagramSignal*>& visible) override;
    void DrawXLabels(QPainter& painter, const QRect& labelStrip) override;
    void DrawYLabels(QPainter& painter, const QList<CDiagramSignal*>& visible) override;
    void DrawSignals(QPainter& painter, const QList<CDiagramSignal*>& visible) override;
    void OnLayoutChanged() override;
    bool IsXZoomed() override;
    bool IsYZoomed() override;
    bool IsYAxisDraggable() override;
    void Pan(const QPoint& press, int dx, int dy) override;
    void DragYAxis(const QPoint& press, int dy) override;
    void ShowPlotMenu(const QPoint& globalPos) override;
    void ShowYAxisMenu(const QPoint& globalPos) override;
    bool GetToolTip(bool bCursorMode, const QPoint& pt, const QList<CDiagramSignal*>& areaSignals,
                    QString& sText) override;
    bool GetValuesAt(bool bCursorMode, const QPoint& pt, const QList<CDiagramSignal*>& areaSignals,
                     QList<QVariant>& values) override;

public Q_SLOTS:
    void OnMenuAction();

private:
    struct LevelScale {
        double dPixelsPerUnit = 0.0;
        int nStep = 0; // 0: nothing to draw
    };
    LevelScale GetLevelScale() const;
    // Row of the scale value v, or INT_MIN when v is not drawn.
    int LevelRow(const LevelScale& scale, double v) const;
    QRect YAxisRect() const { return m_pPlotRect[1]; }

    QPen m_GridPen;
    QPen m_TickPen;
    QPen m_TextPen;
    QFont m_LabelFont;
};
