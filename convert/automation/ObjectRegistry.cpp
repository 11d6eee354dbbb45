#include "ObjectRegistry.h"

#include <QHash>

namespace {
// The class registry: progIds are matched ignoring letter case, "word.application" is "Word.Application".
QHash<QString, ClassFactory> &classes()
{
    static QHash<QString, ClassFactory> registry;
    return registry;
}
} // namespace

void RegisterClass(const QString &progId, ClassFactory factory)
{
    classes().insert(progId.toLower(), std::move(factory));
}

void UnregisterClass(const QString &progId)
{
    classes().remove(progId.toLower());
}

ObjectRef CreateObject(const QString &progId)
{
    const auto found = classes().constFind(progId.toLower());
    if (found == classes().constEnd())
        throw AutomationError(
            AutomationErrorNumber::ClassNotRegistered,
            QStringLiteral("Cannot create the object \"%1\": the class is not registered.").arg(progId));
    return (*found)();
}
