// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The list of documents given with --files-from: one name a line, as `find` prints them, or
// each name ending with a NUL, as `find -print0` prints them, so that a name may hold a line
// break. Every name keeps its bytes, whether they are UTF-8 or not.

#include <QString>
#include <QStringList>

#include <variant>

// Why the list could not be read, in one line.
struct ListNotRead {
    QString message;
};

// The names listed in file ("-": standard input), in their order; empty names are left out.
std::variant<QStringList, ListNotRead> ReadDocumentList(const QString &file, bool nullSeparated);
