// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The list's handlers: what happens on the list's viewport, and the keys pressed on the list,
// reach the file list through them.
#include "Form1.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMouseEvent>

bool Form1::listViewEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        // The view goes on to select the pressed entry and report it (ListView1_ItemClick).
        ListView1_MouseDown();
        return false;
    case QEvent::MouseMove:
        ListView1_MouseMove(static_cast<QMouseEvent *>(event)->position().toPoint());
        // While the button is held the move owns the selection, not the view's drag-select.
        return fileList.mouseIsDown();
    case QEvent::MouseButtonRelease:
        ListView1_MouseUp();
        return false;
    case QEvent::MouseButtonDblClick:
        ListView1_DblClick();
        return true;
    case QEvent::DragEnter:
    case QEvent::DragMove:
        ListView1_OLEDragOver(*static_cast<QDropEvent *>(event));
        return true;
    case QEvent::Drop:
        ListView1_OLEDragDrop(*static_cast<QDropEvent *>(event));
        return true;
    default:
        return false;
    }
}

void Form1::ListView1_DblClick()
{
    fileList.removeSelected();
}

bool Form1::ListView1_KeyDown(const QKeyEvent &key)
{
    const bool removes = key.key() == Qt::Key_Delete || key.key() == Qt::Key_Backspace;
    if (removes)
        fileList.removeSelected();
    return removes;
}

void Form1::ListView1_ItemClick()
{
    fileList.itemClick();
}

void Form1::ListView1_MouseDown()
{
    fileList.mouseDown();
}

void Form1::ListView1_MouseMove(const QPoint &position)
{
    showPointerUnlessBusy(DefaultPointer);
    fileList.mouseMove(position);
}

void Form1::ListView1_MouseUp()
{
    fileList.mouseUp();
}

void Form1::ListView1_OLEDragOver(QDropEvent &event)
{
    fileList.dragOver(event);
}

void Form1::ListView1_OLEDragDrop(QDropEvent &event)
{
    fileList.drop(event);
}
