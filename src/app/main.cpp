#include "dialogsizer.h"
#include "kv520device.h"
#include "kv521mainwindow.h"
#include "kv521simulator.h"
#include "language.h"
#include "terminationwatcher.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

#include <cstdio>
#include <memory>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/CKV521MainWindow/Analyzer.png")));
    QCoreApplication::setApplicationName(QStringLiteral("KV521 Analyzer"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.0.05"));
    QCoreApplication::setOrganizationName(QStringLiteral("Lumatrix"));
    // Before the options are parsed, so that --help speaks the user's language.
    CLanguage::Instance().LoadStored();
    CDialogSizer dialogSizer;
    app.installEventFilter(&dialogSizer);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "Companion program of the KV521 radio-frequency detector."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption portOption(
        QStringLiteral("port"), QCoreApplication::translate("main", "Use serial port <name> instead of searching for the detector."),
        QStringLiteral("name"));
    const QCommandLineOption simulateOption(
        QStringLiteral("simulate"),
        QCoreApplication::translate("main", "Connect to a simulated detector started inside the program."));
    parser.addOption(portOption);
    parser.addOption(simulateOption);
    parser.process(app);

    // The simulator outlives the window, whose destructor stops the link.
    std::unique_ptr<CKV521Simulator> pSimulator;
    QString strPort = CKV520Device::PortOverrideFrom(QCoreApplication::arguments());
    if (parser.isSet(simulateOption)) {
        CKV521Simulator::Options options;
        options.bPace = true;
        pSimulator = std::make_unique<CKV521Simulator>(options);
        QString strError;
        if (!pSimulator->Open(&strError)) {
            std::fprintf(stderr, "%s\n",
                         qPrintable(QCoreApplication::translate("main", "Cannot start the simulated detector: %1")
                                        .arg(strError)));
            return 1;
        }
        pSimulator->Start();
        strPort = pSimulator->SlavePath();
    }
    CKV521MainWindow::SetDevicePort(strPort);

    // Asked to end from outside (logout, kill, Ctrl+C): leave the event loop
    // so that the window below is destroyed in order, stopping the link and
    // writing the settings.
    CTerminationWatcher termination;
    QObject::connect(&termination, &CTerminationWatcher::terminationRequested, &app, &QCoreApplication::quit);

    int nResult = 0;
    {
        CKV521MainWindow window;
        window.setWindowTitle(QCoreApplication::applicationName() + QStringLiteral(" - ")
                              + QCoreApplication::applicationVersion());
        window.show();
        nResult = app.exec();
    }
    if (pSimulator)
        pSimulator->Stop();
    return nResult;
}
