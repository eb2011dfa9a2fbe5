#include "serial.h"
#include "serialhandle.h"

#include <QElapsedTimer>
#include <QTest>

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <thread>

namespace {
class CListEnumerator : public ISerialPortEnumerator
{
public:
    QList<SerialPortEntry> m_Ports;
    mutable int m_nCalls = 0;
    QList<SerialPortEntry> Ports() const override
    {
        ++m_nCalls;
        return m_Ports;
    }
};

SerialPortEntry Port(const QString& strName, const QString& strDescription, const QString& strLocation = {})
{
    SerialPortEntry e;
    e.m_strName = strName;
    e.m_strDescription = strDescription;
    e.m_strLocation = strLocation.isEmpty() ? QStringLiteral("/nonexistent/") + strName : strLocation;
    e.m_strHardwareId = QStringLiteral("USB\\VID_2341&PID_0043");
    return e;
}

// The far end of a pseudo-terminal, standing in for the detector.
struct CPty
{
    int m_nMaster = -1;
    QString m_strSlave;
    CPty()
    {
        m_nMaster = posix_openpt(O_RDWR | O_NOCTTY);
        grantpt(m_nMaster);
        unlockpt(m_nMaster);
        m_strSlave = QString::fromLocal8Bit(ptsname(m_nMaster));
        termios tio;
        tcgetattr(m_nMaster, &tio);
        cfmakeraw(&tio);
        tcsetattr(m_nMaster, TCSANOW, &tio);
    }
    ~CPty() { ::close(m_nMaster); }
    void Send(const QByteArray& data) { QCOMPARE(::write(m_nMaster, data.constData(), size_t(data.size())), data.size()); }
};
} // namespace

