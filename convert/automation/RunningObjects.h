#pragma once
// Registration of live objects as running, per user, so that GetObject in this process or in
// any other process of the same user can find them. Entries of processes that no longer live
// are ignored and cleaned up.

#include "convert/automation/AutomationObject.h"

#include <QString>

class RunningObjectRegistration {
public:
    // Registers object as a running instance of progId until this registration is destroyed.
    RunningObjectRegistration(const QString &progId, const ObjectRef &object);
    ~RunningObjectRegistration();
    RunningObjectRegistration(const RunningObjectRegistration &) = delete;
    RunningObjectRegistration &operator=(const RunningObjectRegistration &) = delete;

private:
    QString entryPath_;
};
