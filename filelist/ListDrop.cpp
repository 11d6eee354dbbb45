// Files dropped from the desktop onto the list: a list of local file URLs, appended in order.
#include "main/Form1.h"

#include <QMimeData>
#include <QTreeWidget>
#include <QUrl>

#include <algorithm>

namespace {

// Only a list of local files can be dropped, as only the shell's file list could.
bool holdsFileList(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return false;
    const QList<QUrl> urls = data->urls();
    return !urls.isEmpty() && std::all_of(urls.begin(), urls.end(), [](const QUrl &url) { return url.isLocalFile(); });
}

} // namespace

bool Form1::listAcceptsDrops() const
{
    return ListView1->acceptDrops();
}

void Form1::setListAcceptsDrops(bool accept)
{
    // The view passes the setting on to its viewport, where drops arrive.
    ListView1->setAcceptDrops(accept);
}

void Form1::ListView1_OLEDragOver(const QMimeData *data, Qt::DropAction &effect)
{
    if (!holdsFileList(data))
        effect = Qt::IgnoreAction;
}

void Form1::ListView1_OLEDragDrop(const QMimeData *data)
{
    if (!holdsFileList(data))
        return;
    for (const QUrl &url : data->urls())
        AddDocumentPath(url.toLocalFile());
}
