#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <atomic>

class IDevice;

// The download of the detector's log, as the window and the command-line
// tool both do it: ask the detector for its log, wait while the worker reads
// it block by block, then cut it into sessions and store one file per
// session. The caller shows the progress its own way and decides on a retry;
// both get the same outcomes.
class CLogDownload
{
    Q_DECLARE_TR_FUNCTIONS(CLogDownload)

public:
    enum class Outcome {
        Saved,    // files written (listed)
        NoEvents, // the log holds no events; nothing written
        Cut,      // files written (listed), but the log went on past what a download holds
        Failed,   // nothing usable: strError says why
    };
    enum class State { Reading, Read, ReadFailed };

    struct Result
    {
        Outcome eOutcome = Outcome::Failed;
        // The files of this download, names within the folder, in the order
        // of the sessions; those already stored with the same bytes included.
        QStringList files;
        int nBlocks = 0;
        // The reason of a failure, or what to tell of a cut or an empty log.
        QString strError;
    };

    explicit CLogDownload(IDevice& device);

    // Asks the detector for its log (again, for a retry).
    void Start();
    const std::atomic<int>* Progress() const;
    State Poll() const;
    // Once read: splits the log and stores its sessions in strFolder.
    Result Save(const QString& strFolder);

private:
    IDevice& m_Device;
};
