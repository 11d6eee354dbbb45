#include "convert/office/OfficeEngine.h"

#include "convert/automation/ObjectRegistry.h"
#include "convert/office/WordApplication.h"

#include <QStandardPaths>

OfficeSettings DefaultOfficeSettings()
{
    return {QStringLiteral("/usr/lib/libreoffice/program/soffice.bin"),
            QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
                + QStringLiteral("/quorvane/office-profile"),
            OfficeLimits{}};
}

void RegisterOfficeEngine()
{
    RegisterOfficeEngine(DefaultOfficeSettings());
}

void RegisterOfficeEngine(const OfficeSettings &settings)
{
    RegisterClass(QStringLiteral("Word.Application"), [settings] { return WordApplication::create(settings); });
}
