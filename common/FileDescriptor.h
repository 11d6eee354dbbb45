// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Open files and folders by descriptor, so that what was checked is what is used: a name may be
// swapped for a link or another file meanwhile.

#include <QByteArray>
#include <QList>
#include <QString>

// An open file descriptor, closed when it goes.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1)
        : fd_(fd)
    {
    }
    FileDescriptor(FileDescriptor &&other) noexcept;
    FileDescriptor &operator=(FileDescriptor &&other) noexcept;
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    ~FileDescriptor();

    int get() const { return fd_; }
    bool isOpen() const { return fd_ >= 0; }

private:
    int fd_;
};

// The folder at path, as the user names it (links in the path followed); not open when it is no
// folder.
FileDescriptor OpenFolder(const QString &path);

// The names in an open folder, as bytes, "." and ".." left out.
QList<QByteArray> FolderEntries(int folder);
