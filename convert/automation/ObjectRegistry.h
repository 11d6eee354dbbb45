// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CreateInstance and FindRunningInstance over two registries: the classes this process can create, and
// the live instances that any process of this user has registered as running.

#include "AutomationObject.h"

#include <QString>

#include <chrono>
#include <functional>

using ClassFactory = std::function<ObjectRef()>;

// What a class whose objects each need a server process does besides creating them.
struct ClassServers {
    // Starts servers in the background until count are ready, and keeps the ready ones until
    // keepFor passes without another request or use.
    std::function<void(int count, std::chrono::milliseconds keepFor)> prepare;
    // Ends every server at once, in use or not.
    std::function<void()> endAll;
};

// A new object of the class registered under progId; AutomationError 429 when none is. Any
// thread may create objects.
ObjectRef CreateInstance(const QString &progId);

// A live instance registered as running for progId, in this process or another of the same
// user; AutomationError 463 when there is none.
ObjectRef FindRunningInstance(const QString &progId);
// As FindRunningInstance, but only an instance that another process registered: this process's own are
// left out, also those still ending after a failed run.
ObjectRef FindInstanceOfAnotherProcess(const QString &progId);

// The class registry. Registering a progId again replaces its factory and servers.
void RegisterClass(const QString &progId, ClassFactory factory, ClassServers servers = {});
void UnregisterClass(const QString &progId);

// Has the servers of count objects of progId ready soon, so that creating them then costs no
// start; the objects themselves are not created. Nothing for a class without servers.
void PrepareObjects(const QString &progId, int count, std::chrono::milliseconds keepFor);

// Ends the servers of every class at once: the program is ending.
void EndAllServers();
