// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Registration of live objects as running, per user, so that FindRunningInstance in this process or in
// any other process of the same user can find them. Entries of processes that no longer live
// are ignored and cleaned up.
//
// An entry is a small file in the user's running-object folder ($XDG_RUNTIME_DIR/quorvane-running,
// or a private 0700 folder under /tmp when there is no runtime folder). It records the class,
// the registering process (pid and start time, so a reused pid does not count as alive) and
// the text of the object's default member, which is all another process can read of it.

#include "AutomationObject.h"

#include <QString>

class RunningObjectRegistration {
public:
    // Registers object as a running instance of progId until this registration is destroyed.
    // The registration does not keep the object alive.
    RunningObjectRegistration(const QString &progId, const ObjectRef &object);
    ~RunningObjectRegistration();
    RunningObjectRegistration(const RunningObjectRegistration &) = delete;
    RunningObjectRegistration &operator=(const RunningObjectRegistration &) = delete;

private:
    QString entryPath_;
};

// The folder that holds this user's entries; created on demand.
QString RunningObjectFolder();

// Removes the entries of processes that have ended (killed before they could remove their own).
void RemoveEndedRunningObjects();

// The program is ending at once: removes the entries of this process.
void RemoveOwnRunningObjects();
