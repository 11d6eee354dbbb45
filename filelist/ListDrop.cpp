// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Files dropped from the file manager onto the list: a list of local file URLs, appended in order.
#include "FileList.h"

#include "NameBytes.h"

#include <QDropEvent>
#include <QMimeData>
#include <QSysInfo>
#include <QTreeWidget>

#include <optional>

namespace {

const QString UriList = QStringLiteral("text/uri-list");

// The path of a file URL of this machine ("file:///..." or "file://localhost/..."), its
// percent-encoded bytes decoded as the file's name has them, which need not be UTF-8; nothing for
// any other URL.
std::optional<QString> localPath(const QByteArray &url)
{
    static const QByteArray scheme = "file:";
    if (url.left(scheme.size()).toLower() != scheme)
        return std::nullopt;
    QByteArray path = url.mid(scheme.size());
    if (path.startsWith("//")) {
        const qsizetype pathStart = path.indexOf('/', 2);
        const QByteArray host = path.mid(2, pathStart - 2).toLower();
        if (pathStart < 0
            || !(host.isEmpty() || host == "localhost" || host == QSysInfo::machineHostName().toLower().toUtf8()))
            return std::nullopt;
        path = path.mid(pathStart);
    }
    if (!path.startsWith('/'))
        return std::nullopt;
    return NameFromBytes(QByteArray::fromPercentEncoding(path));
}

// The paths of a dropped list of files, in order; nothing unless every entry is a local file.
std::optional<QStringList> droppedFiles(const QMimeData *data)
{
    if (!data || !data->hasFormat(UriList))
        return std::nullopt;
    QStringList paths;
    for (const QByteArray &line : data->data(UriList).split('\n')) {
        const QByteArray url = line.trimmed();
        if (url.isEmpty() || url.startsWith('#'))
            continue;
        const std::optional<QString> path = localPath(url);
        if (!path)
            return std::nullopt;
        paths << *path;
    }
    if (paths.isEmpty())
        return std::nullopt;
    return paths;
}

} // namespace

bool FileList::acceptsDrops() const
{
    return view.acceptDrops();
}

void FileList::setAcceptsDrops(bool accept)
{
    // The view passes the setting on to its viewport, where drops arrive.
    view.setAcceptDrops(accept);
}

void FileList::dragOver(QDropEvent &event) const
{
    // Always a copy, whatever the source proposes: a file manager that reads a move as done
    // would delete the dropped files. A source that offers no copy is refused.
    const bool taken = acceptsDrops() && droppedFiles(event.mimeData())
                       && event.possibleActions().testFlag(Qt::CopyAction);
    event.setDropAction(taken ? Qt::CopyAction : Qt::IgnoreAction);
    event.setAccepted(taken);
}

void FileList::drop(QDropEvent &event)
{
    dragOver(event);
    const std::optional<QStringList> paths = droppedFiles(event.mimeData());
    if (!event.isAccepted() || !paths)
        return;
    for (const QString &path : *paths)
        AddDocumentPath(path);
}
