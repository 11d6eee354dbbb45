// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The AddFolder module: the folder picker and the sub-folder walk of the folder import.

#include <QHash>
#include <QString>
#include <QStringList>

class Dialogs;
class QWidget;

namespace AddFolder {

// The names of the files that the walk found in each folder, by folder list entry, in listing
// order; so the import lists every folder once.
using FilesByFolder = QHash<QString, QStringList>;

// Modal folder chooser owned by owner, with title above the folder tree. Returns the chosen
// folder, by its real name also where the picker shows one that is not UTF-8 otherwise, without a
// trailing "/" (the root stays "/"), or empty text on Cancel.
QString BrowseForFolder(Dialogs &dialogs, QWidget *owner, const QString &title);

// A chosen folder as a folder list entry: its path ending in exactly one "/" ("/" stays "/").
QString FolderListEntry(const QString &folder);

// Appends to folders every folder beneath its entries, breadth first: all folders one level
// down (grouped by parent, each group in its parent's listing order), then two levels down,
// and so on; only one level when descend is false. Entries end in exactly one "/". Hidden
// folders (names starting with ".") and links to folders are not entered; a folder reached a
// second time through a mount is not entered again. A folder that cannot be read is added to
// unread and the walk goes on. When files is given, it receives the files of every folder read.
// Yields to event processing while it works, so the window keeps painting and answering.
void CollectSubFolders(QStringList &folders, bool descend, QStringList &unread, FilesByFolder *files = nullptr);

} // namespace AddFolder
