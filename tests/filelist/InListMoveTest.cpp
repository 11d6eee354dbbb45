// Moving an entry through the list with the button held.
#include "ShownList.h"

#include <QTemporaryDir>

using InListMove = ShownList;

TEST_F(InListMove, PassingOverEntriesCarriesThePressedOneAlongAndAJumpExchangesTwo)
{
    fill({"A", "B", "C", "D", "E"});
    pressOn(2);
    EXPECT_EQ(list.draggedItem().row(), 1);
    EXPECT_EQ(list.ListMousePointer(), CustomPointer);
    EXPECT_EQ(viewport()->cursor().shape(), Qt::BitmapCursor);
    moveOver(3);
    moveOver(4);
    list.mouseUp();
    EXPECT_EQ(entries(), QStringList({"A", "C", "D", "B", "E"}));
    EXPECT_EQ(selectedPosition(), 4);
    EXPECT_FALSE(list.draggedItem().isValid());
    EXPECT_EQ(list.ListMousePointer(), ArrowPointer);
    EXPECT_EQ(viewport()->cursor().shape(), Qt::ArrowCursor);

    view.clear();
    fill({"A", "B", "C", "D", "E"});
    drag(2, {5});
    EXPECT_EQ(entries(), QStringList({"A", "E", "C", "D", "B"}));
    EXPECT_EQ(selectedPosition(), 5);
}

TEST_F(InListMove, EntriesWithTheSameTextNeverExchange)
{
    fill({"A", "B", "B", "D", "E"});
    drag(2, {3});
    EXPECT_EQ(entries(), QStringList({"A", "B", "B", "D", "E"}));
    EXPECT_EQ(selectedPosition(), 2);

    drag(2, {3, 4});
    EXPECT_EQ(entries(), QStringList({"A", "D", "B", "B", "E"}));
}

TEST_F(InListMove, ARemovedDraggedEntryOrAPressOnEmptySpaceMovesNothing)
{
    fill({"A", "B", "C", "D", "E"});
    pressOn(2);
    list.removeSelected();
    EXPECT_FALSE(list.draggedItem().isValid());
    moveOver(3);
    moveOver(1);
    list.mouseUp();
    EXPECT_EQ(entries(), QStringList({"A", "C", "D", "E"}));

    list.mouseDown(); // on empty space: no entry click follows
    moveOver(4);
    moveOver(1);
    list.mouseUp();
    EXPECT_EQ(entries(), QStringList({"A", "C", "D", "E"}));
}

TEST_F(InListMove, WithoutADragPictureThePointerStaysAndTheMoveStillWorks)
{
    const QTemporaryDir emptyFolder;
    FileList withoutPicture(view, pointer, emptyFolder.path());
    fill({"A", "B", "C"});
    withoutPicture.mouseDown();
    select(1);
    withoutPicture.itemClick();
    EXPECT_EQ(withoutPicture.ListMousePointer(), DefaultPointer);
    EXPECT_EQ(viewport()->cursor().shape(), Qt::ArrowCursor);
    withoutPicture.mouseMove(rowCentre(2));
    withoutPicture.mouseUp();
    EXPECT_EQ(entries(), QStringList({"B", "A", "C"}));
}

TEST_F(InListMove, TheDragPictureNeverHidesTheHourglass)
{
    fill({"A", "B"});
    pointer.state = BusyPointer;
    pressOn(1);
    EXPECT_EQ(list.ListMousePointer(), CustomPointer);
    EXPECT_FALSE(viewport()->testAttribute(Qt::WA_SetCursor));
}

// A list longer than it can show: the move scrolls on by one entry at the edges of the shown rows.
TEST_F(InListMove, ScrollsByOneEntryAtTheEdgesOfTheShownRowsOnly)
{
    for (int i = 1; i <= 40; ++i)
        list.AddDocumentPath(QStringLiteral("/docs/%1.doc").arg(i));
    view.setColumnWidth(0, 2 * viewport()->width()); // widened to read long names
    QCoreApplication::processEvents();
    const auto shown = [this](int position) {
        return rowRect(position).top() >= 0 && rowRect(position).bottom() <= viewport()->rect().bottom();
    };
    const auto scrolled = [this] { return view.verticalScrollBar()->value(); };
    const auto showFrom = [&](int position) {
        view.scrollToItem(view.topLevelItem(position - 1), QAbstractItemView::PositionAtTop);
        QCoreApplication::processEvents();
        ASSERT_TRUE(shown(position));
    };

    int last = 1;
    while (shown(last + 1))
        ++last;
    ASSERT_TRUE(last >= 4 && last < 20) << last;
    drag(last - 1, {last});
    EXPECT_TRUE(shown(last + 1));
    EXPECT_FALSE(shown(last + 2));

    showFrom(20);
    ASSERT_FALSE(shown(19));
    drag(21, {20});
    EXPECT_TRUE(shown(19));

    showFrom(11);
    int before = scrolled();
    drag(12, {13});
    EXPECT_EQ(scrolled(), before);

    showFrom(1);
    drag(2, {1});
    EXPECT_EQ(scrolled(), 0);
    showFrom(40);
    before = scrolled();
    drag(39, {40});
    EXPECT_EQ(scrolled(), before);
}
