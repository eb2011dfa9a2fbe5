#pragma once

#include "csvexporter.h"

#include <QCoreApplication>
#include <QFile>
#include <QString>

#include <cstdio>

class CKV520Device;

// Carries the records the worker stores into a realtime file and/or CSV
// lines, as they arrive. The file is written through as it grows, so what
// was recorded survives an interrupted run as a readable file.
class CRecordStream
{
    Q_DECLARE_TR_FUNCTIONS(CRecordStream)

public:
    explicit CRecordStream(CKV520Device& device);

    // Refuses paths that are not regular files: opening a FIFO would block.
    bool OpenFile(const QString& strPath, QString* pError);
    // Starts the CSV lines (header first) on the stream; false when the
    // stream takes no writes (a full disk, a closed pipe).
    bool SetCsvStream(std::FILE* pStream, QString* pError,
                      CCsvExporter::Dialect eDialect = CCsvExporter::Dialect::Plain);

    // Takes every record stored since the last call, from where the previous
    // call stopped, so none is skipped or repeated. False on a write error.
    bool Poll(QString* pError);
    bool Close(QString* pError);
    int Count() const { return m_nCount; }

private:
    // Checks what was printed to the CSV stream since the last check.
    bool CheckCsv(QString* pError);

    CKV520Device& m_Device;
    QFile m_File;
    std::FILE* m_pCsv = nullptr;
    QByteArray m_CsvLineEnd;
    int m_nNext = 0;
    int m_nCount = 0;
};
