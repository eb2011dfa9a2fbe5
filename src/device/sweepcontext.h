#pragma once

#include <QString>

// Where and by whom a sweep is made: the site (client and address), the room,
// the operator and free notes. Kept beside every data file in its sidecar and
// in the catalogue, since the data files have no room for it.
class CSweepContext
{
public:
    QString m_strClient;
    QString m_strAddress;
    QString m_strRoom;
    QString m_strOperator;
    QString m_strNotes;

    // The site as one text, "client, address" (either may be missing).
    QString Site() const;
    bool IsEmpty() const;
    bool operator==(const CSweepContext& other) const;
    bool operator!=(const CSweepContext& other) const { return !(*this == other); }
};
