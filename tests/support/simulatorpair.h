#pragma once

#include "kv520device.h"
#include "kv520protocol.h"
#include "kv521simulator.h"

#include <QString>
#include <QTest>

// The real worker against a deterministic simulated detector on a
// pseudo-terminal: the pair most link, log and window suites start.
class CSimulatorPair
{
public:
    CKV521Simulator sim;
    CKV520Device device;

    // bStart: the simulator runs and the device is started on its port at once.
    explicit CSimulatorPair(bool bStart = true) : sim(DeterministicOptions())
    {
        if (bStart)
            Start();
    }
    ~CSimulatorPair() { device.Stop(); }

    static CKV521Simulator::Options DeterministicOptions()
    {
        CKV521Simulator::Options options;
        options.bDeterministic = true;
        return options;
    }

    void Start()
    {
        QString strError;
        if (!sim.Open(&strError))
            qFatal("%s", qPrintable(strError));
        sim.Start();
        device.SetPortOverride(sim.SlavePath());
        device.Start();
    }
    // Waits on conditions, not times: generous limits cost nothing when the
    // link is quick, and a sanitizer build is several times slower.
    bool WaitConnected(int nTimeoutMs = 20000)
    {
        return QTest::qWaitFor([&] { return device.IsConnected(); }, nTimeoutMs);
    }
    // Reads the detector's whole log; true once it has arrived.
    bool Download()
    {
        if (!WaitConnected())
            return false;
        device.SetCommand(KV520::kCmdReadLog);
        return QTest::qWaitFor([&] { return device.GetProgress()->load() == KV520::kProgressDone; }, 60000);
    }
};
