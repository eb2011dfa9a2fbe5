#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

// The detector's settings as a table of names and values, for a report or a
// terminal: no widgets. The names are the device menu dialog's own labels,
// translated in the dialog's contexts, so both read the same in each language.
class CMenuSettingsTable
{
    Q_DECLARE_TR_FUNCTIONS(CMenuSettingsTable)

public:
    struct Row
    {
        QString strGroup;
        QString strName;
        QString strValue;
    };

    // From a menu block (at least the 54 positions the detector reports);
    // a shorter block gives no rows.
    static QList<Row> Rows(const QByteArray& menu);
};
