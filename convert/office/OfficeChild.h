// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The office processes of this program: started with no output shown and none of our open
// files, dying with us however we end, and collected by whichever thread ends them.

#include <QString>
#include <QStringList>

#include <chrono>
#include <optional>

#include <sys/types.h>

// The exit code of an office that asks to be started again (a first start on a new profile).
constexpr int OfficeRestartRequested = 81;

// Headless, invisible, no restore of earlier documents, no logo, no start document.
QStringList HeadlessOfficeArguments();

// Starts program with arguments; throws AutomationError when it cannot be executed. Any thread
// may call it: the process is started by a thread that lasts as long as the program, since the
// system ends a child, as it is told to, when the thread that started it ends.
pid_t StartOfficeChild(const QString &program, const QStringList &arguments);

// True once the child has ended; it is not collected.
bool OfficeChildHasEnded(pid_t pid);

// Waits up to limit for the child to end and collects it: its exit code (-1 when a signal ended
// it), or nothing when it still runs.
std::optional<int> CollectOfficeChild(pid_t pid, std::chrono::milliseconds limit);

// Kills the child at once and collects it.
void KillOfficeChild(pid_t pid);

// The program is ending: kills every office child at once.
void KillAllOfficeChildren();
