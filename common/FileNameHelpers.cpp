// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileNameHelpers.h"

#include <QFile>

#include <filesystem>
#include <system_error>

namespace Main {

bool FileExists(const QString &path)
{
    // A NUL would cut the name short at the system call and ask about another file.
    if (path.isEmpty() || path.contains(QChar(0)))
        return false;
    std::error_code error;
    [[maybe_unused]] const auto modified = std::filesystem::last_write_time(
        std::filesystem::path(QFile::encodeName(path).toStdString()), error);
    return !error;
}

QString GetFileExtension(QString &name)
{
    name = name.mid(name.lastIndexOf(QLatin1Char('.')) + 1);
    return name;
}

} // namespace Main
