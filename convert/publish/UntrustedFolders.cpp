// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "UntrustedFolders.h"

#include <QFile>
#include <QFileInfo>

#include <utility>

#include <dirent.h>
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

FileDescriptor::FileDescriptor(FileDescriptor &&other) noexcept
    : fd_(std::exchange(other.fd_, -1))
{
}

FileDescriptor &FileDescriptor::operator=(FileDescriptor &&other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

FileDescriptor::~FileDescriptor()
{
    if (fd_ >= 0)
        ::close(fd_);
}

FileDescriptor OpenFolder(const QString &path)
{
    return FileDescriptor(::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

QList<QByteArray> FolderEntries(int folder)
{
    QList<QByteArray> names;
    // The listing gets a descriptor of its own, which closedir closes.
    DIR *listing = ::fdopendir(::fcntl(folder, F_DUPFD_CLOEXEC, 0));
    if (!listing)
        return names;
    ::rewinddir(listing);
    while (const dirent *entry = ::readdir(listing)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names << name;
    }
    ::closedir(listing);
    return names;
}

bool RemoveTreeAt(int parent, const QByteArray &name, dev_t device)
{
    return removeTreeAt(parent, name, device, 0);
}

bool RemoveTree(const QString &path)
{
    const QFileInfo info(path);
    const FileDescriptor parent = OpenFolder(info.absolutePath());
    struct stat folder {};
    if (!parent.isOpen() || ::fstat(parent.get(), &folder) != 0)
        return !info.exists() && !info.isSymLink();
    return RemoveTreeAt(parent.get(), QFile::encodeName(info.fileName()), folder.st_dev);
}
