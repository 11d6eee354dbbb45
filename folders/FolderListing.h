// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One folder's whole listing, read at once so that only one listing is ever open. Names keep
// their bytes (see NameBytes) and come sorted by name with letter case ignored: the order in which a directory is read
// is arbitrary, and the user expects the documents of a folder listed alphabetically.

#include <QString>

#include <sys/types.h>

#include <utility>
#include <vector>

class FolderListing {
public:
    enum class Kind {
        Folder, // a real folder; a link to a folder is not one, so the walk never loops through links
        File,   // a regular file, or a link to one
        Other,  // devices, pipes, sockets, dangling links, names gone before they could be examined
    };
    struct Entry {
        QString name;
        Kind kind;
    };
    // Identifies a folder however it was reached (device and inode).
    using Identity = std::pair<dev_t, ino_t>;

    // folder must end in "/"; "." and ".." are left out.
    explicit FolderListing(const QString &folder);

    // False when the folder could not be opened or read to its end (gone, no permission, path
    // too long); the listing is then empty.
    bool readable() const { return readable_; }
    Identity identity() const { return identity_; }
    const std::vector<Entry> &entries() const { return entries_; }

private:
    bool readable_ = false;
    Identity identity_{};
    std::vector<Entry> entries_;
};
