#include "oscilloscopewindow.h"
#include "appidentity.h"
#include "windowplacement.h"

#include "oscfilterdialog.h"
#include "qdiagramwidget.h"
#include "qoscilloscopediagram.h"
#include "ui_oscilloscopewindow.h"
#include "widgetpicture.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QSettings>

#include <cmath>

namespace {

const char* const kGeometryKey = "Oscilloscope/Geometry";
constexpr int kPulseFrames = 5;
// Width of a WLAN burst in samples, exclusive bounds.
constexpr int kPulseMinWidth = 40;
constexpr int kPulseMaxWidth = 50;
// Detector level units per tenth of a dB at range exponent 0; each step of the
// exponent halves the resolution.
constexpr double kUnitsPerTenthDb = 7.6;

QSettings Store()
{
    return QSettings(CAppIdentity::Organisation(), CAppIdentity::Name());
}

} // namespace

int COscilloscopeWindow::s_nFrames = 0;
int COscilloscopeWindow::s_nPulseTotal = 0;

COscilloscopeWindow::COscilloscopeWindow(QWidget* pParent)
    : QDockWidget(pParent, Qt::WindowFlags()), m_pUi(std::make_unique<Ui::COscilloscopeWindow>())
{
    m_pUi->setupUi(this);

    const QRect defaultGeometry(110, 110, 600, 400);
    QRect geometry = Store().value(QLatin1String(kGeometryKey), defaultGeometry).toRect();
    // A damaged or foreign entry must not leave the window without a size, and
    // one saved on a monitor that is gone must not open it out of reach.
    if (!geometry.isValid() || geometry.width() < 50 || geometry.height() < 50
        || !CWindowPlacement::IsReachable(geometry))
        geometry = defaultGeometry;
    setGeometry(geometry);

    connect(m_pUi->m_pTriggerButton, &QPushButton::clicked, this,
            &COscilloscopeWindow::OnTriggerButton);
    connect(m_pUi->m_pPauseButton, &QPushButton::clicked, this, &COscilloscopeWindow::OnPauseButton);
    connect(m_pUi->m_pCloseButton, &QPushButton::clicked, this, &QWidget::close);
    connect(m_pUi->m_pResetButton, &QPushButton::clicked, this, &COscilloscopeWindow::OnResetButton);
    connect(m_pUi->m_pFilterButton, &QPushButton::clicked, this,
            &COscilloscopeWindow::OnFilterButton);

    CQOscilloscopeDiagram::RegisterKind();
    CQDiagramWidget* pWidget = m_pUi->m_pOscilloscopeWidget;
    pWidget->SetDiagramType(0, DT_Oscilloscope);
    pWidget->SetXAxisType(5);
    pWidget->AddSignal(0, tr("Oscilloscope"), QPen(Qt::blue), 0, true);
    pWidget->AddSignal(0, tr("Threshold"), QPen(Qt::red), 0, false);
    pWidget->AddSignal(0, tr("Average"), QPen(Qt::red), 0, true);
    pWidget->AddSignal(0, tr("Integral"), QPen(Qt::green), 0, true);
    pWidget->AddSignal(0, tr("Max"),
                       QPen(QBrush(Qt::gray), 1.0, Qt::DotLine, Qt::SquareCap, Qt::BevelJoin), 0,
                       true);

    pWidget->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pWidget, &QWidget::customContextMenuRequested, this,
            &COscilloscopeWindow::OnContextMenu);

    // Hover moves over the diagram reach this window only if every widget on the
    // way tracks the mouse.
    setMouseTracking(true);
    m_pUi->widget->setMouseTracking(true);
    m_pUi->m_pFilterButton->hide();
    m_pUi->m_pFilterLabel->hide();

    // A new window starts a new count rather than finishing an old window's.
    s_nFrames = 0;
    s_nPulseTotal = 0;
}

COscilloscopeWindow::~COscilloscopeWindow() = default;

CQDiagramWidget* COscilloscopeWindow::DiagramWidget() const
{
    return m_pUi->m_pOscilloscopeWidget;
}

