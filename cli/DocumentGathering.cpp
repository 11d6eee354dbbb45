// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentGathering.h"

#include "AddFolder.h"
#include "FolderImport.h"

#include <QDir>
#include <QFileInfo>

QString FirstMissingPath(const QStringList &paths)
{
    for (const QString &path : paths)
        if (!QFileInfo::exists(path))
            return path;
    return {};
}

GatheredDocuments GatherDocuments(const QStringList &paths, const QString &extension)
{
    GatheredDocuments gathered;
    for (const QString &path : paths) {
        if (!QFileInfo(path).isDir()) {
            gathered.documents << path;
            gathered.places << QFileInfo(path).fileName();
            continue;
        }
        const QString root = AddFolder::FolderListEntry(QDir::cleanPath(path));
        QStringList folders{root};
        AddFolder::FilesByFolder files;
        AddFolder::CollectSubFolders(folders, true, gathered.unreadFolders, &files);
        // Every folder of the walk is an entry that starts with its root's.
        for (const QString &document : AddFolder::ImportableDocuments(folders, extension, files)) {
            gathered.documents << document;
            gathered.places << document.mid(root.size());
        }
    }
    return gathered;
}

void AddListedDocuments(GatheredDocuments &gathered, const QStringList &listed)
{
    const QDir current = QDir::current();
    for (const QString &document : listed) {
        const QString place = current.relativeFilePath(document);
        gathered.documents << document;
        gathered.places << (place.startsWith(QLatin1String("../")) ? QFileInfo(document).fileName() : place);
    }
}
