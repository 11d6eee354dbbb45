// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Main module: small helpers on file names.

#include <QString>

namespace Main {

// True when the file system can report the modification time of `path` (an existing file or
// folder that the user may reach); false otherwise. Reads and changes nothing, never throws.
bool FileExists(const QString &path);

// The text after the last "." of `name` (the whole name is scanned, folder names included);
// the whole name when it has no dot. Overwrites `name` with the result, as callers expect.
QString GetFileExtension(QString &name);

} // namespace Main
