// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Files dropped from the file manager onto the list: a list of local file URLs, appended in order.
#include "FileList.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTreeWidget>
#include <QUrl>

#include <algorithm>

namespace {

// Only a list of local files can be dropped.
bool holdsFileList(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return false;
    const QList<QUrl> urls = data->urls();
    return !urls.isEmpty() && std::all_of(urls.begin(), urls.end(), [](const QUrl &url) { return url.isLocalFile(); });
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
    const bool taken = acceptsDrops() && holdsFileList(event.mimeData())
                       && event.possibleActions().testFlag(Qt::CopyAction);
    event.setDropAction(taken ? Qt::CopyAction : Qt::IgnoreAction);
    event.setAccepted(taken);
}

void FileList::drop(QDropEvent &event)
{
    dragOver(event);
    if (!event.isAccepted())
        return;
    for (const QUrl &url : event.mimeData()->urls())
        AddDocumentPath(url.toLocalFile());
}
