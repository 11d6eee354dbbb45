// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The names of the files (not folders) in one folder that match a wildcard pattern.

#include <QString>
#include <QStringList>

// folder may end in "/" or not. pattern: "*" any run of characters, "?" one character, letter
// case ignored; every other character stands for itself, and a byte of a name that is not UTF-8
// for one character; a pattern ending in ".*" also matches
// names without any extension, so "*.*" lists every file. Hidden files are listed; links to
// files are listed like files. Names are bare (no folder part), in listing order (by name,
// letter case ignored); a folder without a match, or one that cannot be read, gives an empty list.
QStringList ListMatchingFiles(const QString &folder, const QString &pattern);

// The names among fileNames that match pattern, as above, in their order.
QStringList MatchingNames(const QStringList &fileNames, const QString &pattern);
