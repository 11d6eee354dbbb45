// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListMatchingFiles.h"

#include "FolderListing.h"
#include "NameBytes.h"

#include <QRegularExpression>

namespace {

QString wildcardToRegularExpression(QString wildcard)
{
    QString expression = QRegularExpression::escape(wildcard);
    expression.replace(QLatin1String("\\*"), QLatin1String(".*"));
    expression.replace(QLatin1String("\\?"), QLatin1String("."));
    return expression;
}

QRegularExpression nameMatcher(const QString &pattern)
{
    static const QLatin1String anyExtension(".*");
    const QString expression = pattern.endsWith(anyExtension)
                                   ? wildcardToRegularExpression(pattern.chopped(anyExtension.size()))
                                         + QLatin1String("(?:\\..*)?")
                                   : wildcardToRegularExpression(pattern);
    return QRegularExpression(QRegularExpression::anchoredPattern(expression),
                              QRegularExpression::CaseInsensitiveOption
                                  | QRegularExpression::DotMatchesEverythingOption);
}

} // namespace

QStringList MatchingNames(const QStringList &fileNames, const QString &pattern)
{
    const QRegularExpression matcher = nameMatcher(pattern);
    QStringList names;
    for (const QString &name : fileNames)
        if (matcher.match(NameWithReplacements(name)).hasMatch())
            names << name;
    return names;
}

QStringList ListMatchingFiles(const QString &folder, const QString &pattern)
{
    const FolderListing listing(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'));
    QStringList fileNames;
    for (const FolderListing::Entry &entry : listing.entries())
        if (entry.kind == FolderListing::Kind::File)
            fileNames << entry.name;
    return MatchingNames(fileNames, pattern);
}
