// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentGathering.h"

#include "AddFolder.h"
#include "FolderImport.h"
#include "LocalPaths.h"

#include <QDir>

namespace {
bool isFolder(const QString &path)
{
    const std::optional<struct stat> status = FileStatus(path);
    return status && S_ISDIR(status->st_mode);
}
} // namespace

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
        if (!isFolder(path)) {
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
