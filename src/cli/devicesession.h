#pragma once

#include <QCoreApplication>
#include <QString>

#include <functional>
#include <memory>

class CKV520Device;
class CKV521Simulator;

// One detector connection for a command: the named port, the simulated
// detector or the port the automatic rule finds, with the device object
// started on it. Ends the link (and the simulator) when destroyed.
class CDeviceSession
{
    Q_DECLARE_TR_FUNCTIONS(CDeviceSession)

public:
    CDeviceSession();
    ~CDeviceSession();
    CDeviceSession(const CDeviceSession&) = delete;
    CDeviceSession& operator=(const CDeviceSession&) = delete;

    // Connects; with bNeedData also waits for the first stored data frame, so
    // that the menu block and the clock hold the detector's values. False with
    // a reason otherwise.
    bool Open(const QString& strPort, bool bSimulate, bool bNeedData, int nTimeoutMs, QString* pError);
    CKV520Device& Device() { return *m_pDevice; }

    // Runs the event loop until bDone() holds; false when the time ran out.
    static bool WaitUntil(const std::function<bool()>& bDone, int nTimeoutMs);
    // Queues a command and waits until the worker has sent it.
    bool RunCommand(int nCommand, int nTimeoutMs);

private:
    std::unique_ptr<CKV521Simulator> m_pSimulator;
    std::unique_ptr<CKV520Device> m_pDevice;
};
