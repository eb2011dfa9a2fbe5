#include "qtserialportenumerator.h"

#include <QSerialPortInfo>

QList<SerialPortEntry> CQtSerialPortEnumerator::Ports() const
{
    QList<SerialPortEntry> ports;
    const auto infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : infos) {
        SerialPortEntry e;
        e.m_strName = info.portName();
        e.m_strLocation = info.systemLocation();
        e.m_strDescription = info.description();
        e.m_strSerialNumber = info.serialNumber();
        if (info.hasVendorIdentifier() && info.hasProductIdentifier())
            e.m_strHardwareId = QStringLiteral("USB\\VID_%1&PID_%2")
                                    .arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
                                    .arg(info.productIdentifier(), 4, 16, QLatin1Char('0'))
                                    .toUpper();
        ports << e;
    }
    return ports;
}
