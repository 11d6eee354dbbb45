// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The documents that the command line names: each document as given, each folder as the
// documents that "Add All Word Files In Folder" finds in it with the same extension, then the
// documents of a list. Each has its place: where it lies below the PATH it was found under, as
// "sub/report.doc"; a document given by itself is placed by its file name, a listed one by its
// path from the current folder (by its file name when it lies outside).

#include <QString>
#include <QStringList>

struct GatheredDocuments {
    QStringList documents; // in argument order, a folder's in the order of its walk
    QStringList places;    // of each document
    QStringList unreadFolders;
};

// The first of paths that names nothing (a dangling link included); empty when all exist.
QString FirstMissingPath(const QStringList &paths);

GatheredDocuments GatherDocuments(const QStringList &paths, const QString &extension);

// Appends the listed documents to gathered.
void AddListedDocuments(GatheredDocuments &gathered, const QStringList &listed);
