// The PDF sweep report of a full-size log (4000 events) and of a realtime
// file of 100000 records. Prints the median of five runs and the file size.
#include "devicefiles.h"
#include "kv520protocol.h"
#include "kv521simulator.h"
#include "sweepreport.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

QList<CDeviceRecord> LogRecords(int nEvents)
{
    QList<QByteArray> entries;
    for (int i = 0; i < nEvents; ++i) {
        const int nSeconds = 8 * 3600 + i * 20;
        entries << CKV521Simulator::BuildLogEvent(4, 1 + nSeconds / 86400, (nSeconds / 3600) % 24,
                                                  (nSeconds / 60) % 60, nSeconds % 60, i % 3, 1 + i % 50);
    }
    const QByteArray blocks = CKV521Simulator::BuildSessionBlocks(entries, 1).join()
        + CKV521Simulator::BuildLogBlock({}, 1, true);
    const auto files = CDeviceFiles::ParseLog(blocks);
    return files.size() == 1 ? CDeviceFiles::RecordsFromRaw(files.first().records) : QList<CDeviceRecord>();
}

QList<CDeviceRecord> RealtimeRecords(int nRecords)
{
    QList<CDeviceRecord> records;
    records.reserve(nRecords);
    for (int i = 0; i < nRecords; ++i) {
        CDeviceRecord record;
        record.m_nTime = 1700000000 + i / 10;
        record.m_nBandMask = 0x05;
        for (int e = 0; e < 6; ++e) {
            CDeviceLevel level;
            // A slow swell that crosses the threshold now and then, with noise.
            level.m_dLevel = (e / 2 == 1) ? 0.0 : 35.0 + 22.0 * std::sin(i / (700.0 + 50 * e)) + (i * 7 % 5) / 2.0;
            level.m_dThreshold = 55.0;
            record.m_Levels << level;
        }
        records << record;
    }
    return records;
}

void Measure(const char* pName, const QList<CDeviceRecord>& records, int nVersion)
{
    QTemporaryDir dir;
    std::vector<double> times;
    int nPages = 0;
    qint64 nSize = 0;
    for (int r = 0; r < 5; ++r) {
        const QString strPath = dir.filePath(QStringLiteral("r.pdf"));
        QElapsedTimer timer;
        timer.start();
        CSweepReport report(records, nVersion, QStringLiteral("bench"));
        QString strError;
        if (!report.Write(strPath, &strError)) {
            std::printf("%s: %s\n", pName, qPrintable(strError));
            return;
        }
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        nPages = report.PageCount();
        nSize = QFileInfo(strPath).size();
    }
    std::sort(times.begin(), times.end());
    std::printf("%-34s median %8.1f ms  (min %.1f, max %.1f)  %d pages  %lld KiB\n", pName, times[2], times.front(),
                times.back(), nPages, static_cast<long long>(nSize / 1024));
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    Measure("report, log of 4000 events", LogRecords(4000), CDeviceFiles::kLogVersion);
    Measure("report, realtime of 100000 records", RealtimeRecords(100000), CDeviceFiles::kRealtimeVersion);
    return 0;
}