class TestSerial : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void discoveryTakesTheFirstMatchCaseSensitive()
    {
        auto pList = std::make_shared<CListEnumerator>();
        pList->m_Ports = {Port("ttyS0", "16550A"), Port("ttyUSB0", "arduino clone"), Port("ttyACM0", "Arduino Uno"),
                          Port("ttyACM1", "Arduino Mega")};
        CSerial serial;
        serial.SetEnumerator(pList);
        serial.FindPort("Arduino", 1);
        QCOMPARE(serial.PortName(), QStringLiteral("/nonexistent/ttyACM0"));
        serial.FindPort("PID_0043", 0);
        QCOMPARE(serial.PortName(), QStringLiteral("/nonexistent/ttyS0"));
        serial.FindPort("Nothing", 1);
        QVERIFY(serial.PortName().isEmpty());
        pList->m_Ports.clear();
        QVERIFY(!serial.Connect());
    }

    void aPortThatWillNotOpenIsLookedForAgain()
    {
        auto pList = std::make_shared<CListEnumerator>();
        pList->m_Ports = {Port("ttyACM0", "Arduino Uno")};
        CSerial serial;
        serial.SetEnumerator(pList);
        QVERIFY(!serial.Connect());
        QVERIFY(!serial.LastError().isEmpty());
        QVERIFY(serial.PortName().isEmpty());
        // The detector came back on another port.
        CPty pty;
        pList->m_Ports = {Port("ttyACM1", "Arduino Uno", pty.m_strSlave)};
        QVERIFY(serial.Connect());
        QCOMPARE(serial.m_nStatus.load(), int(CSerial::Opened));
        QVERIFY(serial.LastError().isEmpty());
        serial.Close();
        QCOMPARE(serial.m_nStatus.load(), int(CSerial::Closed));
    }

    void anOverridePortIsKept()
    {
        auto pList = std::make_shared<CListEnumerator>();
        CSerial serial;
        serial.SetEnumerator(pList);
        serial.SetPortOverride("/nonexistent/ttyACM9");
        QVERIFY(!serial.Connect());
        QCOMPARE(serial.PortName(), QStringLiteral("/nonexistent/ttyACM9"));
        QCOMPARE(pList->m_nCalls, 0);
        QVERIFY(serial.LastError().contains("ttyACM9"));
    }

    // A second opener of a port in use is refused, also when it is root
    // (whom the exclusive mode of a terminal does not stop).
    void aPortInUseIsBusyForASecondOpener()
    {
        CPty pty;
        CSerialHandle first;
        CSerialHandle second;
        QVERIFY(first.Open(pty.m_strSlave, 115200, 8, CSerialHandle::Parity::None, 1));
        QVERIFY(!second.Open(pty.m_strSlave, 115200, 8, CSerialHandle::Parity::None, 1));
        QCOMPARE(second.LastError(), pty.m_strSlave + ": Device or resource busy");
        first.Close();
        QVERIFY(second.Open(pty.m_strSlave, 115200, 8, CSerialHandle::Parity::None, 1));
    }

    void silenceLimitedRead()
    {
        CPty pty;
        CSerial serial;
        serial.SetPortOverride(pty.m_strSlave);
        QVERIFY(serial.Connect());
        char buf[64];
        int nReceived = -1;

        // Limit 10 ms: no waiting at all, only what is already there.
        pty.Send("abc");
        QTest::qWait(20);
        QElapsedTimer timer;
        timer.start();
        serial.Read(buf, 10, nReceived, 10);
        QCOMPARE(nReceived, 3);
        QCOMPARE(QByteArray(buf, 3), QByteArray("abc"));
        QVERIFY(timer.elapsed() < 50); // no 20 ms poll, even on a loaded machine

        // The count is reached while more is waiting: the rest stays for the next read.
        pty.Send("0123456789");
        QTest::qWait(20);
        serial.Read(buf, 4, nReceived, 1000);
        QCOMPARE(QByteArray(buf, nReceived), QByteArray("0123"));
        serial.Read(buf, 6, nReceived, 1000);
        QCOMPARE(QByteArray(buf, nReceived), QByteArray("456789"));

        // Silence ends the read after about the limit.
        timer.restart();
        serial.Read(buf, 10, nReceived, 100);
        QCOMPARE(nReceived, 0);
        QVERIFY2(timer.elapsed() >= 90 && timer.elapsed() < 400, qPrintable(QString::number(timer.elapsed())));

        // Bytes that keep coming keep the read going past the limit.
        for (bool bWaiting : {true, false}) {
            serial.SetWaitingReads(bWaiting);
            std::thread sender([&pty] {
                for (int i = 0; i < 6; ++i) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(30));
                    pty.Send("x");
                }
            });
            serial.Read(buf, 6, nReceived, 60);
            sender.join();
            QCOMPARE(nReceived, 6);
        }

        // Single bytes and the drain.
        pty.Send("zq");
        QTest::qWait(20);
        QVERIFY(serial.ReadByte());
        QCOMPARE(serial.LastByte(), uint8_t('z'));
        serial.Drain();
        QVERIFY(!serial.ReadByte());

        // Writes reach the far end.
        int nWritten = 0;
        QVERIFY(serial.Write("+", 1, nWritten));
        QCOMPARE(nWritten, 1);
        QCOMPARE(serial.WriteText("hi"), 2);
        QTest::qWait(20);
        QCOMPARE(::read(pty.m_nMaster, buf, sizeof(buf)), 3L);
        QCOMPARE(QByteArray(buf, 3), QByteArray("+hi"));
    }

    void aFrameAtLineRateComesWholeInFewReads()
    {
        // The system's port, counting how often the link wakes to read.
        struct CCountingHandle : CSerialHandle {
            int m_nReads = 0;
            long ReadAfter(int nMicros, void* pData, size_t nCount) override
            {
                ++m_nReads;
                return CSerialHandle::ReadAfter(nMicros, pData, nCount);
            }
        };
        auto pHandle = std::make_shared<CCountingHandle>();
        CPty pty;
        CSerial serial;
        serial.SetHandle(pHandle);
        serial.SetPortOverride(pty.m_strSlave);
        QVERIFY(serial.Connect());

        // More than a terminal buffers (4 KB), sent as a detector does: pieces
        // at the line's rate, the sender held back whenever the buffer is full.
        QByteArray frame(5250, Qt::Uninitialized);
        for (int i = 0; i < frame.size(); ++i)
            frame[i] = char(i * 7 + i / 256);
        std::thread sender([&] {
            for (int nDone = 0; nDone < frame.size();) {
                const int n = std::min(512, int(frame.size()) - nDone);
                pty.Send(frame.mid(nDone, n));
                nDone += n;
                std::this_thread::sleep_for(std::chrono::microseconds(n * 10 * 1000000LL / 921600));
            }
        });
        QByteArray got(frame.size(), 0);
        int nReceived = 0;
        serial.Read(got.data(), int(got.size()), nReceived, 1000);
        sender.join();
        QCOMPARE(nReceived, int(frame.size()));
        QVERIFY(got == frame);
        // Two wake-ups: before the terminal's buffer fills, and at the end. A
        // read per packet would be a dozen; a busy machine may add a few.
        QVERIFY2(pHandle->m_nReads <= 5, qPrintable(QString::number(pHandle->m_nReads)));
    }

    void drainWaitsForTheLineToGoQuiet()
    {
        CPty pty;
        CSerial serial;
        serial.SetPortOverride(pty.m_strSlave);
        QVERIFY(serial.Connect());
        std::thread sender([&pty] {
            for (int i = 0; i < 5; ++i) {
                pty.Send("garbage");
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        });
        QTest::qWait(5);
        serial.DrainUntilQuiet(20, 1000);
        sender.join();
        char c;
        int nReceived = 0;
        serial.Read(&c, 1, nReceived, 10);
        QCOMPARE(nReceived, 0);
    }

    void automaticFallbackAndChosenDetector()
    {
        CPty pty;
        auto pList = std::make_shared<CListEnumerator>();
        SerialPortEntry bridge = Port("ttyUSB0", "USB Serial", pty.m_strSlave);
        bridge.m_bHasUsbId = true;
        bridge.m_nVendorId = 0x1a86;
        bridge.m_nProductId = 0x7523;
        bridge.m_strSerialNumber = QStringLiteral("S1");
        SerialPortEntry other = bridge;
        other.m_strName = QStringLiteral("ttyUSB1");
        other.m_strLocation = QStringLiteral("/nonexistent/ttyUSB1");
        other.m_strSerialNumber = QStringLiteral("S2");

        CSerial serial;
        serial.SetEnumerator(pList);
        // Two bridges and no description: nothing is opened, the user must choose.
        pList->m_Ports = {other, bridge};
        QVERIFY(!serial.Connect());
        QCOMPARE(serial.DiscoveryOutcome(), CPortDiscovery::Outcome::Ambiguous);
        QVERIFY(serial.LastError().isEmpty());
        pList->m_Ports = {bridge};
        QVERIFY(serial.Connect());
        QCOMPARE(serial.PortName(), pty.m_strSlave);
        QCOMPARE(serial.DiscoveryOutcome(), CPortDiscovery::Outcome::Found);
        serial.Close();

        // Chosen under its old name; unplugged, it came back under another.
        SerialPortEntry before = bridge;
        before.m_strLocation = QStringLiteral("/nonexistent/ttyUSB7");
        serial.SetChosenPort(CPortChoice::FromEntry(before));
        pList->m_Ports = {other};
        QVERIFY(!serial.Connect());
        QCOMPARE(serial.PortName(), QStringLiteral("/nonexistent/ttyUSB7"));
        pList->m_Ports = {other, bridge};
        QVERIFY(serial.Connect());
        QCOMPARE(serial.PortName(), pty.m_strSlave);
    }

    void openHoldsTheModemLinesLow()
    {
        CPty pty;
        // Another handle on the same terminal sees its settings.
        const int fd = ::open(pty.m_strSlave.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        QVERIFY(fd >= 0);
        termios tio;
        QCOMPARE(::tcgetattr(fd, &tio), 0);
        tio.c_cflag |= HUPCL;
        QCOMPARE(::tcsetattr(fd, TCSANOW, &tio), 0);

        CSerialHandle handle;
        QVERIFY2(handle.Open(pty.m_strSlave, 921600, 8, CSerialHandle::Parity::None, 1),
                 qPrintable(handle.LastError()));
        QCOMPARE(::tcgetattr(fd, &tio), 0);
        ::close(fd);
        QVERIFY2(!(tio.c_cflag & HUPCL), "closing would toggle DTR and reset the detector");
        const int nLines = handle.ModemLines();
        if (nLines < 0)
            QSKIP("this terminal has no modem control lines");
        QCOMPARE(nLines & (CSerialHandle::Dtr | CSerialHandle::Rts), 0);
    }
};

QTEST_GUILESS_MAIN(TestSerial)
#include "tst_serial.moc"
