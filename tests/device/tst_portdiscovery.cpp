#include "portchoice.h"
#include "portdiscovery.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {
SerialPortEntry Port(const QString& strName, const QString& strDescription, int nVendor = -1, int nProduct = 0,
                     const QString& strSerial = {})
{
    SerialPortEntry e;
    e.m_strName = strName;
    e.m_strLocation = QStringLiteral("/dev/") + strName;
    e.m_strDescription = strDescription;
    e.m_bHasUsbId = nVendor >= 0;
    e.m_nVendorId = uint16_t(nVendor < 0 ? 0 : nVendor);
    e.m_nProductId = uint16_t(nProduct);
    e.m_strSerialNumber = strSerial;
    return e;
}
} // namespace

class TestPortDiscovery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void automaticRule()
    {
        using O = CPortDiscovery::Outcome;
        const SerialPortEntry builtIn = Port("ttyS0", "16550A");
        const SerialPortEntry ch340 = Port("ttyUSB0", "USB Serial", 0x1a86, 0x7523);
        const SerialPortEntry ftdi = Port("ttyUSB1", "FT232R USB UART", 0x0403, 0x6001);
        const SerialPortEntry modem = Port("ttyACM3", "Modem", 0x1199, 0x9071);
        const SerialPortEntry uno = Port("ttyACM0", "Arduino Uno", 0x2341, 0x0043);

        // The description wins over the bridge fallback, wherever it stands.
        auto r = CPortDiscovery::Automatic({builtIn, ch340, ftdi, uno});
        QCOMPARE(r.m_eOutcome, O::Found);
        QCOMPARE(r.m_Port.OpenPath(), QStringLiteral("/dev/ttyACM0"));

        // No description matches (lower case does not): the one bridge is taken,
        // whatever else is plugged in.
        r = CPortDiscovery::Automatic({builtIn, Port("ttyACM1", "arduino clone"), modem, ch340});
        QCOMPARE(r.m_eOutcome, O::Found);
        QCOMPARE(r.m_Port.OpenPath(), QStringLiteral("/dev/ttyUSB0"));

        // Two bridges: no guess.
        r = CPortDiscovery::Automatic({builtIn, ch340, ftdi});
        QCOMPARE(r.m_eOutcome, O::Ambiguous);
        QVERIFY(r.m_Port.OpenPath().isEmpty());

        r = CPortDiscovery::Automatic({builtIn, modem});
        QCOMPARE(r.m_eOutcome, O::NoneFound);
        r = CPortDiscovery::Automatic({});
        QCOMPARE(r.m_eOutcome, O::NoneFound);
    }

    void chosenDetectorIsFoundByIdentity()
    {
        const SerialPortEntry a = Port("ttyACM1", "Arduino Uno", 0x2341, 0x0043, "A1");
        const SerialPortEntry b = Port("ttyACM2", "Arduino Uno", 0x2341, 0x0043, "B2");
        const SerialPortEntry anon = Port("ttyUSB4", "USB Serial", 0x1a86, 0x7523);
        SerialPortEntry found;

        // Chosen as ttyACM0, back as ttyACM2: the serial number tells.
        CPortChoice chosen = CPortChoice::FromEntry(Port("ttyACM0", "Arduino Uno", 0x2341, 0x0043, "B2"));
        QVERIFY(CPortDiscovery::FindChosen({a, b}, chosen, &found));
        QCOMPARE(found.OpenPath(), QStringLiteral("/dev/ttyACM2"));
        QVERIFY(!CPortDiscovery::FindChosen({a}, chosen, &found));

        // Without a serial number vendor:product is used, but never to pick one of two alike.
        chosen = CPortChoice::FromEntry(Port("ttyUSB0", "USB Serial", 0x1a86, 0x7523));
        QVERIFY(chosen.SerialNumber().isEmpty());
        QCOMPARE(chosen.UsbId(), QStringLiteral("1a86:7523"));
        QVERIFY(CPortDiscovery::FindChosen({a, anon}, chosen, &found));
        QCOMPARE(found.OpenPath(), QStringLiteral("/dev/ttyUSB4"));
        QVERIFY(!CPortDiscovery::FindChosen({anon, Port("ttyUSB5", "USB Serial", 0x1a86, 0x7523)}, chosen, &found));

        // A port named on the command line has no identity to follow.
        QVERIFY(!CPortDiscovery::FindChosen({a, b}, CPortChoice::Named("/dev/ttyACM9"), &found));
    }

    void choiceIsStored()
    {
        QTemporaryDir dir;
        QSettings settings(dir.filePath("t.ini"), QSettings::IniFormat);
        QCOMPARE(CPortChoice::Load(settings), CPortChoice::Automatic());

        const CPortChoice port = CPortChoice::FromEntry(Port("ttyACM0", "Arduino Uno", 0x2341, 0x0043, "A1"));
        for (const CPortChoice& choice : {port, CPortChoice::Simulated(), CPortChoice::Automatic(),
                                          CPortChoice::Named("COM7")}) {
            choice.Save(settings);
            QCOMPARE(CPortChoice::Load(settings), choice);
        }
        // The identity of an earlier port does not stick to a later choice.
        port.Save(settings);
        CPortChoice::Named("/dev/ttyUSB0").Save(settings);
        QVERIFY(!CPortChoice::Load(settings).HasIdentity());
    }
};

QTEST_GUILESS_MAIN(TestPortDiscovery)
#include "tst_portdiscovery.moc"
