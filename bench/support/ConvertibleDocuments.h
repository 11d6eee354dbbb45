// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The documents the conversion benchmarks convert: the test documents that LibreOffice is known
// to convert, copied where a run may write beside them.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

// The test documents whose row in PROVENANCE.tsv says LibreOffice converts them.
inline QStringList ConvertibleTestDocuments()
{
    const QDir documents(QStringLiteral(QUORVANE_DOCUMENTS_DIR));
    QFile provenance(documents.filePath(QStringLiteral("PROVENANCE.tsv")));
    QStringList paths;
    if (!provenance.open(QIODevice::ReadOnly | QIODevice::Text))
        return paths;
    provenance.readLine(); // header
    while (!provenance.atEnd()) {
        const QStringList fields = QString::fromUtf8(provenance.readLine()).split(QLatin1Char('\t'));
        if (fields.size() > 8 && fields.at(8).startsWith(QLatin1String("converts-ok")))
            paths << documents.filePath(fields.at(0));
    }
    return paths;
}

// Whether a document counts as large: 1 MB or more, as a few reports among many letters are.
inline bool IsLargeDocument(const QString &document)
{
    return QFileInfo(document).size() >= 1024 * 1024;
}

// The large documents among documents, in their order.
inline QStringList LargeDocuments(const QStringList &documents)
{
    QStringList large;
    for (const QString &document : documents)
        if (IsLargeDocument(document))
            large << document;
    return large;
}

// Copies of sources in folder, writable by their owner, each name preceded by prefix.
inline QStringList CopiedInto(const QString &folder, const QStringList &sources, const QString &prefix = {})
{
    QDir().mkpath(folder);
    QStringList copies;
    for (const QString &source : sources) {
        const QString copy = QDir(folder).filePath(prefix + QFileInfo(source).fileName());
        if (QFile::copy(source, copy)) {
            QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
            copies << copy;
        }
    }
    return copies;
}
