// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Why one document of a run was not converted, and the sentences that tell it: in the window's
// message, and on one line of quorvane-convert's output.

#include <QString>

#include <optional>

struct DocumentFailure {
    int position = 0; // 1-based
    QString path;
    // Empty for a failure that did not come from the automation layer (an exception of the
    // program itself).
    std::optional<int> number;
    QString description;
};

// The failure of the document at position (1-based) and path, from the exception being handled:
// called only inside a catch block.
DocumentFailure CaughtFailure(int position, const QString &path);

// What a failure that ended the run left unconverted, count documents (at least one), in a
// sentence without its full stop: "The document after it was not converted", "The 3 documents
// after it were not converted".
QString NotConvertedAfter(qsizetype count);

// The window's message: the document, the error and, when the failure ended the run before
// notConverted further documents, that they were not converted.
QString FailureMessage(const DocumentFailure &failure, qsizetype notConverted);

// "PATH: error N: DESCRIPTION", as quorvane-convert tells a failure on one line.
QString FailureLine(const DocumentFailure &failure);
