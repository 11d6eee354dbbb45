// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The office processes (soffice.bin) that this test program started, or that the process parent
// started, read from /proc: its descendants, since each office runs inside a sandbox that the
// program started.

#include <QDir>
#include <QFile>
#include <QHash>

#include <unistd.h>

inline QList<qint64> OfficeChildren(qint64 parent = ::getpid())
{
    struct Process {
        QByteArray name;
        qint64 parent = 0;
    };
    QHash<qint64, Process> processes;
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList({QStringLiteral("[0-9]*")}, QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        // "pid (name) state ppid ...": the name may hold blanks and parentheses, so it ends at the last ')'.
        const QByteArray line = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
        const qsizetype nameStart = line.indexOf('(');
        const qsizetype nameEnd = line.lastIndexOf(')');
        if (nameStart > 0 && nameEnd > nameStart)
            processes.insert(pid.toLongLong(), {line.mid(nameStart + 1, nameEnd - nameStart - 1),
                                                line.mid(nameEnd + 2).split(' ').value(1).toLongLong()});
    }
    const auto descends = [&](qint64 pid) {
        for (int depth = 0; depth < 16 && pid > 1; ++depth, pid = processes.value(pid).parent) {
            if (processes.value(pid).parent == parent)
                return true;
        }
        return false;
    };
    QList<qint64> children;
    for (auto process = processes.cbegin(); process != processes.cend(); ++process) {
        if (process->name == "soffice.bin" && descends(process.key()))
            children << process.key();
    }
    std::sort(children.begin(), children.end());
    return children;
}
