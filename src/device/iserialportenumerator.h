#pragma once

#include <QList>
#include <QString>

#include <cstdint>

// One serial port as the system lists it.
struct SerialPortEntry
{
    QString m_strName;         // e.g. ttyACM0 or COM5
    QString m_strLocation;     // path to open, e.g. /dev/ttyACM0 or \\.\COM5
    QString m_strDescription;  // the device description, e.g. "Arduino Uno"
    QString m_strHardwareId;   // e.g. USB\VID_2341&PID_0043
    QString m_strManufacturer;
    QString m_strSerialNumber; // the USB serial number; empty when the bridge has none
    bool m_bHasUsbId = false;
    uint16_t m_nVendorId = 0;
    uint16_t m_nProductId = 0;

    // "2341:0043", empty when the port is not a USB one.
    QString UsbId() const;
    // The path to open: the location when the system gave one, else the name.
    QString OpenPath() const { return m_strLocation.isEmpty() ? m_strName : m_strLocation; }
};

// Lists serial ports in the system's enumeration order. Tests give their own list.
class ISerialPortEnumerator
{
public:
    virtual ~ISerialPortEnumerator() = default;
    virtual QList<SerialPortEntry> Ports() const = 0;
};
