#pragma once

#include "diagramarea.h"
#include "diagramaxis.h"
#include "diagramsignal.h"
#include "diagramtype.h"
#include "idiagram.h"

#include <QFont>
#include <QFrame>
#include <QList>
#include <QPen>
#include <QPoint>
#include <QVariant>

#include <functional>

class QFontMetrics;
class QMenu;

// Host of the stacked diagram areas sharing one X axis. This part holds the data
// side; all calls come from the user-interface thread.
class CQDiagramWidget : public QFrame
{
    Q_OBJECT
public:
    using DiagramFactory =
        std::function<IDiagram*(DiagramType, CDiagramArea*, CDiagramAxis*, CQDiagramWidget*)>;
    using DiagramCreator = std::function<IDiagram*(CDiagramArea*, CDiagramAxis*, CQDiagramWidget*)>;

    explicit CQDiagramWidget(QWidget* pParent = nullptr);
    ~CQDiagramWidget() override;

    // The concrete diagram classes register here; the factory may return null
    // for kinds it does not know, which leaves the area without a diagram.
    static void SetDiagramFactory(DiagramFactory factory);
    // Registers the diagram class of one kind for every widget. The time kinds are
    // registered by this library; a later call for the same kind replaces the
    // creator. A factory set with SetDiagramFactory takes precedence (tests).
    static void RegisterDiagramKind(DiagramType eType, DiagramCreator creator);

    void SetAreas(const QList<CDiagramAreaSpec>& areaList);
    void SetDiagramType(int nArea, DiagramType eType);
    DiagramType GetDiagramType(int nArea) const;
    int AreaCount() const { return static_cast<int>(m_areas.size()); }
    CDiagramArea* Area(int nArea) const;
    CDiagramAxis& Axis() { return m_axis; }

    void SetXAxisType(int nType) { m_nXAxisType = nType; }
    int GetXAxisType() const { return m_nXAxisType; }

    void AddSignal(int nArea, const QString& sName, const QPen& pen, int nTag, bool bVisible);
    CDiagramSignal* Signal(int nArea, int nSignal) const;
    void AddSample(int nArea, int nSignal, const QVariant& vX, const QVariant& vY, int nTag);
    void SetSamples(int nArea, int nSignal, const QList<double>& values);
    void SetSignalVisible(int nArea, int nSignal, bool bVisible);
    // Most samples AddSample keeps per signal; older ones go a chunk at a time.
    // 0 keeps everything (the default).
    void SetSampleLimit(size_t nMax) { m_nSampleLimit = nMax; }
    size_t SampleLimit() const { return m_nSampleLimit; }
    int ClearAll(bool bKeepSignals);

    void SetXRange(const QVariant& vMin, const QVariant& vMax, double dStep, bool bAlsoVisible);
    void SetXVisible(const QVariant& vMin, const QVariant& vMax);
    void SetYRange(double dMin, double dMax, double dStep);
    void SetYVisible(double dMin, double dMax, bool bAlsoFull);
    void SetYStep(double dStep);
    void ResetZoom();
    // Keyboard and menu zooming of the X window; steps are one wheel notch.
    void ZoomInX() { ZoomStep(-kWheelNotch); }
    void ZoomOutX() { ZoomStep(kWheelNotch); }
    // Moves the X window by a tenth of its width; negative to the past.
    void PanX(int nTenths);

    // Turning it back on moves a time window to the newest data at once.
    void SetAutoScroll(bool bOn);
    bool IsAutoScroll() const { return m_bAutoScroll; }
    void SetCursorMode(bool bOn);
    bool GetAreaValuesAt(bool bCursorMode, const QPoint& pt, QList<QVariant>& values);

