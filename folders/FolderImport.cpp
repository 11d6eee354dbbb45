// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderImport.h"

#include "DocumentList.h"
#include "EventYield.h"
#include "ListMatchingFiles.h"
#include "MousePointer.h"
#include "NameBytes.h"
#include "Platform.h"

namespace {

// The hourglass while the walk works, gone however it ends. An import started during another
// one's walk leaves the outer one's hourglass in place; nothing is touched once the window that
// owns the import is gone.
class BusyWhileWalking {
public:
    BusyWhileWalking(WindowPointer &pointer, std::shared_ptr<const bool> windowAlive)
        : pointer(pointer)
        , windowAlive(std::move(windowAlive))
        , before(pointer.MousePointer())
    {
        pointer.setMousePointer(BusyPointer);
    }
    ~BusyWhileWalking()
    {
        if (*windowAlive)
            pointer.setMousePointer(before == BusyPointer ? BusyPointer : DefaultPointer);
    }

private:
    WindowPointer &pointer;
    std::shared_ptr<const bool> windowAlive;
    int before;
};

} // namespace

FolderImport::FolderImport(Dialogs &dialogs, QWidget *owner, WindowPointer &pointer, DocumentList &list)
    : dialogs(dialogs)
    , owner(owner)
    , pointer(pointer)
    , list(list)
{
}

FolderImport::~FolderImport()
{
    *alive = false;
}

void FolderImport::run()
{
    const QString extension = dialogs.inputBox(owner, QStringLiteral("Enter file extension to load:"),
                                               QStringLiteral("doc"));
    if (extension.isEmpty())
        return;
    const QString chosen = AddFolder::BrowseForFolder(dialogs, owner, QStringLiteral("Please select folder to add:"));
    if (chosen.isEmpty())
        return;

    const std::shared_ptr<const bool> stillHere = alive;
    QStringList unread;
    {
        const BusyWhileWalking busy(pointer, stillHere);
        const QStringList documents = AddFolder::DocumentsInTree(AddFolder::FolderListEntry(chosen), extension, unread);
        if (!*stillHere)
            return;
        list.appendAll(documents);
    }
    if (!unread.isEmpty())
        dialogs.information(owner, AddFolder::UnreadFoldersMessage(unread));
}

namespace AddFolder {

QStringList ImportableDocuments(const QStringList &folders, const QString &extension, const FilesByFolder &files)
{
    const QString pattern = QLatin1String("*.") + extension;
    EventYield yield;
    QStringList documents;
    for (const QString &folder : folders) {
        yield();
        for (const QString &name : MatchingNames(files.value(folder), pattern))
            if (!name.startsWith(QLatin1Char('~')))
                documents << folder + name;
    }
    return documents;
}

QStringList DocumentsInTree(const QString &root, const QString &extension, QStringList &unread)
{
    QStringList folders{root};
    FilesByFolder files;
    CollectSubFolders(folders, true, unread, &files);
    return ImportableDocuments(folders, extension, files);
}

QString UnreadFoldersMessage(const QStringList &unread)
{
    QString folder = unread.first();
    if (folder.size() > 1)
        folder.chop(1); // shown without the folder list's trailing "/"
    folder = ReadableName(folder);
    if (unread.size() == 1)
        return QStringLiteral("1 folder could not be read and was skipped:\n%1").arg(folder);
    return QStringLiteral("%1 folders could not be read and were skipped. The first was:\n%2")
        .arg(unread.size())
        .arg(folder);
}

} // namespace AddFolder
