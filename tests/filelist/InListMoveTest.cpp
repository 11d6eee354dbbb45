// Moving an entry through the list with the mouse.
#include "ListWindow.h"

using InListMove = ListWindow;

TEST_F(InListMove, PassingOverEntriesCarriesThePressedOneAlongAndAJumpExchangesTwo)
{
    fill({"A", "B", "C", "D", "E"});
    press(rowCentre(2)); // the press, not the release, takes the entry
    EXPECT_EQ(form.DraggedItem.row(), 1);
    EXPECT_EQ(form.ListMousePointer(), vbCustom);
    EXPECT_EQ(viewport()->cursor().shape(), Qt::BitmapCursor);
    moveTo(rowCentre(3));
    moveTo(rowCentre(4));
    release(rowCentre(4));
    EXPECT_EQ(entries(), QStringList({"A", "C", "D", "B", "E"}));
    EXPECT_EQ(selectedPosition(), 4);
    EXPECT_FALSE(form.DraggedItem.isValid());
    EXPECT_EQ(form.ListMousePointer(), vbArrow);
    EXPECT_EQ(viewport()->cursor().shape(), Qt::ArrowCursor);

    form.ListView1->clear();
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

TEST_F(InListMove, RemovedDraggedEntryOrAPressOnEmptySpaceMovesNothing)
{
    fill({"A", "B", "C", "D", "E"});
    press(rowCentre(2));
    form.ListView1_DblClick();
    EXPECT_FALSE(form.DraggedItem.isValid());
    moveTo(rowCentre(3));
    moveTo(rowCentre(1));
    release(rowCentre(1));
    EXPECT_EQ(entries(), QStringList({"A", "C", "D", "E"}));

    drag(2, {3});
    ASSERT_EQ(entries(), QStringList({"A", "D", "C", "E"}));
    press(emptySpace());
    moveTo(rowCentre(4));
    moveTo(rowCentre(1));
    release(rowCentre(1));
    EXPECT_EQ(entries(), QStringList({"A", "D", "C", "E"}));
}

// A list longer than it can show: the move scrolls on by one entry at the edges of the shown rows.
TEST_F(ListWindow, MoveScrollsByOneEntryAtTheEdgesOfTheShownRowsOnly)
{
    for (int i = 1; i <= 40; ++i)
        form.AddDocumentPath(QStringLiteral("/docs/%1.doc").arg(i));
    form.ListView1->setColumnWidth(0, 2 * viewport()->width()); // widened to read long names
    QCoreApplication::processEvents();
    const auto shown = [this](int position) {
        return rowRect(position).top() >= 0 && rowRect(position).bottom() <= viewport()->rect().bottom();
    };
    const auto scrolled = [this] { return form.ListView1->verticalScrollBar()->value(); };
    const auto showFrom = [&](int position) {
        form.ListView1->scrollToItem(form.ListView1->topLevelItem(position - 1), QAbstractItemView::PositionAtTop);
        QCoreApplication::processEvents();
        ASSERT_TRUE(shown(position));
    };

    int last = 1;
    while (shown(last + 1))
        ++last;
    ASSERT_TRUE(last >= 4 && last < 20) << last;
    press(rowCentre(last - 1));
    moveTo(rowCentre(last));
    QTest::qWait(300); // held there: one entry on, not on and on by itself
    release(rowCentre(last));
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
