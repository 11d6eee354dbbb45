// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AddFolder.h"

#include "EventYield.h"
#include "FolderListing.h"
#include "LocalPaths.h"
#include "Platform.h"

#include <set>
#include <utility>

namespace AddFolder {

QString BrowseForFolder(Dialogs &dialogs, QWidget *owner, const QString &title)
{
    QString folder = PathFromDialog(dialogs.browseForFolder(owner, title));
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

QString FolderListEntry(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

void CollectSubFolders(QStringList &folders, bool descend, QStringList &unread, FilesByFolder *files)
{
    EventYield yield;
    std::set<FolderListing::Identity> entered;
    QStringList level = folders;
    while (!level.isEmpty()) {
        QStringList next;
        for (const QString &folder : std::as_const(level)) {
            const FolderListing listing(folder);
            yield();
            if (!listing.readable()) {
                unread << folder;
                continue;
            }
            if (!entered.insert(listing.identity()).second)
                continue; // a bind mount leading back into the tree: entering it again would never end
            QStringList fileNames;
            for (const FolderListing::Entry &entry : listing.entries()) {
                yield();
                if (entry.kind == FolderListing::Kind::Folder && !entry.name.startsWith(QLatin1Char('.')))
                    next << folder + entry.name + QLatin1Char('/');
                else if (entry.kind == FolderListing::Kind::File)
                    fileNames << entry.name;
            }
            if (files)
                files->insert(folder, fileNames);
        }
        for (const QString &folder : std::as_const(next)) {
            yield();
            folders << folder;
        }
        if (!descend)
            break;
        level = std::move(next);
    }
}

} // namespace AddFolder
