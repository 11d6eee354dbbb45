// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileList.h"

#include "NameBytes.h"

#include <QStyledItemDelegate>
#include <QTreeWidget>

namespace {

// An entry holds its path with every byte of its name (see NameBytes); the list shows it readably.
class ReadablePaths : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant &value, const QLocale &) const override
    {
        return ReadableName(value.toString());
    }
};

} // namespace

FileList::FileList(QTreeWidget &view, const WindowPointer &window, QString programDirectory)
    : view(view)
    , window(window)
    , programDirectory(std::move(programDirectory))
{
    // Every entry is one line of the same font; the view then lays out a long list quickly.
    view.setUniformRowHeights(true);
    view.setRootIsDecorated(false);
    view.setSelectionMode(QAbstractItemView::SingleSelection);
    view.setItemDelegate(new ReadablePaths(&view));
    // Moves come from the list's own handlers, never from Qt's item drag.
    view.setDragEnabled(false);
    view.setAcceptDrops(true);
}

int FileList::count() const
{
    return view.topLevelItemCount();
}

QString FileList::entry(int position) const
{
    const QTreeWidgetItem *item = view.topLevelItem(position - 1);
    return item ? item->text(0) : QString();
}

void FileList::AddDocumentPath(const QString &path)
{
    // Appending at the end is constant time: no sorting, no duplicate test, no scrolling.
    view.addTopLevelItem(new QTreeWidgetItem(QStringList{path}));
}

void FileList::appendAll(const QStringList &paths)
{
    const bool painting = view.updatesEnabled();
    view.setUpdatesEnabled(false);
    DocumentList::appendAll(paths);
    view.setUpdatesEnabled(painting);
}

void FileList::removeSelected()
{
    const QModelIndexList selected = view.selectionModel()->selectedRows();
    if (selected.isEmpty())
        return;
    delete view.takeTopLevelItem(selected.first().row());
    // The view would select the entry that took the removed one's place; only a click or a
    // move selects, so that a further double-click never removes an entry nobody chose.
    view.clearSelection();
}
