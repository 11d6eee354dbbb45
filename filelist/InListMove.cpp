// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Moving an entry through the list by pressing on it and passing over other entries with the
// button held: each pass exchanges the texts of the dragged entry and the entry under the pointer.
#include "FileList.h"

#include <QPixmap>
#include <QTreeWidget>

namespace {

// Whole rows are judged by height alone: a widened column leaves every row wider than the list.
bool shownWhole(const QTreeWidget &list, const QModelIndex &row)
{
    const QRect rect = list.visualRect(row);
    return rect.top() >= 0 && rect.bottom() <= list.viewport()->rect().bottom();
}

// The rectangles of the first and the last row that the list shows whole; empty rectangles
// when no row is shown whole.
std::pair<QRect, QRect> wholeRowsShown(const QTreeWidget &list)
{
    QModelIndex first = list.indexAt(QPoint(0, 0));
    while (first.isValid() && !shownWhole(list, first))
        first = list.indexBelow(first);
    QModelIndex last = list.indexAt(QPoint(0, list.viewport()->rect().bottom()));
    if (!last.isValid() && list.topLevelItemCount() > 0)
        last = list.model()->index(list.topLevelItemCount() - 1, 0);
    while (last.isValid() && !shownWhole(list, last))
        last = list.indexAbove(last);
    if (!first.isValid() || !last.isValid())
        return {};
    return {list.visualRect(first), list.visualRect(last)};
}

} // namespace

// Keeps the move going past the edge of what the list shows: with the pointer on or above the
// first whole row the entry before the hovered one comes into view, on or below the last whole
// row the entry after it.
void FileList::scrollOnAfterExchange(int hovered, int pointerY)
{
    const auto [firstRow, lastRow] = wholeRowsShown(view);
    if (firstRow.isNull())
        return;
    if (pointerY <= firstRow.bottom()) {
        if (hovered > 0)
            view.scrollToItem(view.topLevelItem(hovered - 1));
    } else if (pointerY >= lastRow.top()) {
        if (hovered + 1 < view.topLevelItemCount())
            view.scrollToItem(view.topLevelItem(hovered + 1));
    }
}

void FileList::setListMousePointer(int state)
{
    listMousePointer = state;
    // The drag picture never hides the hourglass of a running command; otherwise the list
    // shows the window's own pointer, whatever that is.
    if (state == CustomPointer && window.MousePointer() != BusyPointer)
        view.viewport()->setCursor(dragCursor);
    else
        view.viewport()->unsetCursor();
}

void FileList::mouseDown()
{
    ListMouseDown = true;
}

void FileList::itemClick()
{
    // Without a readable drag picture the pointer stays as it was; the move works all the same.
    const QPixmap picture(programDirectory + QStringLiteral("/drag.ico"));
    if (!picture.isNull()) {
        dragCursor = QCursor(picture);
        setListMousePointer(CustomPointer);
    }
    setAcceptsDrops(false);
    const QModelIndexList selected = view.selectionModel()->selectedRows();
    DraggedItem = selected.isEmpty() ? QPersistentModelIndex() : QPersistentModelIndex(selected.first());
}

void FileList::mouseMove(const QPoint &position)
{
    // Shown anew, as the window may have become busy, or ceased to be, since it was set.
    setListMousePointer(listMousePointer);
    if (!ListMouseDown)
        return;
    const QModelIndex HoverItem = view.indexAt(position);
    // An invalid DraggedItem is also one whose entry was removed since the press.
    if (!HoverItem.isValid() || !DraggedItem.isValid())
        return;
    QTreeWidgetItem *dragged = view.topLevelItem(DraggedItem.row());
    QTreeWidgetItem *hovered = view.topLevelItem(HoverItem.row());
    if (hovered->text(0) == dragged->text(0))
        return;
    const QString moving = dragged->text(0);
    dragged->setText(0, hovered->text(0));
    hovered->setText(0, moving);
    // Selecting without making it current, so the view does not scroll on its own.
    view.selectionModel()->select(HoverItem, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    DraggedItem = HoverItem;
    scrollOnAfterExchange(HoverItem.row(), position.y());
}

void FileList::mouseUp()
{
    ListMouseDown = false;
    setListMousePointer(ArrowPointer);
    // The move is over: files can be dropped again, and only a press on an entry starts the next.
    setAcceptsDrops(true);
    DraggedItem = QPersistentModelIndex();
}
