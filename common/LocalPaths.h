// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Paths of the user's files, taken apart as text and reached through their bytes (see NameBytes).

#include <QIODevice>
#include <QString>

#include <cerrno>
#include <optional>

#include <sys/stat.h>

class QFile;

// path as an absolute path, against the current folder; "." and ".." taken away as text, as a
// path is read when it is listed.
QString AbsolutePath(const QString &path);

// The folder that holds what an absolute path names ("/" at the root), and its last part.
QString FolderOf(const QString &path);
QString FileNameOf(const QString &path);

// What path names, links followed; nothing when it names nothing that can be reached.
std::optional<struct stat> FileStatus(const QString &path);
// Whether path names a folder, links followed.
bool IsFolder(const QString &path);

// The system's words for error, by default that of the last call that failed, as messages give
// them in parentheses.
QString SystemReason(int error = errno);

// Opens the file at path into file, in mode (read, or write and truncate); false when it cannot.
bool OpenFile(QFile &file, const QString &path, QIODevice::OpenMode mode);

// The file a Qt file dialog means by the path it gives: the dialog turns each byte of a name that
// is not UTF-8 into a replacement character. A part of the path that names nothing is looked up
// among its folder's names read the same way; where exactly one matches, its real name is taken.
// The path as given when it names a file, or when a part matches no name or several.
QString PathFromDialog(const QString &shown);
