#pragma once

#include "iserialportenumerator.h"

#include <QString>

class QSettings;

// The link the user picked in the port chooser: automatic discovery, the
// built-in simulator, or one port, remembered with the USB identity of the
// detector behind it so that it is found again under another name.
class CPortChoice
{
public:
    enum class Kind { Automatic, Simulated, Port };

    CPortChoice() = default;
    static CPortChoice Automatic();
    static CPortChoice Simulated();
    // A port named on the command line: no identity, used as given.
    static CPortChoice Named(const QString& strPort);
    static CPortChoice FromEntry(const SerialPortEntry& port);

    Kind GetKind() const { return m_eKind; }
    QString Port() const { return m_strPort; }
    QString SerialNumber() const { return m_strSerialNumber; }
    QString UsbId() const { return m_strUsbId; }
    bool HasIdentity() const { return !m_strSerialNumber.isEmpty() || !m_strUsbId.isEmpty(); }

    // Stored under "Link/": unreadable or missing values mean automatic.
    static CPortChoice Load(const QSettings& settings);
    void Save(QSettings& settings) const;

    bool operator==(const CPortChoice& other) const;
    bool operator!=(const CPortChoice& other) const { return !(*this == other); }

private:
    Kind m_eKind = Kind::Automatic;
    QString m_strPort;
    QString m_strSerialNumber;
    QString m_strUsbId;
};
