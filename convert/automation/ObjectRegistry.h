#pragma once
// CreateObject and GetObject over two registries: the classes this process can create, and
// the live instances that any process of this user has registered as running.

#include "AutomationObject.h"

#include <QString>

#include <functional>

using ClassFactory = std::function<ObjectRef()>;

// A new object of the class registered under progId; AutomationError 429 when none is.
ObjectRef CreateObject(const QString &progId);

// A live instance registered as running for progId, in this process or another of the same
// user; AutomationError 463 when there is none.
ObjectRef GetObject(const QString &progId);

// The class registry. Registering a progId again replaces its factory.
void RegisterClass(const QString &progId, ClassFactory factory);
void UnregisterClass(const QString &progId);
