// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// " Add All Word Files In Folder": asks for an extension and a folder, walks that folder and
// every folder beneath it, and appends every file of that extension whose name does not begin
// with "~" to the list.

#include "AddFolder.h"

#include <QString>
#include <QStringList>

#include <memory>

class Dialogs;
class DocumentList;
class QWidget;
class WindowPointer;

class FolderImport {
public:
    FolderImport(Dialogs &dialogs, QWidget *owner, WindowPointer &pointer, DocumentList &list);
    ~FolderImport();
    FolderImport(const FolderImport &) = delete;
    FolderImport &operator=(const FolderImport &) = delete;

    // The whole command. The walk yields to the event loop, where the owner of this import may
    // be destroyed or a second import may start; each run keeps its own state and touches
    // nothing of a destroyed owner.
    void run();

private:
    Dialogs &dialogs;
    QWidget *owner;
    WindowPointer &pointer;
    DocumentList &list;
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};

namespace AddFolder {

// The entry texts for every file "*." + extension (extension as typed) of the listed folders,
// in folder order, each folder's names in listing order; names starting with "~" are left out.
// folders are folder list entries (ending in "/"); files holds what the walk found in each.
// Yields to event processing between folders, as the walk does.
QStringList ImportableDocuments(const QStringList &folders, const QString &extension, const FilesByFolder &files);

// Every document that the import adds from the folder tree under root (a folder list entry):
// the walk of CollectSubFolders, then ImportableDocuments. The folders that could not be read
// are added to unread.
QStringList DocumentsInTree(const QString &root, const QString &extension, QStringList &unread);

// The message that says how many folders could not be read and names the first.
QString UnreadFoldersMessage(const QStringList &unread);

} // namespace AddFolder
