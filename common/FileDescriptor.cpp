// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileDescriptor.h"

#include "NameBytes.h"

#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

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
    return FileDescriptor(::open(NameToBytes(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
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
