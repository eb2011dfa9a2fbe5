#include "portdiscovery.h"
#include "portchoice.h"

namespace {
// Keep in step with resources/linux/60-kv521-analyzer.rules.
const uint16_t kBridgeVendors[] = {
    0x2341, // Arduino SA
    0x2a03, // Arduino LLC
    0x1a86, // WCH CH340 / CH341
    0x0403, // FTDI
    0x10c4, // Silicon Labs CP210x
};
} // namespace

QString SerialPortEntry::UsbId() const
{
    if (!m_bHasUsbId)
        return QString();
    return QStringLiteral("%1:%2").arg(m_nVendorId, 4, 16, QLatin1Char('0')).arg(m_nProductId, 4, 16, QLatin1Char('0'));
}

bool CPortDiscovery::IsKnownBridge(const SerialPortEntry& port)
{
    if (!port.m_bHasUsbId)
        return false;
    for (uint16_t nVendor : kBridgeVendors) {
        if (port.m_nVendorId == nVendor)
            return true;
    }
    return false;
}

CPortDiscovery::Result CPortDiscovery::Automatic(const QList<SerialPortEntry>& ports)
{
    Result result;
    for (const SerialPortEntry& port : ports) {
        if (port.m_strDescription.contains(QLatin1String("Arduino"), Qt::CaseSensitive)) {
            result.m_eOutcome = Outcome::Found;
            result.m_Port = port;
            return result;
        }
    }
    int nBridges = 0;
    for (const SerialPortEntry& port : ports) {
        if (IsKnownBridge(port)) {
            ++nBridges;
            result.m_Port = port;
        }
    }
    if (nBridges == 1) {
        result.m_eOutcome = Outcome::Found;
    } else {
        result.m_eOutcome = nBridges == 0 ? Outcome::NoneFound : Outcome::Ambiguous;
        result.m_Port = SerialPortEntry();
    }
    return result;
}

bool CPortDiscovery::FindChosen(const QList<SerialPortEntry>& ports, const CPortChoice& choice,
                                SerialPortEntry* pFound)
{
    if (!choice.SerialNumber().isEmpty()) {
        for (const SerialPortEntry& port : ports) {
            if (port.m_strSerialNumber == choice.SerialNumber()
                && (choice.UsbId().isEmpty() || port.UsbId() == choice.UsbId())) {
                if (pFound)
                    *pFound = port;
                return true;
            }
        }
        return false;
    }
    if (choice.UsbId().isEmpty())
        return false;
    const SerialPortEntry* pMatch = nullptr;
    for (const SerialPortEntry& port : ports) {
        if (port.UsbId() != choice.UsbId())
            continue;
        if (pMatch)
            return false; // two alike: only the port name can tell them apart
        pMatch = &port;
    }
    if (pMatch && pFound)
        *pFound = *pMatch;
    return pMatch != nullptr;
}
