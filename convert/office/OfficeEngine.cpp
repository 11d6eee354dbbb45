#include "convert/office/OfficeEngine.h"

#include "convert/automation/ObjectRegistry.h"
#include "convert/office/OfficePool.h"
#include "convert/office/WordApplication.h"

#include <QStandardPaths>

OfficeSettings DefaultOfficeSettings()
{
    return {QStringLiteral("/usr/lib/libreoffice/program/soffice.bin"),
            QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
                + QStringLiteral("/quorvane/office-profile"),
            OfficeLimits{}, OfficeReuse{}};
}

void RegisterOfficeEngine()
{
    RegisterOfficeEngine(DefaultOfficeSettings());
}

void RegisterOfficeEngine(const OfficeSettings &settings)
{
    OfficePool::instance().configure(settings);
    RegisterClass(QStringLiteral("Word.Application"), [] { return WordApplication::create(); });
}

void WarmUpOfficeEngine()
{
    OfficePool::instance().warmUp();
}

void EndIdleOfficeProcesses()
{
    OfficePool::instance().endIdleProcesses();
}
