#include "realtimeview.h"

#include "devicerecord.h"
#include "idevice.h"
#include "kv520protocol.h"
#include "oscilloscopewindow.h"
#include "qdiagramwidget.h"
#include "recorddiagram.h"

#include <QMainWindow>
#include <QPushButton>

namespace {
// A detector clock this far back from the newest sample has been set back.
constexpr int64_t kClockSetBackSecs = 60;
} // namespace

CRealtimeView::CRealtimeView(QMainWindow* pWindow, CQDiagramWidget* pDiagram, QPushButton* pDifferenceButton,
                             QPushButton* pAutoScrollButton, QPushButton* pOscilloscopeButton, QObject* pParent)
    : QObject(pParent)
    , m_pWindow(pWindow)
    , m_pDiagram(pDiagram)
    , m_pDifferenceButton(pDifferenceButton)
    , m_pAutoScrollButton(pAutoScrollButton)
    , m_pOscilloscopeButton(pOscilloscopeButton)
{
    m_pDifferenceButton->hide();
    m_pAutoScrollButton->hide();
    m_pOscilloscopeButton->setText(tr("&Oscilloscope"));
    m_pOscilloscopeButton->show();
    connect(m_pDifferenceButton, &QPushButton::clicked, this, &CRealtimeView::OnDifferenceButton);
    connect(m_pAutoScrollButton, &QPushButton::clicked, this, &CRealtimeView::OnAutoScrollButton);
    connect(m_pOscilloscopeButton, &QPushButton::clicked, this, &CRealtimeView::ToggleOscilloscope);
    // The live diagram keeps no more than the detector's own ring holds; a day
    // of polling would otherwise grow it without end.
    m_pDiagram->SetSampleLimit(size_t(KV520::kHistorySize));
    connect(m_pDiagram, &CQDiagramWidget::diagramTypeChanged, this,
            [this](int, DiagramType eType) { OnDiagramTypeChanged(eType); });
    connect(m_pDiagram, &CQDiagramWidget::autoScrollToggle, this, &CRealtimeView::OnAutoScrollToggle);
}

CRealtimeView::~CRealtimeView() = default;

void CRealtimeView::OnRecords(int64_t, const DeviceRawRecord* pRecords, int nCount)
{
    m_Pending.insert(m_Pending.end(), pRecords, pRecords + nCount);
    // Records older than the ring holds are gone from the detector too.
    while (m_Pending.size() > size_t(KV520::kHistorySize))
        m_Pending.pop_front();
}

void CRealtimeView::OnHistoryRestarted()
{
    m_Pending.clear();
    m_bFresh = true;
}

bool CRealtimeView::Tick(IDevice* pDevice, int32_t nMode)
{
    if (nMode == 0 || (!m_bFresh && m_Pending.empty()))
        return false;
    bool bChanged = false;
    if (nMode != m_nModeOnChange) {
        SetupSignals(m_pDiagram, nMode, true);
        m_nModeOnChange = nMode;
        bChanged = true;
    }
    m_bFresh = false;
    if (m_Pending.empty())
        return bChanged;
    if (nMode != m_nModeOnData) {
        SetupSignals(m_pDiagram, nMode, true);
        m_nModeOnData = nMode;
    }
    // Every record since the last tick, not only the newest: a short strong
    // signal must show even when the interface was busy for a while.
    const size_t nCount = m_Pending.size();
    for (size_t k = 0; k < nCount; ++k) {
        const CDeviceRecord record = pDevice->RecordFromRaw(m_Pending[k]);
        if (record.IsEmpty())
            continue;
        // A detector clock set back (by the user, or a new battery) would
        // otherwise land before the window and never show again.
        if (m_nLastSampleTime != 0 && record.m_nTime < m_nLastSampleTime - kClockSetBackSecs)
            m_pDiagram->ClearAll(true);
        m_nLastSampleTime = record.m_nTime;
        // The oscilloscope gets one trace per tick, with the newest record.
        if (k == nCount - 1)
            AddRecordToDiagram(m_pDiagram, record, true);
        else
            CRecordDiagram::AddRecord(m_pDiagram, record, true);
    }
    m_Pending.clear();
    return true;
}

