// Placeholder until the per-user running registry lands.
#include "convert/automation/ObjectRegistry.h"
#include "convert/automation/RunningObjects.h"

RunningObjectRegistration::RunningObjectRegistration(const QString &, const ObjectRef &) {}
RunningObjectRegistration::~RunningObjectRegistration() = default;

ObjectRef GetObject(const QString &progId)
{
    throw AutomationError(AutomationErrorNumber::NoRunningInstance,
                          QStringLiteral("No running instance of \"%1\" was found.").arg(progId));
}
