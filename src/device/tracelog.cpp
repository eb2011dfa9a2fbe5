#include "tracelog.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMutex>

#include <memory>

namespace {
QMutex g_FileLock;
std::unique_ptr<QFile> g_pFile;
QtMessageHandler g_PreviousHandler = nullptr;

void CopyToFile(QtMsgType eType, const QMessageLogContext& context, const QString& strMessage)
{
    QtMessageHandler previous = nullptr;
    {
        QMutexLocker locker(&g_FileLock);
        previous = g_PreviousHandler;
        if (g_pFile) {
            const QString strLine = QStringLiteral("%1 %2: %3\n")
                                        .arg(QDateTime::currentDateTime().toString(Qt::ISODateWithMs),
                                             QLatin1String(context.category ? context.category : "default"),
                                             strMessage);
            g_pFile->write(strLine.toUtf8());
            // Unbuffered so the file is complete even when the program crashes.
            g_pFile->flush();
        }
    }
    if (previous)
        previous(eType, context, strMessage);
}
} // namespace

void CTraceLog::EnableVerbose()
{
    QLoggingCategory::setFilterRules(QStringLiteral("kv521.*.debug=true"));
}

bool CTraceLog::OpenFile(const QString& strPath, QString* pError)
{
    // A FIFO or a device would block the program at its first message.
    const QFileInfo info(strPath);
    if (info.exists() && !info.isFile()) {
        if (pError)
            *pError = QStringLiteral("%1: not a regular file").arg(strPath);
        return false;
    }
    auto pFile = std::make_unique<QFile>(strPath);
    if (!pFile->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        if (pError)
            *pError = QStringLiteral("%1: %2").arg(strPath, pFile->errorString());
        return false;
    }
    QMutexLocker locker(&g_FileLock);
    const bool bFirst = !g_pFile;
    g_pFile = std::move(pFile);
    if (bFirst)
        g_PreviousHandler = qInstallMessageHandler(CopyToFile);
    return true;
}

void CTraceLog::CloseFile()
{
    QMutexLocker locker(&g_FileLock);
    if (!g_pFile)
        return;
    qInstallMessageHandler(g_PreviousHandler);
    g_PreviousHandler = nullptr;
    g_pFile.reset();
}
