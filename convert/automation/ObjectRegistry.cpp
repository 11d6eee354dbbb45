// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ObjectRegistry.h"

#include <QHash>

#include <mutex>
#include <optional>

namespace {

struct RegisteredClass {
    ClassFactory factory;
    ClassServers servers;
};

// The class registry: progIds are matched ignoring letter case, "word.application" is
// "Word.Application". Conversions create objects on several threads.
struct Classes {
    std::mutex mutex;
    QHash<QString, RegisteredClass> byProgId;
};

Classes &classes()
{
    static Classes registry;
    return registry;
}

std::optional<RegisteredClass> registered(const QString &progId)
{
    std::lock_guard lock(classes().mutex);
    const auto found = classes().byProgId.constFind(progId.toLower());
    if (found == classes().byProgId.constEnd())
        return std::nullopt;
    return *found;
}

} // namespace

void RegisterClass(const QString &progId, ClassFactory factory, ClassServers servers)
{
    std::lock_guard lock(classes().mutex);
    classes().byProgId.insert(progId.toLower(), {std::move(factory), std::move(servers)});
}

void UnregisterClass(const QString &progId)
{
    std::lock_guard lock(classes().mutex);
    classes().byProgId.remove(progId.toLower());
}

ObjectRef CreateInstance(const QString &progId)
{
    const std::optional<RegisteredClass> found = registered(progId);
    if (!found)
        throw AutomationError(
            AutomationErrorNumber::ClassNotRegistered,
            QStringLiteral("Cannot create the object \"%1\": the class is not registered.").arg(progId));
    return found->factory();
}

void PrepareObjects(const QString &progId, int count, std::chrono::milliseconds keepFor)
{
    const std::optional<RegisteredClass> found = registered(progId);
    if (found && found->servers.prepare)
        found->servers.prepare(count, keepFor);
}

void EndAllServers()
{
    QList<RegisteredClass> all;
    {
        std::lock_guard lock(classes().mutex);
        all = classes().byProgId.values();
    }
    for (const RegisteredClass &registeredClass : all)
        if (registeredClass.servers.endAll)
            registeredClass.servers.endAll();
}
