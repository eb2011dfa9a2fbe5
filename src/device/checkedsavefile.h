#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

class QFileDevice;
class QIODevice;

// A file written under a temporary name and renamed into place only when
// every byte reached the system. Writes bypass Qt's buffer: a buffered write
// that fails for lack of space surfaces only when the buffer is flushed, and
// QSaveFile::commit() then reports success and leaves an empty file behind.
// Any failed step cancels the save; Commit() of a cancelled file is false.
class CCheckedSaveFile
{
public:
    explicit CCheckedSaveFile(const QString& strPath);
    ~CCheckedSaveFile();
    CCheckedSaveFile(const CCheckedSaveFile&) = delete;
    CCheckedSaveFile& operator=(const CCheckedSaveFile&) = delete;

    bool Open();
    bool Write(const char* pData, qint64 nSize);
    bool Write(const QByteArray& data) { return Write(data.constData(), data.size()); }
    bool Commit();
    void Cancel();

    // For writers that take a device (a PDF writer); what they write is
    // checked again by Commit().
    QIODevice* Device() const;
    // The system's reason for the first failure, e.g. "No space left on device".
    QString ErrorString() const { return m_strError; }

    // The whole of a small file in one call; false with "path: reason".
    static bool WriteWhole(const QString& strPath, const QByteArray& data, QString* pError);
    // A file whose writer takes a device: the file is committed only when
    // write succeeds, so a failed writer never replaces a good file. Its own
    // reason is kept; a failure of the file itself reads "path: reason".
    static bool WriteThrough(const QString& strPath, const std::function<bool(QIODevice&, QString*)>& write,
                             QString* pError);

    // Tests: every file opened from now on writes to strDevice (such as
    // /dev/full) in place of its own path; empty ends the redirection.
    static void RedirectWritesForTest(const QString& strDevice);

private:
    bool Failed();

    QString m_strPath;
    std::unique_ptr<QFileDevice> m_pFile;
    QString m_strError;
    bool m_bOpen = false;
};
