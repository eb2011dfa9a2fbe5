#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <cstdio>

class CCatalogue;
class QCommandLineParser;

// The commands of kv521-cli. Each returns the process's exit code: 0 done,
// 1 failed (with a message in the user's language on the error stream),
// 2 bad usage.
class CCliTool
{
    Q_DECLARE_TR_FUNCTIONS(CCliTool)

public:
    // compare ends with ExitDifferent when the sessions differ.
    enum ExitCode { ExitOk = 0, ExitFailed = 1, ExitUsage = 2, ExitDifferent = 3 };

    CCliTool(std::FILE* pOut = stdout, std::FILE* pErr = stderr);

    // The command word among the arguments (the first that is not an
    // option), empty when there is none.
    static QString CommandOf(const QStringList& arguments);
    // Whether the command paints (and so needs a GUI application object).
    static bool NeedsGui(const QString& strCommand);

    int Run(const QStringList& arguments);

private:
    int RunCommand(const QStringList& arguments);
    int Ports(QCommandLineParser& parser, const QStringList& args);
    int Download(QCommandLineParser& parser, const QStringList& args);
    int Record(QCommandLineParser& parser, const QStringList& args);
    int Convert(QCommandLineParser& parser, const QStringList& args);
    int Settings(QCommandLineParser& parser, const QStringList& args);
    int Clock(QCommandLineParser& parser, const QStringList& args);
    int Report(QCommandLineParser& parser, const QStringList& args);
    int VisitReport(QCommandLineParser& parser, const QStringList& args);
    int Monitor(QCommandLineParser& parser, const QStringList& args);
    int Catalogue(QCommandLineParser& parser, const QStringList& args);
    int Find(QCommandLineParser& parser, const QStringList& args);
    int Baseline(QCommandLineParser& parser, const QStringList& args);
    int Compare(QCommandLineParser& parser, const QStringList& args);
    int Verify(QCommandLineParser& parser, const QStringList& args);
    // Opens and syncs the catalogue of --storage, telling its notices and warnings.
    bool OpenCatalogue(CCatalogue& catalogue, QString* pError);
    // Indexes freshly stored files that lie in the storage folder; a failure is told, never fatal.
    void Catalogue(const QString& strStorage, const QStringList& paths);

    // Parses; ExitOk to go on, else the code to end with (help shown, bad usage).
    int Parse(QCommandLineParser& parser, const QStringList& arguments, int nMinArgs, int nMaxArgs);
    // The --port/--simulate pair; false (after a usage message) when both are given.
    bool LinkOptions(QCommandLineParser& parser, QString& strPort, bool& bSimulate);

    // All of data to the output stream, flushed; false with the reason when
    // any of it did not get there (a full disk, a closed pipe).
    bool WriteOut(const QByteArray& data, QString* pError);
    int Fail(const QString& strMessage);
    int Usage(const QString& strMessage);
    void Print(const QString& strText);
    void PrintGeneralHelp(std::FILE* pStream);

    std::FILE* m_pOut;
    std::FILE* m_pErr;
    // The first failed print to m_pOut (errno), so a run whose output was
    // lost does not end as a success.
    int m_nOutError = 0;
};
