#pragma once

#include "iserialportenumerator.h"

#include <QList>

#include <cstdint>

class CPortChoice;

// Which of the system's ports is the detector's. Nothing here opens a port or
// sends a byte: the decision rests on what the system tells about each port.
class CPortDiscovery
{
public:
    enum class Outcome { Found, NoneFound, Ambiguous };
    struct Result
    {
        Outcome m_eOutcome = Outcome::NoneFound;
        SerialPortEntry m_Port; // valid when found
    };

    // The first port (in enumeration order) whose description holds "Arduino",
    // case-sensitive; failing that the port of a known USB serial bridge when
    // there is exactly one. Among several bridges it does not guess.
    static Result Automatic(const QList<SerialPortEntry>& ports);
    // The USB serial bridges the detector is built with (those the udev rule grants access to).
    static bool IsKnownBridge(const SerialPortEntry& port);
    // The port of the detector chosen earlier: by USB serial number, or by
    // vendor:product when it has none and exactly one port carries it.
    static bool FindChosen(const QList<SerialPortEntry>& ports, const CPortChoice& choice, SerialPortEntry* pFound);
};
