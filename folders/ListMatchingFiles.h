#pragma once
// The names of the files (not folders) in one folder that match a wildcard pattern.

#include "folders/UnreadFolders.h"

#include <QString>
#include <QStringList>

// folder may end in "/" or not. pattern: "*" any run of characters, "?" one character, letter
// case ignored; every other character stands for itself; a pattern ending in ".*" also matches
// names without any extension, so "*.*" lists every file. Hidden files are listed; links to
// files are listed like files. Names are bare (no folder part), in listing order (by name,
// letter case ignored); a folder without a match gives an empty list.
// A folder that cannot be read gives no names and is added to *unread when given.
QStringList ListMatchingFiles(const QString &folder, const QString &pattern,
                              AddFolder::UnreadFolders *unread = nullptr);
