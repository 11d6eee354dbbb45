// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "UntrustedFolders.h"

#include "LocalPaths.h"
#include "NameBytes.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Deeper than any folder the program makes; what lies deeper stays.
constexpr int MaxDepth = 32;

bool removeTreeAt(int parent, const QByteArray &name, dev_t device, int depth)
{
    struct stat info {};
    if (::fstatat(parent, name.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT;
    if (!S_ISDIR(info.st_mode))
        return ::unlinkat(parent, name.constData(), 0) == 0 || errno == ENOENT;
    if (info.st_dev != device || depth > MaxDepth)
        return false;
    // Opened without following: a folder swapped for a link since the check is not entered.
    const FileDescriptor folder(::openat(parent, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat opened {};
    if (!folder.isOpen() || ::fstat(folder.get(), &opened) != 0 || opened.st_dev != device)
        return false;
    bool emptied = true;
    for (const QByteArray &entry : FolderEntries(folder.get()))
        emptied = removeTreeAt(folder.get(), entry, device, depth + 1) && emptied;
    return emptied && (::unlinkat(parent, name.constData(), AT_REMOVEDIR) == 0 || errno == ENOENT);
}
} // namespace

bool RemoveTreeAt(int parent, const QByteArray &name, dev_t device)
{
    return removeTreeAt(parent, name, device, 0);
}

bool RemoveTree(const QString &path)
{
    const QString absolute = AbsolutePath(path);
    const FileDescriptor parent = OpenFolder(FolderOf(absolute));
    struct stat folder {};
    if (!parent.isOpen() || ::fstat(parent.get(), &folder) != 0)
        return ::lstat(NameToBytes(absolute).constData(), &folder) != 0 && errno == ENOENT;
    return RemoveTreeAt(parent.get(), NameToBytes(FileNameOf(absolute)), folder.st_dev);
}
