// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Working in folders whose entries others may have made, or may swap for links meanwhile (a
// document's folder, what an office wrote): a link is never followed, only what was checked
// through an open folder is touched, and a tree is never left for another file system.

#include <QByteArray>
#include <QList>
#include <QString>

#include <sys/types.h>

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

// The names in an open folder, "." and ".." left out.
QList<QByteArray> FolderEntries(int folder);

// Removes the folder name of the open folder parent with all it holds, entering only folders
// on device; a link or a file of that name is removed itself. Nothing is followed through a link.
// True when nothing of it is left.
bool RemoveTreeAt(int parent, const QByteArray &name, dev_t device);

// The same for the folder at path, on the device of its parent folder.
bool RemoveTree(const QString &path);
