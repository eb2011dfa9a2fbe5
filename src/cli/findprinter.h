#pragma once

#include "catalogue.h"
#include "sessiondifference.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>

// The answers of a catalogue search as the tool prints them: an aligned
// table for people, CSV or JSON for scripts. Times are the instants
// captured, in the offset the PC had at capture; a time taken from a file's
// modification date is marked as guessed.
class CFindPrinter
{
    Q_DECLARE_TR_FUNCTIONS(CFindPrinter)

public:
    enum class Format { Table, Csv, Json };

    static QByteArray Events(const QList<CCatalogue::EventRow>& rows, Format eFormat);
    static QByteArray Files(const QList<CCatalogue::FileRow>& rows, Format eFormat);
    // Times as the new session was captured; an unknown capture prints the
    // record's time on this PC, marked as assumed.
    static QByteArray Differences(const QList<CSessionDifference>& differences, const CCaptureTime& capture,
                                  const QString& strNew, const QString& strBase, Format eFormat);
    static QByteArray Baselines(const QList<CCatalogue::BaselineRow>& rows, Format eFormat);

    // A signal kind by its name (DECT, GSM, BLUETOOTH, WLAN, DECT BASE,
    // WLAN BASE, in any case, blanks optional) or code; -1 when unknown.
    static int KindOf(const QString& strName);
};
