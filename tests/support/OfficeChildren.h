// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The office processes (soffice.bin) that this test program started, or that the process parent
// started, read from /proc: its descendants, since each office runs inside a sandbox that the
// program started.

#include "ProcessRecords.h"

#include <algorithm>

#include <unistd.h>

inline QList<qint64> OfficeChildren(qint64 parent = ::getpid())
{
    const QHash<qint64, ProcessStat> processes = ReadProcessTable();
    const auto descends = [&](qint64 pid) {
        for (int depth = 0; depth < 16 && pid > 1; ++depth, pid = processes.value(pid).parent()) {
            if (processes.value(pid).parent() == parent)
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
