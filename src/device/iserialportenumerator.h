#pragma once

#include <QList>
#include <QString>

// One serial port as the system lists it.
struct SerialPortEntry
{
    QString m_strName;        // e.g. ttyACM0 or COM5
    QString m_strLocation;    // path to open, e.g. /dev/ttyACM0 or \\.\COM5
    QString m_strDescription; // the device description, e.g. "Arduino Uno"
    QString m_strHardwareId;  // e.g. USB\VID_2341&PID_0043
    QString m_strSerialNumber;
};

// Lists serial ports in the system's enumeration order. Tests give their own list.
class ISerialPortEnumerator
{
public:
    virtual ~ISerialPortEnumerator() = default;
    virtual QList<SerialPortEntry> Ports() const = 0;
};
