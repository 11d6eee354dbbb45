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
            continue;
        }
        QStringList folders{AddFolder::FolderListEntry(QDir::cleanPath(path))};
        AddFolder::FilesByFolder files;
        AddFolder::CollectSubFolders(folders, true, gathered.unreadFolders, &files);
        gathered.documents << AddFolder::ImportableDocuments(folders, extension, files);
    }
    return gathered;
}
