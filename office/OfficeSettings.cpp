// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "OfficeSettings.h"

#include <QStandardPaths>

OfficeSettings DefaultOfficeSettings()
{
    return {QStringLiteral(QUORVANE_LIBREOFFICE_PROGRAM_DIR "/soffice.bin"),
            QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
                + QStringLiteral("/quorvane/office-profile"),
            QStringLiteral(QUORVANE_SANDBOX_PROGRAM),
            OfficeLimits{},
            OfficeReuse{},
            OfficeMemory{}};
}
