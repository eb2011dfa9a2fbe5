#pragma once

#include "devicerecord.h"

#include <QCoreApplication>
#include <QList>

class QPainter;
class QRectF;

// The level-over-time diagram of one file's records as the reports draw it:
// a line per channel entry for realtime records, a stem per event for log
// events, time labels, and the legend of the entries underneath.
class CReportDiagram
{
    Q_DECLARE_TR_FUNCTIONS(CSweepReport)

public:
    // dMm: device units per millimetre.
    static void Paint(QPainter& painter, const QRectF& area, const QList<CDeviceRecord>& records, bool bLog, double dMm);
};
