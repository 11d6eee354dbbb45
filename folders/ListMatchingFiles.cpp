#include "folders/ListMatchingFiles.h"

#include "folders/FolderListing.h"

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
        ? wildcardToRegularExpression(pattern.chopped(anyExtension.size())) + QLatin1String("(?:\\..*)?")
        : wildcardToRegularExpression(pattern);
    return QRegularExpression(QRegularExpression::anchoredPattern(expression),
                              QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
}

} // namespace

QStringList ListMatchingFiles(const QString &folder, const QString &pattern, AddFolder::UnreadFolders *unread)
{
    const QString path = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    const FolderListing listing(path);
    if (!listing.readable()) {
        if (unread)
            unread->add(path);
        return {};
    }
    const QRegularExpression matcher = nameMatcher(pattern);
    QStringList names;
    for (const FolderListing::Entry &entry : listing.entries())
        if (entry.kind == FolderListing::Kind::File && matcher.match(entry.name).hasMatch())
            names << entry.name;
    return names;
}
