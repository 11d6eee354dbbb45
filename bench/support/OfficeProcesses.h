// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The office processes a benchmark started, and the processor time they took.

#include <QDir>
#include <QFile>
#include <QHash>
#include <QList>

#include <unistd.h>

// The soffice.bin processes among the descendants of this program (the batch command's office
// is a grandchild).
inline QList<qint64> OfficeProcesses()
{
    QHash<qint64, qint64> parentOf;
    QHash<qint64, QByteArray> nameOf;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &entry : entries) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (entry.toLongLong() <= 0 || !stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const int nameEnd = line.lastIndexOf(')');
        nameOf.insert(entry.toLongLong(), line.mid(line.indexOf('(') + 1, nameEnd - line.indexOf('(') - 1));
        parentOf.insert(entry.toLongLong(), line.mid(nameEnd + 2).split(' ').value(1).toLongLong());
    }
    const auto descends = [&parentOf](qint64 pid) {
        for (qint64 ancestor = parentOf.value(pid); ancestor > 1; ancestor = parentOf.value(ancestor))
            if (ancestor == ::getpid())
                return true;
        return false;
    };
    QList<qint64> offices;
    for (auto process = nameOf.cbegin(); process != nameOf.cend(); ++process)
        if (process.value() == "soffice.bin" && descends(process.key()))
            offices << process.key();
    return offices;
}

// The processor time, user and system, that the running processes have taken so far, in seconds.
inline double ProcessorSeconds(const QList<qint64> &processes)
{
    double seconds = 0;
    for (const qint64 pid : processes) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        // utime and stime, fields 14 and 15 of the line, the 12th and 13th after the name.
        seconds += double(fields.value(11).toLongLong() + fields.value(12).toLongLong()) / ::sysconf(_SC_CLK_TCK);
    }
    return seconds;
}
