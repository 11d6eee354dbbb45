// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProcessIdentity.h"

#include "ProcessRecords.h"

#include <cerrno>

#include <signal.h>
#include <unistd.h>

namespace {

QString startTimeOf(qint64 pid)
{
    const auto stat = ReadProcessStat(pid);
    return stat ? QString::fromLatin1(stat->field(22)) : QString();
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
