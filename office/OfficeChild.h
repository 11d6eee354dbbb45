// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The office processes of this program: started with no output shown and none of our open
// files, with no new privileges and no core dumps, the first ones each on a processor of its
// own, dying with us however we end, and collected by whichever thread ends them.

#include <QString>
#include <QStringList>

#include <chrono>
#include <optional>

#include <sys/types.h>

// The exit code of an office that asks to be started again (a first start on a new profile).
constexpr int OfficeRestartRequested = 81;

// Headless, invisible, no restore of earlier documents, no logo, no start document.
QStringList HeadlessOfficeArguments();

// Starts command (the program, then its arguments); sandboxed: the command is the sandbox, which
// starts the office inside it and waits for it; processor: the one processor it and all its
// threads are to run on, if any. Throws AutomationError when it cannot be executed. Any thread
// may call it: the process is started by a thread that lasts as long as the program, since the
// system ends a child, as it is told to, when the thread that started it ends.
pid_t StartOfficeChild(const QStringList &command, bool sandboxed, std::optional<int> processor = std::nullopt);

// The office itself that child is or holds: child, or the process its sandbox started; 0 when
// the sandbox has started none (yet).
pid_t OfficeOf(pid_t child);

// Kills the office of child at once, without waiting; its sandbox then ends by itself.
void StopOfficeNow(pid_t child);

// True once the child has ended; it is not collected.
bool OfficeChildHasEnded(pid_t pid);

// Waits up to limit for the child to end and collects it: its exit code (-1 when a signal ended
// it), or nothing when it still runs.
std::optional<int> CollectOfficeChild(pid_t pid, std::chrono::milliseconds limit);

// Kills the child's office at once and collects the child.
void KillOfficeChild(pid_t pid);

// The program is ending: kills every office child at once.
void KillAllOfficeChildren();
