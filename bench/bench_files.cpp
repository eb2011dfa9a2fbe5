// Opening stored files in the log pane: a full realtime history and a full
// flash log, and sorting the log list by its time column. Prints figures.
#include "devicefiles.h"
#include "logview.h"

#include "qdiagramwidget.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtEndian>

#include <cstdio>

namespace {

QString WriteFile(const QTemporaryDir& dir, const QString& strName, int nVersion, int nRecords)
{
    QByteArray data(4 + 76 * nRecords, '\0');
    qToBigEndian<qint32>(nVersion, data.data());
    for (int i = 0; i < nRecords; ++i) {
        auto* r = reinterpret_cast<uint8_t*>(data.data() + 4 + 76 * i);
        const int nSeconds = nVersion == 2 ? (i * 7919) % 86400 : i / 40;
        qToLittleEndian<qint32>(nSeconds * 4, r + 8);
        r[12] = uint8_t(1 + (i * 31) % 28);
        r[13] = uint8_t(1 + i % 12);
        r[14] = uint8_t(i);
        r[72] = nVersion == 2 ? uint8_t(1 << (i % 3)) : 0x05;
        for (int b = 0; b < 15; ++b)
            r[16 + b] = uint8_t((i + b * 13) % 200);
        r[16 + 6] = uint8_t(i % 7);
        r[16 + 20] = uint8_t(i & 1);
        r[2] = uint8_t(i % 128);
    }
    QFile f(dir.filePath(strName));
    f.open(QIODevice::WriteOnly);
    f.write(data);
    return f.fileName();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QWidget window;
    auto* pGraph = new CQDiagramWidget(&window);
    auto* pList = new QTreeWidget(&window);
    auto* pTabs = new QTabWidget(&window);
    pTabs->addTab(new QWidget, "Diagram");
    pTabs->addTab(new QWidget, "List");
    pList->setSortingEnabled(true);
    CLogView view(pGraph, pList, pTabs, new QLabel(&window), new QLineEdit(&window), &window, nullptr);
    view.InitLogList();

    const struct
    {
        const char* pName;
        int nVersion;
        int nRecords;
        double dTargetMs;
    } cases[] = {{"realtime file, 300000 records", 0, 300000, 1500}, {"log file, 4000 events", 2, 4000, 200}};
    for (const auto& c : cases) {
        const QString strPath = WriteFile(dir, QStringLiteral("f%1.x").arg(c.nVersion), c.nVersion, c.nRecords);
        QElapsedTimer timer;
        timer.start();
        QList<CDeviceRecord> records;
        int nVersion = 0;
        QString strError;
        CDeviceFiles::LoadDataFile(strPath, records, nVersion, &strError);
        const double dLoad = timer.nsecsElapsed() / 1e6;
        view.ShowFile(records, nVersion);
        const double dTotal = timer.nsecsElapsed() / 1e6;
        std::printf("open %-32s load %7.1f ms, load+show %7.1f ms (target < %.0f ms)\n", c.pName, dLoad, dTotal,
                    c.dTargetMs);
    }
    for (int i = 0; i < 3; ++i) {
        pList->sortByColumn(CLogView::ColNum, Qt::AscendingOrder);
        QElapsedTimer timer;
        timer.start();
        pList->sortByColumn(CLogView::ColAlarmTime, i % 2 ? Qt::DescendingOrder : Qt::AscendingOrder);
        std::printf("sort %d rows by Alarm Time: %.1f ms (target < 100 ms)\n", pList->topLevelItemCount(),
                    timer.nsecsElapsed() / 1e6);
    }
    return 0;
}
