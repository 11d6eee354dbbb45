// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderListing.h"

#include "NameBytes.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

bool isRegularFileFollowingLinks(int folderFd, const char *name)
{
    struct stat target;
    return fstatat(folderFd, name, &target, 0) == 0 && S_ISREG(target.st_mode);
}

// The entry's type from the listing itself where the file system reports it; a stat only for
// links and for file systems that leave the type unknown.
FolderListing::Kind kindOf(int folderFd, const dirent &entry)
{
    switch (entry.d_type) {
    case DT_DIR:
        return FolderListing::Kind::Folder;
    case DT_REG:
        return FolderListing::Kind::File;
    case DT_LNK:
        return isRegularFileFollowingLinks(folderFd, entry.d_name) ? FolderListing::Kind::File
                                                                   : FolderListing::Kind::Other;
    case DT_UNKNOWN: {
        struct stat own;
        if (fstatat(folderFd, entry.d_name, &own, AT_SYMLINK_NOFOLLOW) != 0)
            return FolderListing::Kind::Other;
        if (S_ISDIR(own.st_mode))
            return FolderListing::Kind::Folder;
        if (S_ISREG(own.st_mode) || (S_ISLNK(own.st_mode) && isRegularFileFollowingLinks(folderFd, entry.d_name)))
            return FolderListing::Kind::File;
        return FolderListing::Kind::Other;
    }
    default:
        return FolderListing::Kind::Other;
    }
}

// Names compared in upper case ("_" after letters), so every import lists a folder in the same
// order whatever the file system; names that differ only in case keep a fixed order.
void sortByName(std::vector<FolderListing::Entry> &entries)
{
    std::vector<std::pair<QString, FolderListing::Entry>> keyed;
    keyed.reserve(entries.size());
    for (FolderListing::Entry &entry : entries)
        keyed.emplace_back(entry.name.toUpper(), std::move(entry));
    std::sort(keyed.begin(), keyed.end(), [](const auto &a, const auto &b) {
        return a.first != b.first ? a.first < b.first : a.second.name < b.second.name;
    });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        entries[i] = std::move(keyed[i].second);
}

} // namespace

FolderListing::FolderListing(const QString &folder)
{
    DIR *stream = opendir(NameToBytes(folder).constData());
    if (!stream)
        return;
    const int fd = dirfd(stream);
    struct stat own;
    if (fstat(fd, &own) != 0) {
        closedir(stream);
        return;
    }
    identity_ = {own.st_dev, own.st_ino};
    errno = 0;
    while (const dirent *entry = readdir(stream)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            entries_.push_back({NameFromBytes(entry->d_name), kindOf(fd, *entry)});
        errno = 0;
    }
    readable_ = errno == 0;
    closedir(stream);
    if (!readable_)
        entries_.clear();
    sortByName(entries_);
}
