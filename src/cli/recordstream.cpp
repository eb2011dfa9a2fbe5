#include "recordstream.h"

#include "csvexporter.h"
#include "devicefiles.h"
#include "kv520device.h"
#include "kv520protocol.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

CRecordStream::CRecordStream(CKV520Device& device)
    : m_Device(device)
{
    // Records from before the stream was made are not part of this recording.
    m_nNext = m_Device.Model().WriteIndex();
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

bool CRecordStream::Poll(QString* pError)
{
    const CKV520DataModel& model = m_Device.Model();
    const int nWrite = model.WriteIndex();
    QByteArray chunk;
    while (m_nNext != nWrite) {
        DeviceRawRecord raw;
        if (model.Record(m_nNext, raw)) {
            ++m_nCount;
            if (m_File.isOpen())
                chunk.append(reinterpret_cast<const char*>(&raw), int(sizeof(raw)));
            if (m_pCsv) {
                const CDeviceRecord record = CDeviceRecord::FromRaw(raw, CDeviceRecord::Mode::Live);
                const QString strLine = CCsvExporter::Line(CCsvExporter::Row(record, m_nCount, CDeviceFiles::kRealtimeVersion));
                std::fprintf(m_pCsv, "%s%s", strLine.toUtf8().constData(), m_CsvLineEnd.constData());
            }
        }
        m_nNext = (m_nNext + 1) % KV520::kHistorySize;
    }
    if (m_File.isOpen() && !chunk.isEmpty() && m_File.write(chunk) != chunk.size()) {
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
