// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the system tells of its processes and its memory, as read from /proc.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

// A process's line of /proc/<pid>/stat.
struct ProcessStat {
    QByteArray name;          // the command name, field 2 (it may hold blanks and parentheses)
    QList<QByteArray> fields; // field 3 onwards

    // Field number (counted as the line counts them, from 1); empty when the line has none.
    QByteArray field(int number) const { return fields.value(number - 3); }
    qint64 parent() const { return field(4).toLongLong(); }
};

// The stat line of pid; nothing when that process is gone.
std::optional<ProcessStat> ReadProcessStat(qint64 pid);
// Every process that can be seen now, by pid.
QHash<qint64, ProcessStat> ReadProcessTable();
// The pids of the processes that pid has started and that still run.
QList<qint64> ChildProcesses(qint64 pid);
// The figure of the "key: N kB" line of a file such as /proc/meminfo or /proc/<pid>/status, in
// bytes; -1 when the file or the line is not there.
qint64 ReadKilobyteFigure(const QString &file, const QByteArray &key);
