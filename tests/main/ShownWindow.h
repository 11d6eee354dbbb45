// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window shown offscreen with fake seams, its controls found by name, and what a test
// does with it as a user would.

#include "FakePlatform.h"
#include "Form1.h"

#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

// The window's pointer state and the shape shown.
using Pointer = std::pair<int, Qt::CursorShape>;
const Pointer Arrow{DefaultPointer, Qt::ArrowCursor}, Hand{CustomPointer, Qt::BitmapCursor},
    Hourglass{BusyPointer, Qt::WaitCursor};

class Window : public testing::Test {
protected:
    FakePlatform platform;
    Form1 form{platform.bundle()};
    QTreeWidget *list = form.findChild<QTreeWidget *>("ListView1");
    QWidget *listArea = list->viewport(); // where entries are pressed and files dropped

    void SetUp() override
    {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    QToolButton *button(const char *name) const { return form.findChild<QToolButton *>(name); }
    // Moves the mouse onto the middle of widget; the pointer then.
    Pointer pointerOver(QWidget *widget)
    {
        QTest::mouseMove(widget, widget->rect().center());
        return {form.MousePointer(), widget->cursor().shape()};
    }
    QStringList entries() const
    {
        QStringList texts;
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            texts << list->topLevelItem(row)->text(0);
        return texts;
    }
    QPoint rowCentre(int position) const { return list->visualItemRect(list->topLevelItem(position - 1)).center(); }
    // Offers files, as file URLs, over the list as a file manager does and drops them if taken;
    // whether taken.
    bool dropOnList(const QStringList &urls)
    {
        QMimeData files;
        files.setUrls(QUrl::fromStringList(urls));
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(listArea, &enter);
        if (enter.isAccepted())
            QCoreApplication::sendEvent(listArea, &drop);
        return enter.isAccepted();
    }
};
