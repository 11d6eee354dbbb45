// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileNameHelpers.h"

#include "LocalPaths.h"

namespace Main {

bool FileExists(const QString &path)
{
    // The status holds the modification time.
    return !path.isEmpty() && FileStatus(path).has_value();
}

QString GetFileExtension(QString &name)
{
    name = name.mid(name.lastIndexOf(QLatin1Char('.')) + 1);
    return name;
}

} // namespace Main
