#pragma once

#include <QString>

#include <cstdint>

// The simulator's end of a pseudo-terminal pair: the program under test opens
// the other end as if it were the detector's serial port. All operating-system
// calls of the simulator live here.
class CPseudoTerminal
{
public:
    enum Wait { Ready, TimedOut, HungUp };

    CPseudoTerminal() = default;
    ~CPseudoTerminal();
    CPseudoTerminal(const CPseudoTerminal&) = delete;
    CPseudoTerminal& operator=(const CPseudoTerminal&) = delete;

    bool Open(QString* pError);
    void Close();
    bool IsOpen() const;
    // The path the PC side opens, e.g. /dev/pts/3.
    QString SlavePath() const { return m_strSlave; }
    bool LinkTo(const QString& strPath, QString* pError) const;

    Wait WaitReadable(int nTimeoutMs) const;
    Wait WaitWritable(int nTimeoutMs) const;
    // Bytes moved, or -1 when nothing could be moved right now.
    int Read(uint8_t* p, int nMax) const;
    int Write(const uint8_t* p, int n) const;

private:
    int m_nMaster = -1;
    QString m_strSlave;
};
