#pragma once

#include <QByteArray>
#include <QDockWidget>
#include <QList>
#include <QPoint>

#include <memory>

class CQDiagramWidget;
class QCloseEvent;
class QMouseEvent;

namespace Ui {
class COscilloscopeWindow;
}

// Floating window showing the detector's fast trace, one frame per poll, with a
// level trigger, pause, a delta cursor, an optional smoothing filter and a WLAN
// pulse count in the title.
class COscilloscopeWindow : public QDockWidget
{
    Q_OBJECT
public:
    explicit COscilloscopeWindow(QWidget* pParent = nullptr);
    ~COscilloscopeWindow() override;

    // X axis in sample indexes; one sample lasts kSampleMs.
    void SetTimeRange(double dMin, double dMax);
    // Y axis in raw level units.
    void SetLevelRange(double dMin, double dMax);
    // One frame of nCount level bytes; nParam is the detector's range exponent.
    void SetFrame(const unsigned char* pData, int nCount, int nParam);
    void SetFrame(const QByteArray& samples, int nParam);

    // Smooths the trace in place: each sample moves from its predecessor's output
    // by 1/dUp of the way up or 1/dDown of the way down.
    static void ApplyFilter(QList<double>& trace, double dUp, double dDown);
    // Pulses of WLAN width (41 to 49 samples above the mid level) in one trace.
    static int CountPulses(const QList<double>& trace);

    CQDiagramWidget* DiagramWidget() const;
    bool IsPaused() const { return m_bPaused; }
    bool IsTriggerArmed() const { return m_bTriggerArmed; }
    double TriggerLevel() const { return m_dTriggerLevel; }
    bool IsFilterEnabled() const { return m_bFilterEnabled; }
    // For builds that make the filter reachable and for checks.
    void SetFilter(bool bEnabled, double dUp, double dDown);
    const QList<double>& Trace() const { return m_Trace; }

    static constexpr double kSampleMs = 0.0065156482861401;

Q_SIGNALS:
    void closed();

public Q_SLOTS:
    void OnTriggerButton(bool bOn);
    void OnPauseButton();
    void OnResetButton();
    void OnFilterButton();
    void OnSetTriggerLevelAction();
    void OnToggleDeltaCursorAction();
    void OnContextMenu(const QPoint& point);

protected:
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;

private:
    void UpdatePauseText();
    void CountFramePulses();

    std::unique_ptr<Ui::COscilloscopeWindow> m_pUi;
    QList<double> m_Trace;
    QList<double> m_TriggerLine;
    bool m_bPaused = false;
    bool m_bTriggerArmed = false;
    double m_dTriggerLevel = 100.0;
    QPoint m_MenuPos;
    bool m_bFilterEnabled = false;
    double m_dUpCoef = 50.0;
    double m_dDownCoef = 50.0;

    // Frames and pulses since the title last changed.
    static int s_nFrames;
    static int s_nPulseTotal;
};
