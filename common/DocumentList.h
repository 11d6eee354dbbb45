// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one list of documents: the adding commands append to it, a conversion run reads it.
// Positions run from 1 to count.

#include <QString>
#include <QStringList>

class DocumentList {
public:
    virtual ~DocumentList() = default;
    virtual int count() const = 0;
    // The path at position; empty text outside 1..count.
    virtual QString entry(int position) const = 0;
    // Appends one entry at the end: no key, no duplicate test, no selection, no scrolling.
    virtual void AddDocumentPath(const QString &path) = 0;
    // Appends each path in order, as one batch.
    virtual void appendAll(const QStringList &paths)
    {
        for (const QString &path : paths)
            AddDocumentPath(path);
    }
};
