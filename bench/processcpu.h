#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

// What the benchmarks read of a running process and of the machine, from /proc.

// User plus system time of a process in clock ticks, -1 when it is gone.
inline long long CpuTicks(qint64 nPid)
{
    QFile f(QStringLiteral("/proc/%1/stat").arg(nPid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray stat = f.readAll();
    // The command name may hold blanks; the fields count from its closing parenthesis.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return -1;
    return fields[11].toLongLong() + fields[12].toLongLong();
}

// The load averages over 1, 5 and 15 minutes, as the figures are printed beside them.
inline QString LoadAverage()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()).section(QLatin1Char(' '), 0, 2) : QString();
}
