// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The office processes a benchmark started, and the processor time they took.

#include "ProcessRecords.h"

#include <unistd.h>

// The soffice.bin processes among the descendants of this program (the batch command's office
// is a grandchild).
inline QList<qint64> OfficeProcesses()
{
    const QHash<qint64, ProcessStat> processes = ReadProcessTable();
    const auto descends = [&processes](qint64 pid) {
        for (qint64 ancestor = processes.value(pid).parent(); ancestor > 1;
             ancestor = processes.value(ancestor).parent())
            if (ancestor == ::getpid())
                return true;
        return false;
    };
    QList<qint64> offices;
    for (auto process = processes.cbegin(); process != processes.cend(); ++process)
        if (process->name == "soffice.bin" && descends(process.key()))
            offices << process.key();
    return offices;
}

// The processor time, user and system, that the running processes have taken so far, in seconds.
inline double ProcessorSeconds(const QList<qint64> &processes)
{
    double seconds = 0;
    for (const qint64 pid : processes) {
        // utime and stime.
        if (const auto stat = ReadProcessStat(pid))
            seconds += double(stat->field(14).toLongLong() + stat->field(15).toLongLong()) / ::sysconf(_SC_CLK_TCK);
    }
    return seconds;
}
