// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProcessIdentity.h"

#include <QFile>

#include <cerrno>

#include <signal.h>
#include <unistd.h>

namespace {

QString startTimeOf(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    const QByteArray line = stat.readAll();
    // The command name (field 2) may hold blanks and parentheses: count from its closing one.
    const int nameEnd = line.lastIndexOf(')');
    if (nameEnd < 0)
        return {};
    const QList<QByteArray> fields = line.mid(nameEnd + 2).split(' ');
    constexpr int startTimeField = 22 - 3; // fields after the name start at field 3
    return fields.size() > startTimeField ? QString::fromLatin1(fields.at(startTimeField)) : QString();
}

} // namespace

ProcessIdentity ProcessIdentity::ofThisProcess()
{
    return of(::getpid());
}

ProcessIdentity ProcessIdentity::of(qint64 pid)
{
    return {pid, startTimeOf(pid)};
}

bool ProcessIdentity::isAlive() const
{
    if (pid <= 0 || (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM))
        return false;
    return startTimeOf(pid) == startTime;
}
