#pragma once
// The steps of the folder import command after its two questions.

#include "folders/UnreadFolders.h"

#include <QString>
#include <QStringList>

class Form1;

namespace AddFolder {

// The entry texts for every file "*." + extension (extension as typed) in the listed folders,
// in folder order, each folder's names in listing order; names starting with "~" are left out.
// folders are folder list entries (ending in "/"). Yields to event processing between folders,
// as the walk does, so a large tree does not freeze the window.
QStringList ImportableDocuments(const QStringList &folders, const QString &extension, UnreadFolders &unread);

// Appends the paths to the file list in one batch, the list not painted until all are there.
void AppendDocuments(Form1 &form, const QStringList &paths);

// The message that says how many folders were skipped and names the first.
QString UnreadFoldersMessage(const UnreadFolders &unread);

} // namespace AddFolder
