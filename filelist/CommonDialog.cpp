// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommonDialog.h"

#include "LocalPaths.h"
#include "Platform.h"

#include <QRegularExpression>

namespace {

// A filter pattern as a Qt wildcard: "*.*" names every file, also one without a dot, and
// letters match in either case, so REPORT.DOC is listed under "*.do*".
QString qtPattern(const QString &pattern)
{
    if (pattern == QLatin1String("*.*"))
        return QStringLiteral("*");
    QString wildcard;
    for (const QChar c : pattern) {
        if (c.toLower() != c.toUpper())
            wildcard += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
        else
            wildcard += c;
    }
    return wildcard;
}

// The description without the pattern list it shows, which Qt would take for the patterns.
QString plainDescription(const QString &description)
{
    static const QRegularExpression shownPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    return QString(description).remove(shownPatterns);
}

QStringList parentFolders(const QString &path)
{
    QStringList parts = path.split(QLatin1Char('/'));
    parts.removeLast();
    return parts;
}

QString commonFolder(const QStringList &paths)
{
    QStringList common = parentFolders(paths.first());
    for (const QString &path : paths) {
        const QStringList folders = parentFolders(path);
        qsizetype shared = 0;
        while (shared < common.size() && shared < folders.size() && common[shared] == folders[shared])
            ++shared;
        common = common.mid(0, shared);
    }
    const QString folder = common.join(QLatin1Char('/'));
    return folder.isEmpty() ? QStringLiteral("/") : folder;
}

} // namespace

QStringList CommonDialog::nameFiltersFrom(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList nameFilters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString &pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts))
            patterns << qtPattern(pattern.trimmed());
        nameFilters << plainDescription(parts[i]) + QStringLiteral(" (") + patterns.join(QLatin1Char(' '))
                           + QLatin1Char(')');
    }
    return nameFilters;
}

QString CommonDialog::fileNameFrom(const QStringList &paths)
{
    if (paths.size() < 2)
        return paths.value(0);
    const QString folder = commonFolder(paths);
    const qsizetype nameStart = folder.endsWith(QLatin1Char('/')) ? folder.size() : folder.size() + 1;
    QString fileName = folder;
    for (const QString &path : paths)
        fileName += QChar(0) + path.mid(nameStart);
    return fileName;
}

bool CommonDialog::ShowOpen(QWidget *owner, Dialogs &dialogs)
{
    OpenFilesRequest request;
    request.title = DialogTitle;
    request.nameFilters = nameFiltersFrom(Filter);
    request.multiSelect = (Flags & OFN_ALLOWMULTISELECT) != 0;
    const OpenFilesResult result = dialogs.openFiles(owner, request);
    QStringList paths;
    for (const QString &path : result.paths)
        paths << PathFromDialog(path);
    FileName = result.failed ? QString() : fileNameFrom(paths);
    return !result.failed;
}
