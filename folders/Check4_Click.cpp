// The folder import command behind " Add All Word Files In Folder".
#include "folders/AddFolder.h"
#include "folders/FolderImport.h"
#include "main/Form1.h"

#include <QPointer>
#include <QToolButton>

void Form1::Check4_Click()
{
    if (!Check4->isChecked())
        return;
    Check4->setChecked(false); // raises this handler once more, which then finds it released

    const QString extension = platform().dialogs.inputBox(this, QStringLiteral("Enter file extension to load:"),
                                                          QStringLiteral("doc"));
    if (extension.isEmpty())
        return;
    const QString chosen = AddFolder::BrowseForFolder(*this, QStringLiteral("Please select folder to add:"));
    if (chosen.isEmpty())
        return;

    // The walk yields to the event loop, where the window may be closed and deleted or a second
    // import may run; everything of this run is local, and the window is checked on return.
    const QPointer<Form1> window(this);
    const int pointerBefore = MousePointer();
    setMousePointer(vbHourglass);
    QStringList folders{AddFolder::FolderListEntry(chosen)};
    AddFolder::UnreadFolders unread;
    AddFolder::CollectSubFolders(folders, true, unread);
    const QStringList documents = AddFolder::ImportableDocuments(folders, extension, unread);
    if (!window)
        return;
    AddFolder::AppendDocuments(*this, documents);
    // An import started during another one's walk leaves the outer one's hourglass in place.
    setMousePointer(pointerBefore == vbHourglass ? vbHourglass : vbDefault);
    if (unread.count() > 0)
        platform().dialogs.information(this, AddFolder::UnreadFoldersMessage(unread));
}
