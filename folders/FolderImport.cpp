#include "folders/FolderImport.h"

#include "folders/EventYield.h"
#include "folders/ListMatchingFiles.h"
#include "main/Form1.h"

#include <QTreeWidget>

namespace AddFolder {

QStringList ImportableDocuments(const QStringList &folders, const QString &extension, UnreadFolders &unread)
{
    const QString pattern = QLatin1String("*.") + extension;
    EventYield yield;
    QStringList documents;
    for (const QString &folder : folders) {
        yield();
        for (const QString &name : ListMatchingFiles(folder, pattern, &unread))
            if (!name.startsWith(QLatin1Char('~')))
                documents << folder + name;
    }
    return documents;
}

void AppendDocuments(Form1 &form, const QStringList &paths)
{
    const bool painting = form.ListView1->updatesEnabled();
    form.ListView1->setUpdatesEnabled(false);
    for (const QString &path : paths)
        form.AddDocumentPath(path);
    form.ListView1->setUpdatesEnabled(painting);
}

QString UnreadFoldersMessage(const UnreadFolders &unread)
{
    QString folder = unread.first();
    if (folder.size() > 1)
        folder.chop(1); // shown without the folder list's trailing "/"
    if (unread.count() == 1)
        return QStringLiteral("1 folder could not be read and was skipped:\n%1").arg(folder);
    return QStringLiteral("%1 folders could not be read and were skipped. The first was:\n%2").arg(unread.count()).arg(folder);
}

} // namespace AddFolder
