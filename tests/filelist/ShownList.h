#pragma once
// A fixture: a file list on a list view shown offscreen, the window's pointer a fake. The mouse
// is played by calling the list's handlers in the order the window calls them.

#include "FakeList.h"
#include "FileList.h"

#include <QCoreApplication>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

class ShownList : public testing::Test {
protected:
    QTreeWidget view;
    FakePointer pointer;
    // The test program's folder holds drag.ico, as the program's does.
    FileList list{view, pointer, QCoreApplication::applicationDirPath()};

    void SetUp() override
    {
        view.resize(472, 153);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    void fill(const QStringList &paths)
    {
        for (const QString &path : paths)
            list.AddDocumentPath(path);
        QCoreApplication::processEvents();
    }
    QStringList entries() const
    {
        QStringList texts;
        for (int position = 1; position <= list.count(); ++position)
            texts << list.entry(position);
        return texts;
    }
    int selectedPosition() const
    {
        const QModelIndexList rows = view.selectionModel()->selectedRows();
        return rows.isEmpty() ? 0 : rows.first().row() + 1;
    }
    void select(int position)
    {
        view.selectionModel()->select(view.model()->index(position - 1, 0),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    QWidget *viewport() const { return view.viewport(); }
    QRect rowRect(int position) const { return view.visualItemRect(view.topLevelItem(position - 1)); }
    QPoint rowCentre(int position) const { return QPoint(viewport()->width() / 2, rowRect(position).center().y()); }
    // A press on an entry selects it, then reports the entry click.
    void pressOn(int position)
    {
        list.mouseDown();
        select(position);
        list.itemClick();
    }
    void moveOver(int position) { list.mouseMove(rowCentre(position)); }
    // Presses on one entry, passes over the others in turn with the button held, releases.
    void drag(int from, std::initializer_list<int> over)
    {
        pressOn(from);
        for (int position : over)
            moveOver(position);
        list.mouseUp();
    }
};
