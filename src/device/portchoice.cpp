#include "portchoice.h"

#include <QSettings>

namespace {
// Values of "Link/Port" other than a port path. No system names a port like these.
const QLatin1String kAutomatic("auto");
const QLatin1String kSimulated("simulated");
const QLatin1String kPortKey("Link/Port");
const QLatin1String kSerialKey("Link/SerialNumber");
const QLatin1String kUsbIdKey("Link/UsbId");
} // namespace

CPortChoice CPortChoice::Automatic()
{
    return CPortChoice();
}

CPortChoice CPortChoice::Simulated()
{
    CPortChoice choice;
    choice.m_eKind = Kind::Simulated;
    return choice;
}

CPortChoice CPortChoice::Named(const QString& strPort)
{
    if (strPort.isEmpty())
        return Automatic();
    CPortChoice choice;
    choice.m_eKind = Kind::Port;
    choice.m_strPort = strPort;
    return choice;
}

CPortChoice CPortChoice::FromEntry(const SerialPortEntry& port)
{
    CPortChoice choice = Named(port.OpenPath());
    choice.m_strSerialNumber = port.m_strSerialNumber;
    choice.m_strUsbId = port.UsbId();
    return choice;
}

CPortChoice CPortChoice::Load(const QSettings& settings)
{
    const QString strPort = settings.value(kPortKey).toString();
    if (strPort == kSimulated)
        return Simulated();
    if (strPort.isEmpty() || strPort == kAutomatic)
        return Automatic();
    CPortChoice choice = Named(strPort);
    choice.m_strSerialNumber = settings.value(kSerialKey).toString();
    choice.m_strUsbId = settings.value(kUsbIdKey).toString();
    return choice;
}

void CPortChoice::Save(QSettings& settings) const
{
    switch (m_eKind) {
    case Kind::Automatic:
        settings.setValue(kPortKey, kAutomatic);
        break;
    case Kind::Simulated:
        settings.setValue(kPortKey, kSimulated);
        break;
    case Kind::Port:
        settings.setValue(kPortKey, m_strPort);
        break;
    }
    // An identity left from an earlier choice must not steer this one.
    if (m_strSerialNumber.isEmpty())
        settings.remove(kSerialKey);
    else
        settings.setValue(kSerialKey, m_strSerialNumber);
    if (m_strUsbId.isEmpty())
        settings.remove(kUsbIdKey);
    else
        settings.setValue(kUsbIdKey, m_strUsbId);
}

bool CPortChoice::operator==(const CPortChoice& other) const
{
    return m_eKind == other.m_eKind && m_strPort == other.m_strPort && m_strSerialNumber == other.m_strSerialNumber
        && m_strUsbId == other.m_strUsbId;
}
