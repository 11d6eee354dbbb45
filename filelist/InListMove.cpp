// Moving an entry through the list by pressing on it and passing over other entries with the
// button held: each pass exchanges the texts of the dragged entry and the entry under the pointer.
#include "main/Form1.h"

#include <QPixmap>
#include <QTreeWidget>

namespace {

QTreeWidgetItem *entryAt(const QTreeWidget &list, const QModelIndex &index)
{
    return list.topLevelItem(index.row());
}

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

// Keeps the move going past the edge of what the list shows: with the pointer on or above the
// first whole row the entry before the hovered one comes into view, on or below the last whole
// row the entry after it.
void scrollOnAfterExchange(QTreeWidget &list, int hovered, int pointerY)
{
    const auto [firstRow, lastRow] = wholeRowsShown(list);
    if (firstRow.isNull())
        return;
    if (pointerY <= firstRow.bottom()) {
        if (hovered > 0)
            list.scrollToItem(list.topLevelItem(hovered - 1));
    } else if (pointerY >= lastRow.top()) {
        if (hovered + 1 < list.topLevelItemCount())
            list.scrollToItem(list.topLevelItem(hovered + 1));
    }
}

} // namespace

void Form1::setListMousePointer(int state)
{
    listMousePointer = state;
    // The drag picture never hides the hourglass of a running command; otherwise the list
    // shows the window's own pointer, whatever that is.
    if (state == vbCustom && MousePointer() != vbHourglass)
        ListView1->viewport()->setCursor(dragCursor);
    else
        ListView1->viewport()->unsetCursor();
}

void Form1::ListView1_ItemClick()
{
    // Without a readable drag picture the pointer stays as it was; the move works all the same.
    const QPixmap picture(programDirectory() + QStringLiteral("/drag.ico"));
    if (!picture.isNull()) {
        dragCursor = QCursor(picture);
        setListMousePointer(vbCustom);
    }
    setListAcceptsDrops(false);
    const QModelIndexList selected = ListView1->selectionModel()->selectedRows();
    DraggedItem = selected.isEmpty() ? QPersistentModelIndex() : QPersistentModelIndex(selected.first());
}

void Form1::ListView1_MouseDown()
{
    ListMouseDown = true;
}

void Form1::ListView1_MouseUp()
{
    ListMouseDown = false;
    setListMousePointer(vbArrow);
    // The move is over: files can be dropped again, and only a press on an entry starts the next.
    setListAcceptsDrops(true);
    DraggedItem = QPersistentModelIndex();
}

void Form1::ListView1_MouseMove(const QPoint &position)
{
    if (MousePointer() != vbHourglass)
        setMousePointer(vbDefault);
    // Shown anew, as the window may have become busy, or ceased to be, since it was set.
    setListMousePointer(ListMousePointer());
    if (!ListMouseDown)
        return;

    HoverItem = ListView1->indexAt(position);
    // An invalid DraggedItem is also one whose entry was removed since the press.
    if (HoverItem.isValid() && DraggedItem.isValid()) {
        QTreeWidgetItem *dragged = entryAt(*ListView1, DraggedItem);
        QTreeWidgetItem *hovered = entryAt(*ListView1, HoverItem);
        if (hovered->text(0) != dragged->text(0)) {
            const QString moving = dragged->text(0);
            dragged->setText(0, hovered->text(0));
            hovered->setText(0, moving);
            // Selecting without making it current, so the view does not scroll on its own.
            ListView1->selectionModel()->select(HoverItem, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            DraggedItem = HoverItem;
            scrollOnAfterExchange(*ListView1, HoverItem.row(), position.y());
        }
    }
    HoverItem = QPersistentModelIndex();
}
