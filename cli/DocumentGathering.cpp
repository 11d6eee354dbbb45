// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentGathering.h"

#include "FolderImport.h"
#include "LocalPaths.h"

#include <QDir>

QString FirstMissingPath(const QStringList &paths)
{
    for (const QString &path : paths)
        if (!FileStatus(path))
            return path;
    return {};
}

GatheredDocuments GatherDocuments(const QStringList &paths, const QString &extension)
{
    GatheredDocuments gathered;
    for (const QString &path : paths) {
        if (!IsFolder(path)) {
            gathered.documents << path;
            gathered.places << FileNameOf(path);
            continue;
        }
        const QString root = AddFolder::FolderListEntry(QDir::cleanPath(path));
        // Every folder of the walk is an entry that starts with its root's.
        for (const QString &document : AddFolder::DocumentsInTree(root, extension, gathered.unreadFolders)) {
            gathered.documents << document;
            gathered.places << document.mid(root.size());
        }
    }
    return gathered;
}

void AddListedDocuments(GatheredDocuments &gathered, const QStringList &listed)
{
    QString current = AbsolutePath(QStringLiteral("."));
    if (!current.endsWith(QLatin1Char('/')))
        current += QLatin1Char('/');
    for (const QString &document : listed) {
        const QString absolute = AbsolutePath(document);
        gathered.documents << document;
        gathered.places << (absolute.startsWith(current) ? absolute.mid(current.size()) : FileNameOf(absolute));
    }
}
