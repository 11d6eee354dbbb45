// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A process as it can be recognised later: its pid and its start time, so that a pid the system
// has since given to another process does not count as the same process.

#include <QString>

struct ProcessIdentity {
    qint64 pid = 0;
    QString startTime; // field 22 of /proc/<pid>/stat

    static ProcessIdentity ofThisProcess();
    static ProcessIdentity of(qint64 pid);
    // True while that very process runs (also when it belongs to another user).
    bool isAlive() const;
};
