#include "reportloader.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QStringList>

namespace {

QStringList Candidates()
{
    QStringList candidates;
    // The application object may not exist yet: where the tool lies comes
    // from the system.
    const QString strSelf = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (strSelf.isEmpty())
        return candidates;
    const QDir folder = QFileInfo(strSelf).absoluteDir();
    candidates << folder.filePath(QStringLiteral(KV521_REPORT_MODULE_NAME))
               << folder.filePath(QStringLiteral("../" KV521_REPORT_MODULE_DIR "/" KV521_REPORT_MODULE_NAME));
    return candidates;
}

} // namespace

CReportLoader& CReportLoader::Instance()
{
    static CReportLoader loader;
    return loader;
}

bool CReportLoader::Load(QString* pError)
{
    if (m_fnCreate && m_fnWrite && m_fnWriteTo && m_fnWrite2 && m_fnWriteVisit)
        return true;
    QStringList tried;
    for (const QString& strPath : Candidates()) {
        if (!QFileInfo(strPath).isFile())
            continue;
        QLibrary library(strPath);
        if (!library.load()) {
            tried << library.errorString();
            continue;
        }
        m_fnCreate = reinterpret_cast<KV521CreateReportApplication>(library.resolve(KV521_REPORT_CREATE_APPLICATION));
        m_fnWrite = reinterpret_cast<KV521WriteReport>(library.resolve(KV521_REPORT_WRITE));
        m_fnWriteTo = reinterpret_cast<KV521WriteReportTo>(library.resolve(KV521_REPORT_WRITE_TO));
        m_fnWrite2 = reinterpret_cast<KV521WriteReport2>(library.resolve(KV521_REPORT_WRITE_2));
        m_fnWriteVisit = reinterpret_cast<KV521WriteVisitReport>(library.resolve(KV521_REPORT_WRITE_VISIT));
        if (m_fnCreate && m_fnWrite && m_fnWriteTo && m_fnWrite2 && m_fnWriteVisit)
            return true;
        tried << tr("%1 is not this program's report module.").arg(QDir::toNativeSeparators(strPath));
        library.unload();
    }
    if (pError)
        *pError = tried.isEmpty() ? tr("The report module %1 is not installed.").arg(QStringLiteral(KV521_REPORT_MODULE_NAME))
                                  : tried.join(QLatin1Char('\n'));
    return false;
}