void CRealtimeView::Restart()
{
    // A trace from another detector must not run on into this one's.
    Clear();
    OnHistoryRestarted();
    m_nModeOnChange = -1;
    m_nModeOnData = -1;
}

void CRealtimeView::Clear()
{
    m_pDiagram->ClearAll(true);
    m_pDiagram->update();
}

void CRealtimeView::SetupSignals(CQDiagramWidget* pDiagram, int32_t nMode, bool bThresholds)
{
    CRecordDiagram::SetupSignals(pDiagram, nMode, bThresholds);
}

void CRealtimeView::AddRecordToDiagram(CQDiagramWidget* pDiagram, const CDeviceRecord& record, bool bThresholds)
{
    CRecordDiagram::AddRecord(pDiagram, record, bThresholds);
    if (m_pOscWindow) {
        int nParam = 0;
        const QByteArray samples = g_pDevice->GetOscilloscopeSamples(&nParam);
        m_pOscWindow->SetFrame(samples, nParam);
    }
}

void CRealtimeView::ToggleOscilloscope()
{
    if (m_pOscWindow) {
        CloseOscilloscope();
        return;
    }
    m_pOscWindow = new COscilloscopeWindow(m_pWindow);
    m_pOscWindow->SetTimeRange(0, 5120);
    m_pOscWindow->SetLevelRange(0, 256);
    connect(m_pOscWindow, &COscilloscopeWindow::closed, this, &CRealtimeView::OnOscWindowClosed);
    // Qt 6 refuses "no dock area"; the window's form makes it a free-floating
    // dock that may not be docked, which is what that area meant.
    m_pOscWindow->show();
    m_pOscWindow->activateWindow();
}

void CRealtimeView::CloseOscilloscope()
{
    if (!m_pOscWindow)
        return;
    m_pWindow->removeDockWidget(m_pOscWindow);
    disconnect(m_pOscWindow, &COscilloscopeWindow::closed, this, &CRealtimeView::OnOscWindowClosed);
    // Closing first stores the window's geometry.
    m_pOscWindow->close();
    delete m_pOscWindow;
    m_pOscWindow = nullptr;
}

void CRealtimeView::OnOscWindowClosed()
{
    // The signal comes from inside the window's own close handling: delete it
    // once that has returned.
    if (m_pOscWindow)
        m_pOscWindow->deleteLater();
    m_pOscWindow = nullptr;
}

void CRealtimeView::OnDifferenceButton(bool bChecked)
{
    const DiagramType eKind = m_pDiagram->GetDiagramType(0);
    if (eKind == DT_TimeLines || eKind == DT_TimeRects || eKind == DT_Difference)
        m_bDifference = bChecked;
}

void CRealtimeView::OnAutoScrollButton(bool bChecked)
{
    const DiagramType eKind = m_pDiagram->GetDiagramType(0);
    if (eKind == DT_TimeLines || eKind == DT_TimeRects)
        m_pDiagram->SetAutoScroll(bChecked);
}

void CRealtimeView::OnDiagramTypeChanged(DiagramType eType)
{
    if (eType == DT_TimeLines || eType == DT_TimeRects) {
        m_pAutoScrollButton->setText(tr("&Autoscroll"));
        m_pAutoScrollButton->show();
        m_pAutoScrollButton->setChecked(m_pDiagram->IsAutoScroll());
    } else if (eType == DT_Difference) {
        m_pDifferenceButton->setText(tr("D&ifference"));
        m_pDifferenceButton->show();
        m_pAutoScrollButton->hide();
    } else {
        m_pDifferenceButton->hide();
    }
}

void CRealtimeView::OnAutoScrollToggle(bool bEnabled)
{
    m_pAutoScrollButton->setChecked(bEnabled);
}

void CRealtimeView::Retranslate()
{
    m_pOscilloscopeButton->setText(tr("&Oscilloscope"));
    // Retranslating puts back the form's placeholders; these are the only
    // texts the diagram kinds ever give the buttons, and whether a button shows
    // is left as the kind decided.
    m_pDifferenceButton->setText(tr("D&ifference"));
    m_pAutoScrollButton->setText(tr("&Autoscroll"));
    // Renamed in place rather than rebuilt, which would throw away the trace
    // collected so far.
    CRecordDiagram::RetranslateSignals(m_pDiagram);
}
