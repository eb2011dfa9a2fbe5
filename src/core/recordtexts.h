#pragma once

#include "devicerecord.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// The texts of a record as the log list shows them, shared by the list, the
// CSV and JSON exports and the sweep report so that all of them name the
// same quantities the same way. They keep the log list's translation context,
// where the catalogue holds them.
class CRecordTexts
{
    Q_DECLARE_TR_FUNCTIONS(CLogView)

public:
    enum Column {
        ColNum, ColBand, ColAlarmTime, ColDuration, Col1DC, Col1AC, Col2DC, Col2AC, ColSignal, ColFreq, ColComment,
        ColumnCount
    };

    static QStringList HeaderLabels();
    // The cells of one list row; nRow counts from 1.
    static QStringList RowTexts(const CDeviceRecord& record, int nRow);
    // Bit c set: cell c is highlighted.
    static unsigned HighlightMask(const CDeviceRecord& record);
    static QString BandText(int nBandMask);
    // The detector counts frequency in kHz; the list and exports show MHz.
    static QString FrequencyText(double dKilohertz);
    static QString DurationText(int nSeconds);
    // The last non-zero signal kind of the record's entries, 0 when none.
    static int SignalKindOf(const CDeviceRecord& record);
    static QString SignalText(int nKind);
};
