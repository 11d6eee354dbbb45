// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file list: the list view itself holds the entries, one document path per top-level row,
// in the order they were added, each shown readably whatever bytes its name holds. Besides appending and reading, it
// removes the selected entry, takes files dropped from the file manager, and moves an entry through the list while the
// mouse button is held over it.

#include "DocumentList.h"
#include "MousePointer.h"

#include <QCursor>
#include <QPersistentModelIndex>
#include <QString>

class QDropEvent;
class QPoint;
class QTreeWidget;

class FileList : public DocumentList {
public:
    // The drag picture is read from programDirectory; window tells whether the hourglass shows.
    FileList(QTreeWidget &view, const WindowPointer &window, QString programDirectory);

    int count() const override;
    QString entry(int position) const override;
    void AddDocumentPath(const QString &path) override;
    // The list is painted once, after the last entry.
    void appendAll(const QStringList &paths) override;

    // Removes the selected entry; with none selected nothing happens. Nothing is selected after.
    void removeSelected();

    // The in-list move. A press over the list sets ListMouseDown; the entry click that follows
    // a press on an entry makes it the DraggedItem and shows the drag picture; each move with
    // the button held exchanges the dragged entry with the one under the pointer; the release
    // ends the move.
    void mouseDown();
    void itemClick();
    void mouseMove(const QPoint &position);
    void mouseUp();
    QPersistentModelIndex draggedItem() const { return DraggedItem; }
    bool mouseIsDown() const { return ListMouseDown; }
    // The list's own pointer: 0 default, 1 the arrow, 99 the drag picture.
    int ListMousePointer() const { return listMousePointer; }

    // Files dropped from the file manager: always taken as copies, appended in the order given.
    // Anything that is not a list of local files is refused, and so is a drop whose source
    // offers no copy, and every drop during a move.
    bool acceptsDrops() const;
    void dragOver(QDropEvent &event) const;
    void drop(QDropEvent &event);

private:
    void setListMousePointer(int state);
    void setAcceptsDrops(bool accept);
    void scrollOnAfterExchange(int hovered, int pointerY);

    QTreeWidget &view;
    const WindowPointer &window;
    QString programDirectory;
    // A persistent index: an entry removed since the press reads as invalid, never as freed memory.
    QPersistentModelIndex DraggedItem;
    bool ListMouseDown = false;
    int listMousePointer = DefaultPointer;
    QCursor dragCursor; // from drag.ico
};
