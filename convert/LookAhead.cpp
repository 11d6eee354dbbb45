// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LookAhead.h"

#include "FileDescriptor.h"
#include "LocalPaths.h"

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

// Documents started and not yet placed: enough to keep every office busy through a document
// that takes as long as a few hundred small ones.
constexpr int MostWaiting = 256;
// The staged pages take at most this share of the least free space seen where they were staged.
constexpr qint64 FreeSpaceDivisor = 100;

} // namespace

Footprint FootprintOf(const StagedPage &page)
{
    Footprint footprint{0, page.freeBefore()};
    // A page's pictures are staged in the folder beside it.
    const FileDescriptor staging = OpenFolder(FolderOf(page.pagePath()));
    for (const QByteArray &name : FolderEntries(staging.get())) {
        struct stat file {};
        if (::fstatat(staging.get(), name.constData(), &file, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(file.st_mode))
            footprint.bytes += file.st_size;
    }
    return footprint;
}

void LookAhead::staged(const Footprint &footprint)
{
    bytes_ += footprint.bytes;
    if (footprint.free >= 0)
        lowestFree_ = std::min(lowestFree_, footprint.free);
}

void LookAhead::placed(const Footprint &footprint)
{
    --waiting_;
    bytes_ -= footprint.bytes;
}

bool LookAhead::hasRoom() const
{
    return waiting_ < MostWaiting && bytes_ < lowestFree_ / FreeSpaceDivisor;
}