void COscilloscopeWindow::SetTimeRange(double dMin, double dMax)
{
    DiagramWidget()->SetXRange(dMin, dMax, kSampleMs, false);
    DiagramWidget()->SetXVisible(dMin, dMax);
}

void COscilloscopeWindow::SetLevelRange(double dMin, double dMax)
{
    DiagramWidget()->SetYRange(dMin, dMax, 0.1);
    DiagramWidget()->SetYVisible(dMin, dMax, true);
}

void COscilloscopeWindow::SetFrame(const QByteArray& samples, int nParam)
{
    SetFrame(reinterpret_cast<const unsigned char*>(samples.constData()),
             static_cast<int>(samples.size()), nParam);
}

void COscilloscopeWindow::SetFrame(const unsigned char* pData, int nCount, int nParam)
{
    if (!pData || nCount < 0)
        nCount = 0;
    CQDiagramWidget* pWidget = DiagramWidget();
    if (!m_bPaused) {
        // The trace is exactly this frame: a shorter frame must not keep the tail
        // of an older one on screen or in the pulse count.
        m_Trace.resize(nCount);
        m_TriggerLine.resize(nCount);
        bool bFired = false;
        for (int i = 0; i < nCount; ++i) {
            m_Trace[i] = pData[i];
            m_TriggerLine[i] = m_dTriggerLevel;
            if (m_bTriggerArmed && pData[i] > m_dTriggerLevel)
                bFired = true;
        }
        // The frame that fired is kept whole, so the freeze waits for the copy.
        if (bFired) {
            m_bPaused = true;
            UpdatePauseText();
        }
        if (m_bFilterEnabled)
            ApplyFilter(m_Trace, m_dUpCoef, m_dDownCoef);
        pWidget->SetSamples(0, 0, m_Trace);
        if (m_bTriggerArmed)
            pWidget->SetSamples(0, 1, m_TriggerLine);
    }
    pWidget->SetYStep(std::ldexp(1.0, nParam) * 0.1 / kUnitsPerTenthDb);
    pWidget->update();
    CountFramePulses();
}

void COscilloscopeWindow::ApplyFilter(QList<double>& trace, double dUp, double dDown)
{
    // A divisor below 1 would overshoot and 0 would divide by zero.
    dUp = qMax(1.0, dUp);
    dDown = qMax(1.0, dDown);
    if (trace.isEmpty())
        return;
    double a = trace[0];
    for (qsizetype i = 1; i < trace.size(); ++i) {
        const double t = trace[i];
        if (a < t)
            a += (t - a) / dUp;
        else
            a -= (a - t) / dDown;
        trace[i] = a;
    }
}

int COscilloscopeWindow::CountPulses(const QList<double>& trace)
{
    const qsizetype n = trace.size();
    if (n == 0)
        return 0;
    // Truncated to whole units after each sample; 64 bits so that no frame length
    // can overflow the sum.
    qint64 nSum = 0;
    double dMax = 0.0;
    for (double v : trace) {
        nSum = static_cast<qint64>(static_cast<double>(nSum) + v);
        dMax = qMax(dMax, v);
    }
    const qint64 nAverage = nSum / n;
    const int nThreshold = static_cast<int>((nAverage + dMax) / 2);

    int nPulses = 0;
    qsizetype nFirst = -1;
    qsizetype nLast = -1;
    for (qsizetype i = 0; i < n; ++i) {
        if (trace[i] > nThreshold) {
            if (nFirst < 0)
                nFirst = i;
            nLast = i;
        } else if (nFirst >= 0) {
            const qsizetype nWidth = nLast - nFirst;
            if (nWidth > kPulseMinWidth && nWidth < kPulseMaxWidth)
                ++nPulses;
            nFirst = -1;
        }
    }
    // A burst cut off by the end of the frame has no known width.
    return nPulses;
}

void COscilloscopeWindow::CountFramePulses()
{
    s_nPulseTotal += CountPulses(m_Trace);
    if (++s_nFrames >= kPulseFrames) {
        setWindowTitle(tr("%1 WLAN pulses detected").arg(s_nPulseTotal));
        s_nFrames = 0;
        s_nPulseTotal = 0;
    }
}

