// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WorkPage.h"

#include "FileDescriptor.h"
#include "LocalPaths.h"
#include "NameBytes.h"
#include "WriteFailure.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace {

const QByteArray WorkName = "quorvane-page.htm";

// What the office names the pictures of a page after: the page's name with its last "." made
// "_", and "_" ("Report.htm" gives "Report_htm_").
QByteArray picturePrefix(const QByteArray &page)
{
    QByteArray prefix = page;
    if (const qsizetype dot = prefix.lastIndexOf('.'); dot >= 0)
        prefix[dot] = '_';
    return prefix + '_';
}

// The page's links to its pictures as the office wrote them, each in quotes, now to the pictures
// under their new names, every byte but letters, digits and "-._~" percent-encoded.
void relink(const QString &page, const QByteArray &from, const QByteArray &to)
{
    QFile file;
    if (!OpenFile(file, page, QIODevice::ReadOnly))
        throw SystemWriteFailure(QStringLiteral("the written page cannot be read"));
    QByteArray html = file.readAll();
    file.close();
    html.replace('"' + from, '"' + to.toPercentEncoding());
    if (!OpenFile(file, page, QIODevice::WriteOnly) || file.write(html) != html.size())
        throw SystemWriteFailure(QStringLiteral("the page cannot be written"));
}

} // namespace

QString WorkPagePath(const QString &folder)
{
    return folder + QLatin1Char('/') + QString::fromLatin1(WorkName);
}

void NameWorkPage(const QString &folder, const QString &target)
{
    const QByteArray page = NameToBytes(FileNameOf(target));
    const QByteArray workPrefix = picturePrefix(WorkName), prefix = picturePrefix(page);
    const FileDescriptor work = OpenFolder(folder);
    if (!work.isOpen())
        throw SystemWriteFailure(QStringLiteral("the written page cannot be reached"));
    for (const QByteArray &name : FolderEntries(work.get())) {
        if (!name.startsWith(workPrefix))
            continue;
        const QByteArray picture = prefix + name.mid(workPrefix.size());
        if (const QString tooLong = NameTooLong(target, picture); !tooLong.isEmpty())
            throw PageWriteFailure(QStringLiteral("the page has pictures, and %1").arg(tooLong));
        if (::renameat(work.get(), name.constData(), work.get(), picture.constData()) != 0)
            throw SystemWriteFailure(QStringLiteral("a picture of the page cannot be named"));
    }
    relink(WorkPagePath(folder), workPrefix, prefix);
    if (::renameat(work.get(), WorkName.constData(), work.get(), page.constData()) != 0)
        throw SystemWriteFailure(QStringLiteral("the page cannot be named"));
}