    // Rectangles of the last layout and paint.
    QRect XLabelStrip() const { return m_rXLabelStrip; }
    QRect OverviewBar() const { return m_rOverviewBar; }
    QRect CursorValuesBox() const { return m_rCursorBox; }
    // Where the cursor-values box of the given text sizes goes: sized to its
    // text, in a top corner of the plot away from the mouse, never off the widget.
    static QRect CursorBoxRect(int nTitleWidth, int nTitleHeight, int nLineWidth, int nLineHeight, int nLines,
                               const QRect& plot, const QRect& widget, const QPoint& mouse);
    // The tooltip text for a point in widget coordinates; false when none applies.
    bool ToolTipText(const QPoint& pt, bool bCursorMode, QString& sText);
    // The X-range menu of a time axis, its entries connected to OnXMenuDateAction().
    QMenu* CreateXRangeMenu(QWidget* pParent);

    // What the title line of a saved or copied picture calls this diagram;
    // the accessible name unless a namer is set (a log names its file).
    void SetPictureNamer(std::function<QString()> fnNamer) { m_fnPictureNamer = std::move(fnNamer); }
    QString PictureName() const;
    // For pictures: the time span of the samples in view ("" without a time
    // axis or samples), and the name and colour of each visible trace.
    QString PictureSpan() const;
    QList<QPair<QString, QColor>> Legend() const;
    // While set, paints leave out what follows the mouse (crosshair, cursor values).
    void SetOverlaysHidden(bool bHidden) { m_bOverlaysHidden = bHidden; }

    // Tall enough that every stretching plot keeps kMinPlotHeight pixels.
    QSize minimumSizeHint() const override;
    static constexpr int kMinPlotHeight = 150;

    using QFrame::update;

public Q_SLOTS:
    // Relayout, then the toolkit's repaint request.
    void update();
    void OnXMenuDateAction();

Q_SIGNALS:
    void diagramTypeChanged(int nArea, DiagramType eType);
    void autoScrollToggle(bool bEnabled);

protected:
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void wheelEvent(QWheelEvent* pEvent) override;
    void leaveEvent(QEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void contextMenuEvent(QContextMenuEvent* pEvent) override;
    void focusInEvent(QFocusEvent* pEvent) override;
    void focusOutEvent(QFocusEvent* pEvent) override;
    void paintEvent(QPaintEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;

    // Time labels on time axes; the first area's own labels otherwise.
    virtual void DrawXLabels(QPainter& painter);
    // Recomputes the strip, the overview bar and the area rectangles.
    virtual void Relayout();
    // Re-evaluates a tooltip already on screen after the data changed.
    virtual void RefreshToolTip(bool bCursorMode);

    QPoint m_ptLastPress;
    QPoint m_ptLastMove;

private:
    bool IsTimeAxis() const { return m_nXAxisType == 0 || m_nXAxisType == 1; }
    void DrawCursorValues(QPainter& painter, const QPoint& mouse,
                          const QList<CDiagramSignal*>& cursorSignals);
    void DrawOverviewBar(QPainter& painter);
    static int MaxTextWidth(const QFontMetrics& metrics, const QStringList& texts);
    static constexpr int kBoxPadding = 5;
    static constexpr int kBoxMargin = 4;
    void DragXAxis(int dx);
    void ZoomX(int nDelta);
    void ZoomStep(int nDelta);
    static constexpr int kWheelNotch = 120;
    void StopAutoScroll();
    void RaiseTimeDataMin(quint64 tOldest);

    CDiagramArea& CheckedArea(int nArea) const;
    CDiagramSignal& CheckedSignal(int nArea, int nSignal) const;

    QList<CDiagramArea*> m_areas;
    CDiagramAxis m_axis;
    int m_nXAxisType = 0;
    bool m_bAutoScroll = true;
    bool m_bOverlaysHidden = false;
    size_t m_nSampleLimit = 0;

    std::function<QString()> m_fnPictureNamer;
    QRect m_rXLabelStrip;
    QRect m_rCursorBox;
    QRect m_rOverviewBar;
    QFont m_boxTitleFont;
    QFont m_boxLineFont;
    QFont m_axisLabelFont;
    int m_nBackgroundAlpha = 65;
};
