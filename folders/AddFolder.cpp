#include "folders/AddFolder.h"

#include "folders/EventYield.h"
#include "folders/FolderListing.h"
#include "main/Form1.h"

#include <set>
#include <utility>

namespace AddFolder {

QString BrowseForFolder(Form1 &owner, const QString &title)
{
    QString folder = owner.platform().dialogs.browseForFolder(&owner, title);
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

QString FolderListEntry(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

void CollectSubFolders(QStringList &folders, bool descend, UnreadFolders &unread)
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
                unread.add(folder);
                continue;
            }
            if (!entered.insert(listing.identity()).second)
                continue; // a bind mount leading back into the tree: entering it again would never end
            for (const FolderListing::Entry &entry : listing.entries()) {
                yield();
                if (entry.kind == FolderListing::Kind::Folder && !entry.name.startsWith(QLatin1Char('.')))
                    next << folder + entry.name + QLatin1Char('/');
            }
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
