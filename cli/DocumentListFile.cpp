// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentListFile.h"

#include "LocalPaths.h"
#include "NameBytes.h"

#include <QFile>

#include <cstdio>

std::variant<QStringList, ListNotRead> ReadDocumentList(const QString &file, bool nullSeparated)
{
    QFile list;
    const bool opened = file == QLatin1String("-") ? list.open(stdin, QIODevice::ReadOnly)
                                                   : OpenFile(list, file, QIODevice::ReadOnly);
    if (!opened) {
        const QString why = SystemReason();
        return ListNotRead{QStringLiteral("the list '%1' cannot be read (%2).").arg(ReadableName(file), why)};
    }
    const QByteArray contents = list.readAll();
    if (list.error() != QFileDevice::NoError)
        return ListNotRead{
            QStringLiteral("the list '%1' cannot be read (%2).").arg(ReadableName(file), list.errorString())};
    QStringList names;
    for (const QByteArray &name : contents.split(nullSeparated ? '\0' : '\n'))
        if (!name.isEmpty())
            names << NameFromBytes(name);
    return names;
}
