#include "recordstream.h"

#include "csvexporter.h"
#include "devicefiles.h"
#include "kv520device.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

CRecordStream::CRecordStream(CKV520Device& device)
    : m_Feed(&device)
{
    // Records from before the stream was made are not part of this recording.
    m_Feed.SkipStored();
    m_Feed.Subscribe(this);
}

bool CRecordStream::OpenFile(const QString& strPath, QString* pError)
{
    const QFileInfo info(strPath);
    if (info.exists() && !info.isFile()) {
        *pError = tr("%1 is not a regular file.").arg(QDir::toNativeSeparators(strPath));
        return false;
    }
    m_File.setFileName(strPath);
    const QByteArray header = CDeviceFiles::FileHeader(CDeviceFiles::kRealtimeVersion);
    // Unbuffered: each poll's records reach the system at once and survive a
    // killed program.
    if (!m_File.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)
        || m_File.write(header) != header.size()) {
        *pError = tr("Could not write %1: %2").arg(QDir::toNativeSeparators(strPath), m_File.errorString());
        m_File.close();
        return false;
    }
    return true;
}

bool CRecordStream::SetCsvStream(std::FILE* pStream, QString* pError, CCsvExporter::Dialect eDialect)
{
    m_pCsv = pStream;
    m_CsvLineEnd = CCsvExporter::LineEnd(eDialect);
    if (!m_pCsv)
        return true;
    std::fprintf(m_pCsv, "%s%s%s", CCsvExporter::Preamble(eDialect).constData(),
                 CCsvExporter::Line(CCsvExporter::Header(CDeviceFiles::kRealtimeVersion)).toUtf8().constData(),
                 m_CsvLineEnd.constData());
    return CheckCsv(pError);
}

bool CRecordStream::CheckCsv(QString* pError)
{
    // The error flag keeps a failure of any earlier print; the flush hands
    // the lines over and fails on a full disk.
    errno = 0;
    if (std::fflush(m_pCsv) == 0 && !std::ferror(m_pCsv))
        return true;
    const int nError = errno;
    *pError = tr("Could not write the records to the output: %1")
                  .arg(nError ? QString::fromLocal8Bit(std::strerror(nError)) : tr("write error"));
    // One report is enough: nothing more goes to a stream that takes nothing.
    m_pCsv = nullptr;
    return false;
}

void CRecordStream::OnRecords(int64_t, const DeviceRawRecord* pRecords, int nCount)
{
    for (int i = 0; i < nCount; ++i) {
        ++m_nCount;
        if (m_File.isOpen())
            m_Chunk.append(reinterpret_cast<const char*>(&pRecords[i]), int(sizeof(DeviceRawRecord)));
        if (m_pCsv) {
            const CDeviceRecord record = CDeviceRecord::FromRaw(pRecords[i], CDeviceRecord::Mode::Live);
            const QString strLine = CCsvExporter::Line(CCsvExporter::Row(record, m_nCount, CDeviceFiles::kRealtimeVersion));
            std::fprintf(m_pCsv, "%s%s", strLine.toUtf8().constData(), m_CsvLineEnd.constData());
        }
    }
}

bool CRecordStream::Poll(QString* pError)
{
    m_Chunk.clear();
    m_Feed.Poll();
    if (m_File.isOpen() && !m_Chunk.isEmpty() && m_File.write(m_Chunk) != m_Chunk.size()) {
        *pError = tr("Could not write %1: %2").arg(QDir::toNativeSeparators(m_File.fileName()), m_File.errorString());
        return false;
    }
    return !m_pCsv || CheckCsv(pError);
}

bool CRecordStream::Close(QString* pError)
{
    const bool bOk = Poll(pError);
    if (m_File.isOpen())
        m_File.close();
    return bOk;
}
