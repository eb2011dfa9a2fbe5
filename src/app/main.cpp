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

namespace {

void SetIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("KV521 Analyzer"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.0.05"));
    QCoreApplication::setOrganizationName(QStringLiteral("Lumatrix"));
}

struct Options
{
    QCommandLineOption m_Port{QStringLiteral("port"),
                              QCoreApplication::translate("main", "Use serial port <name> instead of searching for the detector."),
                              QStringLiteral("name")};
    QCommandLineOption m_Simulate{
        QStringLiteral("simulate"),
        QCoreApplication::translate("main", "Connect to a simulated detector started inside the program.")};
    QCommandLineOption m_Verbose{
        QStringLiteral("verbose"),
        QCoreApplication::translate("main", "Trace the link, the exchange and the files on the standard error output.")};
    QCommandLineOption m_LogFile{
        QStringLiteral("log-file"),
        QCoreApplication::translate("main", "Write the trace to <file> as well (with --verbose or QT_LOGGING_RULES)."),
        QStringLiteral("file")};

    void AddTo(QCommandLineParser& parser) const
    {
        parser.setApplicationDescription(
            QCoreApplication::translate("main", "Companion program of the KV521 radio-frequency detector."));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOptions({m_Port, m_Simulate, m_Verbose, m_LogFile});
    }
};

// --help and --version must work where there is no display, and the GUI
// application object aborts without one: they are answered by a plain
// application object that is gone before the GUI one is made.
void AnswerHelpAndVersion(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    SetIdentity();
    CLanguage::Instance().LoadStored();
    const Options options;
    QCommandLineParser parser;
    options.AddTo(parser);
    // A failed parse may be an option of the GUI toolkit (-platform, -style):
    // the full parse after the GUI object is made judges it.
    if (!parser.parse(QCoreApplication::arguments()))
        return;
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp();
}

} // namespace

int main(int argc, char* argv[])
{
    AnswerHelpAndVersion(argc, argv);

    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/CKV521MainWindow/Analyzer.png")));
    SetIdentity();
    // Before the options are parsed, so that --help speaks the user's language.
    CLanguage::Instance().LoadStored();
    CDialogSizer dialogSizer;
    app.installEventFilter(&dialogSizer);

    const Options options;
    QCommandLineParser parser;
    options.AddTo(parser);
    parser.process(app);

    if (parser.isSet(options.m_Verbose))
        CTraceLog::EnableVerbose();
    if (parser.isSet(options.m_LogFile)) {
        QString strError;
        if (!CTraceLog::OpenFile(parser.value(options.m_LogFile), &strError)) {
            std::fprintf(stderr, "%s\n",
                         qPrintable(QCoreApplication::translate("main", "Cannot write the trace: %1").arg(strError)));
            return 1;
        }
    }

    // --simulate, else a port named on the command line or in KV521_PORT,
    // beats the stored choice for this run only.
    CKV521MainWindow::SetDevicePort(CKV520Device::PortOverrideFrom(QCoreApplication::arguments()));
    CKV521MainWindow::SetSimulated(parser.isSet(options.m_Simulate));

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
