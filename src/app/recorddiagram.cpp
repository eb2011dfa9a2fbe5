#include "recorddiagram.h"

#include "devicerecord.h"
#include "diagrampalette.h"
#include "qdiagramwidget.h"

#include <QCoreApplication>
#include <QPen>

#include <iterator>

namespace {

QString LevelName(const char* pText)
{
    return QCoreApplication::translate("CKV521MainWindow", pText);
}

// Area 0 in signal order: the four levels, then their thresholds.
const char* const kLevelNames[8] = {
    QT_TRANSLATE_NOOP("CKV521MainWindow", "B1 DC"),        QT_TRANSLATE_NOOP("CKV521MainWindow", "B1 AC"),
    QT_TRANSLATE_NOOP("CKV521MainWindow", "B2 DC"),        QT_TRANSLATE_NOOP("CKV521MainWindow", "B2 AC"),
    QT_TRANSLATE_NOOP("CKV521MainWindow", "B1 DC Thres."), QT_TRANSLATE_NOOP("CKV521MainWindow", "B1 AC Thres."),
    QT_TRANSLATE_NOOP("CKV521MainWindow", "B2 DC Thres."), QT_TRANSLATE_NOOP("CKV521MainWindow", "B2 AC Thres."),
};

QPen ThresholdPen(const QColor& color)
{
    return QPen(QBrush(color), 1.0, Qt::DashDotLine, Qt::SquareCap, Qt::BevelJoin);
}

} // namespace

void CRecordDiagram::SetupSignals(CQDiagramWidget* pDiagram, int32_t nMode, bool bThresholds)
{
    pDiagram->ClearAll(false);
    pDiagram->SetAreas({CDiagramAreaSpec(nMode == 2 ? DT_TimeLevelRects : DT_TimeLines, 0, 1.0),
                        CDiagramAreaSpec(DT_TimeRects, 100, 0.0)});
    pDiagram->SetXAxisType(0);

    const QColor background = CDiagramPalette::PlotBackground(pDiagram->palette());
    const auto trace = [&background](Qt::GlobalColor eColour) {
        return CDiagramPalette::Trace(QColor(eColour), background);
    };
    const QColor levelColours[4] = {trace(Qt::blue), trace(Qt::red), trace(Qt::darkBlue), trace(Qt::darkRed)};
    for (int i = 0; i < 4; ++i)
        pDiagram->AddSignal(0, LevelName(kLevelNames[i]), QPen(levelColours[i]), 0, true);
    if (bThresholds) {
        for (int i = 0; i < 4; ++i)
            pDiagram->AddSignal(0, LevelName(kLevelNames[4 + i]), ThresholdPen(levelColours[i]), 1, true);
    }
    pDiagram->SetYRange(0, 60, 1);

    // Lane names are the detector's own abbreviations and stay untranslated.
    pDiagram->AddSignal(1, QStringLiteral("DECT"), QPen(trace(Qt::darkGreen)), 0, true);
    pDiagram->AddSignal(1, QStringLiteral("GSM"), QPen(trace(Qt::blue)), 0, true);
    pDiagram->AddSignal(1, QStringLiteral("BT"), QPen(trace(Qt::darkBlue)), 0, true);
    pDiagram->AddSignal(1, QStringLiteral("WLAN"), QPen(trace(Qt::red)), 0, true);
    pDiagram->AddSignal(1, QStringLiteral("DBAS"), QPen(trace(Qt::cyan)), 0, true);
    pDiagram->AddSignal(1, QStringLiteral("WBAS"), QPen(trace(Qt::magenta)), 0, true);
}

void CRecordDiagram::RetranslateSignals(CQDiagramWidget* pDiagram)
{
    if (pDiagram->AreaCount() < 1)
        return;
    const size_t nSignals = pDiagram->Area(0)->m_signals.size();
    for (size_t i = 0; i < nSignals && i < std::size(kLevelNames); ++i)
        pDiagram->Signal(0, int(i))->m_sName = LevelName(kLevelNames[i]);
    pDiagram->update();
}

void CRecordDiagram::AddRecord(CQDiagramWidget* pDiagram, const CDeviceRecord& record, bool bThresholds)
{
    // A record without its six entries comes from a damaged source; drawing
    // part of it would misplace the remaining channels.
    if (record.m_Levels.size() < 6)
        return;
    const QVariant vX = QVariant::fromValue<quint64>(static_cast<quint64>(record.m_nTime));
    const QList<CDeviceLevel>& L = record.m_Levels;

    auto addPair = [&](int nFirstEntry, int nLevelSignal) {
        pDiagram->AddSample(0, nLevelSignal, vX, L[nFirstEntry].m_dLevel, 1);
        pDiagram->AddSample(0, nLevelSignal + 1, vX, L[nFirstEntry + 1].m_dLevel, 1);
        if (bThresholds) {
            pDiagram->AddSample(0, nLevelSignal + 4, vX, L[nFirstEntry].m_dThreshold, 1);
            pDiagram->AddSample(0, nLevelSignal + 5, vX, L[nFirstEntry + 1].m_dThreshold, 1);
        }
    };
    // The detector's bands 1 and 2 both feed the "B1" signals, band 3 "B2".
    if (record.m_nBandMask & 0x01)
        addPair(0, 0);
    if (record.m_nBandMask & 0x02)
        addPair(2, 0);
    if (record.m_nBandMask & 0x04)
        addPair(4, 2);

    for (int nKind = 1; nKind <= 6; ++nKind) {
        for (const CDeviceLevel& level : L) {
            if (level.m_nSignal == nKind) {
                pDiagram->AddSample(1, nKind - 1, vX, 1, 1);
                break;
            }
        }
    }
}
