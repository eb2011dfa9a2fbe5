#pragma once

// A file system of a few kilobytes mounted on a temporary folder, to fill up
// for real. Mounting needs privileges; Mounted() is false where they are
// missing and the test skips.
#include <QFile>
#include <QTemporaryDir>

#ifdef Q_OS_LINUX
#include <sys/mount.h>
#endif

class CTinyFileSystem
{
public:
    explicit CTinyFileSystem(int nKilobytes)
    {
#ifdef Q_OS_LINUX
        const QByteArray options = "size=" + QByteArray::number(nKilobytes) + "k";
        m_bMounted = m_Dir.isValid()
                  && ::mount("tmpfs", QFile::encodeName(m_Dir.path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                             options.constData())
                         == 0;
#else
        Q_UNUSED(nKilobytes);
#endif
    }
    ~CTinyFileSystem()
    {
#ifdef Q_OS_LINUX
        if (m_bMounted)
            ::umount2(QFile::encodeName(m_Dir.path()).constData(), MNT_DETACH);
#endif
    }
    CTinyFileSystem(const CTinyFileSystem&) = delete;
    CTinyFileSystem& operator=(const CTinyFileSystem&) = delete;

    bool Mounted() const { return m_bMounted; }
    QString Path() const { return m_Dir.path(); }

private:
    QTemporaryDir m_Dir;
    bool m_bMounted = false;
};
