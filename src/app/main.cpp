#include "appidentity.h"
#include "dialogsizer.h"
#include "kv520device.h"
#include "kv521mainwindow.h"
#include "language.h"
#include "terminationwatcher.h"
#include "tracelog.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/CKV521MainWindow/Analyzer.png")));
    CAppIdentity::Apply();
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
    const QCommandLineOption verboseOption(
        QStringLiteral("verbose"),
        QCoreApplication::translate("main", "Trace the link, the exchange and the files on the standard error output."));
    const QCommandLineOption logFileOption(
        QStringLiteral("log-file"),
        QCoreApplication::translate("main", "Write the trace to <file> as well (with --verbose or QT_LOGGING_RULES)."),
        QStringLiteral("file"));
    parser.addOption(portOption);
    parser.addOption(simulateOption);
    parser.addOption(verboseOption);
    parser.addOption(logFileOption);
    parser.process(app);

    if (parser.isSet(verboseOption))
        CTraceLog::EnableVerbose();
    if (parser.isSet(logFileOption)) {
        QString strError;
        if (!CTraceLog::OpenFile(parser.value(logFileOption), &strError)) {
            std::fprintf(stderr, "%s\n",
                         qPrintable(QCoreApplication::translate("main", "Cannot write the trace: %1").arg(strError)));
            return 1;
        }
    }

    // --simulate, else a port named on the command line or in KV521_PORT,
    // beats the stored choice for this run only.
    CKV521MainWindow::SetDevicePort(CKV520Device::PortOverrideFrom(QCoreApplication::arguments()));
    CKV521MainWindow::SetSimulated(parser.isSet(simulateOption));

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
    CTraceLog::CloseFile();
    return nResult;
}
