#pragma once
// The folder picker and the sub-folder walk of the folder import.

#include "folders/UnreadFolders.h"

#include <QString>
#include <QStringList>

class Form1;

namespace AddFolder {

// Modal folder chooser owned by the main window, with title above the folder tree. Returns the
// chosen folder without a trailing "/" (the root stays "/"), or empty text on Cancel.
QString BrowseForFolder(Form1 &owner, const QString &title);

// A chosen folder as a folder list entry: its path ending in exactly one "/" ("/" stays "/").
QString FolderListEntry(const QString &folder);

// Appends to folders every folder beneath its entries, breadth first: all folders one level
// down (grouped by parent, each group in its parent's listing order), then two levels down,
// and so on; only one level when descend is false. Entries end in exactly one "/". Hidden
// folders (names starting with ".") and links to folders are not entered; a folder reached a
// second time through a mount is not entered again. A folder that cannot be read is added to
// unread and the walk goes on. Yields to event processing while it works, so the window keeps
// painting and answering.
void CollectSubFolders(QStringList &folders, bool descend, UnreadFolders &unread);

} // namespace AddFolder