void COscilloscopeWindow::SetFilter(bool bEnabled, double dUp, double dDown)
{
    m_bFilterEnabled = bEnabled;
    m_dUpCoef = qMax(1.0, dUp);
    m_dDownCoef = qMax(1.0, dDown);
    m_pUi->m_pFilterLabel->setText(bEnabled ? tr("Filter enabled") : tr("Filter disabled"));
}

void COscilloscopeWindow::UpdatePauseText()
{
    m_pUi->m_pPauseButton->setText(m_bPaused ? tr("Res&ume") : tr("&Pause"));
}

void COscilloscopeWindow::OnTriggerButton(bool bOn)
{
    m_bTriggerArmed = bOn;
    DiagramWidget()->SetSignalVisible(0, 1, bOn);
    m_pUi->m_pTriggerButton->setChecked(bOn);
    if (!bOn && m_bPaused)
        OnPauseButton();
}

void COscilloscopeWindow::OnPauseButton()
{
    m_bPaused = !m_bPaused;
    UpdatePauseText();
}

void COscilloscopeWindow::OnResetButton()
{
    OnTriggerButton(false);
    DiagramWidget()->ResetZoom();
    DiagramWidget()->SetCursorMode(false);
    DiagramWidget()->repaint();
}

void COscilloscopeWindow::OnFilterButton()
{
    COscFilterDialog dialog;
    dialog.m_bEnabled = m_bFilterEnabled;
    dialog.m_dUpCoef = m_dUpCoef;
    dialog.m_dDownCoef = m_dDownCoef;
    if (dialog.exec() == QDialog::Accepted)
        SetFilter(dialog.m_bEnabled, dialog.m_dUpCoef, dialog.m_dDownCoef);
}

void COscilloscopeWindow::OnSetTriggerLevelAction()
{
    CQDiagramWidget* pWidget = DiagramWidget();
    QList<QVariant> values;
    if (pWidget->GetAreaValuesAt(false, pWidget->mapFromGlobal(m_MenuPos), values)
        && values.size() > 1)
        m_dTriggerLevel = values[1].toDouble();
    OnTriggerButton(true);
    for (double& dLevel : m_TriggerLine)
        dLevel = m_dTriggerLevel;
    pWidget->SetSamples(0, 1, m_TriggerLine);
    pWidget->repaint();
}

void COscilloscopeWindow::OnToggleDeltaCursorAction()
{
    CQDiagramWidget* pWidget = DiagramWidget();
    pWidget->SetCursorMode(true);
    // Until the mouse moves both ends sit where the cursor was started.
    pWidget->Axis().m_nCursorX = pWidget->Axis().m_nCursorStartX;
    pWidget->repaint();
}

void COscilloscopeWindow::OnContextMenu(const QPoint& point)
{
    CQDiagramWidget* pWidget = DiagramWidget();
    // Also taken here: the menu can open without a press reaching this window.
    m_MenuPos = pWidget->mapToGlobal(point);
    QMenu menu;
    connect(menu.addAction(tr("Set Trigger Level")), &QAction::triggered, this,
            &COscilloscopeWindow::OnSetTriggerLevelAction);
    connect(menu.addAction(tr("Toggle Delta Cursor")), &QAction::triggered, this,
            &COscilloscopeWindow::OnToggleDeltaCursorAction);
    menu.addSeparator();
    CWidgetPicture::AddActions(&menu, pWidget, [] { return tr("Oscilloscope"); });
    menu.exec(pWidget->mapToGlobal(point));
}

void COscilloscopeWindow::mousePressEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() == Qt::RightButton)
        m_MenuPos = pEvent->globalPosition().toPoint();
    QDockWidget::mousePressEvent(pEvent);
}

void COscilloscopeWindow::mouseMoveEvent(QMouseEvent* pEvent)
{
    DiagramWidget()->repaint();
    QDockWidget::mouseMoveEvent(pEvent);
}

void COscilloscopeWindow::closeEvent(QCloseEvent* pEvent)
{
    Store().setValue(QLatin1String(kGeometryKey), geometry());
    Q_EMIT closed();
    QDockWidget::closeEvent(pEvent);
}
