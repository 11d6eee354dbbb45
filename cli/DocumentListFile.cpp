// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentListFile.h"

#include <QFile>

#include <cstdio>

namespace {

// A listed name as the program holds names.
QString nameFromBytes(const QByteArray &bytes)
{
    return QFile::decodeName(bytes);
}

} // namespace

std::variant<QStringList, ListNotRead> ReadDocumentList(const QString &file, bool nullSeparated)
{
    QFile list(file);
    const bool opened = file == QLatin1String("-") ? list.open(stdin, QIODevice::ReadOnly)
                                                   : list.open(QIODevice::ReadOnly);
    const QByteArray contents = opened ? list.readAll() : QByteArray();
    if (!opened || list.error() != QFileDevice::NoError)
        return ListNotRead{QStringLiteral("the list '%1' cannot be read (%2).").arg(file, list.errorString())};
    QStringList names;
    for (const QByteArray &name : contents.split(nullSeparated ? '\0' : '\n'))
        if (!name.isEmpty())
            names << nameFromBytes(name);
    return names;
}
