// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real documents of tests/documents, copied where a test converts them: a conversion writes
// its page beside the document.

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

// Copies the test document name into folder under newName (default: its own name), writable
// by its owner; returns the copy's path.
inline QString CopyTestDocument(const QString &name, const QString &folder, const QString &newName = {})
{
    const QString target = QDir(folder).filePath(newName.isEmpty() ? name : newName);
    QDir().mkpath(QFileInfo(target).absolutePath());
    if (!QFile::copy(QStringLiteral(QUORVANE_DOCUMENTS_DIR "/") + name, target))
        ADD_FAILURE() << "cannot copy the test document " << name.toStdString();
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

// The page a conversion writes for document: its path with the extension replaced by ".htm".
inline QString PageBeside(const QString &document)
{
    const QFileInfo info(document);
    return info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".htm");
}
