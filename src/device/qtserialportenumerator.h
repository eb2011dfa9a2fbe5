#pragma once

#include "iserialportenumerator.h"

// The system's ports through QSerialPortInfo.
class CQtSerialPortEnumerator : public ISerialPortEnumerator
{
public:
    QList<SerialPortEntry> Ports() const override;
};
