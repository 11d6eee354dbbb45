// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The office processes (soffice.bin) that are children of this test program, or of the process
// parent, read from /proc.

#include <QDir>
#include <QFile>

#include <unistd.h>

inline QList<qint64> OfficeChildren(qint64 parent = ::getpid())
{
    QList<qint64> children;
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList({QStringLiteral("[0-9]*")}, QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        // "pid (name) state ppid ...": the name may hold blanks and parentheses, so it ends at the last ')'.
        const QByteArray line = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
        const qsizetype nameEnd = line.lastIndexOf(')');
        if (line.left(nameEnd + 1) == pid.toLatin1() + " (soffice.bin)"
            && line.mid(nameEnd + 2).split(' ').value(1).toLongLong() == parent)
            children << pid.toLongLong();
    }
    return children;
}
