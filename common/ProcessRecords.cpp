// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProcessRecords.h"

#include <QDir>
#include <QFile>

namespace {

QByteArray readWhole(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

std::optional<ProcessStat> ReadProcessStat(qint64 pid)
{
    const QByteArray line = readWhole(QStringLiteral("/proc/%1/stat").arg(pid));
    // "pid (name) state ppid ...": the name ends at the last ')'.
    const qsizetype nameStart = line.indexOf('(');
    const qsizetype nameEnd = line.lastIndexOf(')');
    if (nameStart < 0 || nameEnd < nameStart)
        return std::nullopt;
    return ProcessStat{line.mid(nameStart + 1, nameEnd - nameStart - 1), line.mid(nameEnd + 2).trimmed().split(' ')};
}

QHash<qint64, ProcessStat> ReadProcessTable()
{
    QHash<qint64, ProcessStat> table;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList({QStringLiteral("[0-9]*")}, QDir::Dirs)) {
        if (const auto stat = ReadProcessStat(entry.toLongLong()))
            table.insert(entry.toLongLong(), *stat);
    }
    return table;
}

QList<qint64> ChildProcesses(qint64 pid)
{
    QList<qint64> children;
    const QByteArray listed = readWhole(QStringLiteral("/proc/%1/task/%1/children").arg(pid));
    for (const QByteArray &child : listed.split(' ')) {
        if (child.toLongLong() > 0)
            children << child.toLongLong();
    }
    return children;
}

qint64 ReadKilobyteFigure(const QString &file, const QByteArray &key)
{
    const QByteArray prefix = key + ':';
    for (const QByteArray &line : readWhole(file).split('\n')) {
        if (line.startsWith(prefix)) // "MemAvailable:   20123456 kB"
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return -1;
}
