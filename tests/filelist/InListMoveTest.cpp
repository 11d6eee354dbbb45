// Moving an entry through the list with the mouse.
#include "ListWindow.h"

class InListMove : public ListWindow {
protected:
    void SetUp() override
    {
        ListWindow::SetUp();
        fill({"A", "B", "C", "D", "E"});
    }
};

TEST_F(InListMove, PassingOverEntriesCarriesThePressedOneAlongAndAJumpExchangesTwo)
{
    drag(2, {3, 4});
    EXPECT_EQ(entries(), QStringList({"A", "C", "D", "B", "E"}));
    EXPECT_EQ(selectedPosition(), 4);

    form.ListView1->clear();
    fill({"A", "B", "C", "D", "E"});
    drag(2, {5});
    EXPECT_EQ(entries(), QStringList({"A", "E", "C", "D", "B"}));
    EXPECT_EQ(selectedPosition(), 5);
}

TEST_F(InListMove, PressTakesTheEntryAndShowsTheDragPictureUntilRelease)
{
    press(rowCentre(3));
    EXPECT_EQ(form.DraggedItem.row(), 2);
    EXPECT_EQ(form.ListMousePointer(), vbCustom);
    EXPECT_EQ(viewport()->cursor().shape(), Qt::BitmapCursor);
    release(rowCentre(3));
    EXPECT_FALSE(form.DraggedItem.isValid());
    EXPECT_EQ(form.ListMousePointer(), vbArrow);
    EXPECT_EQ(viewport()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(InListMove, EntriesWithTheSameTextNeverExchange)
{
    form.ListView1->topLevelItem(2)->setText(0, "B");
    drag(2, {3});
    EXPECT_EQ(entries(), QStringList({"A", "B", "B", "D", "E"}));
    EXPECT_EQ(selectedPosition(), 2);

    drag(2, {3, 4});
    EXPECT_EQ(entries(), QStringList({"A", "D", "B", "B", "E"}));
}

TEST_F(InListMove, RemovedDraggedEntryOrAPressOnEmptySpaceMovesNothing)
{
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

// A list longer than it can show: the move scrolls on only at the edges of what is shown.
TEST_F(ListWindow, MoveScrollsByOneEntryAtTheEdgesOfTheShownRowsOnly)
{
    for (int i = 1; i <= 40; ++i)
        form.AddDocumentPath(QStringLiteral("/docs/%1.doc").arg(i));
    form.ListView1->setColumnWidth(0, 2 * viewport()->width()); // widened to read long names
    QCoreApplication::processEvents();
    const auto wholeShown = [this](int position) {
        return rowRect(position).top() >= 0 && rowRect(position).bottom() <= viewport()->rect().bottom();
    };
    const auto firstWhole = [&] {
        int position = 1;
        while (!wholeShown(position))
            ++position;
        return position;
    };
    const auto scrolled = [this] { return form.ListView1->verticalScrollBar()->value(); };
    const auto showAt = [this](int position) {
        form.ListView1->scrollToItem(form.ListView1->topLevelItem(position - 1), QAbstractItemView::PositionAtTop);
        QCoreApplication::processEvents();
    };

    int last = firstWhole();
    while (wholeShown(last + 1))
        ++last;
    ASSERT_LT(last, 20);
    press(rowCentre(last - 1));
    moveTo(rowCentre(last));
    QTest::qWait(300); // held there: one entry on, not on and on by itself
    release(rowCentre(last));
    EXPECT_TRUE(wholeShown(last + 1));
    EXPECT_FALSE(wholeShown(last + 2));

    showAt(20);
    int first = firstWhole();
    drag(first + 1, {first});
    EXPECT_TRUE(wholeShown(first - 1));

    showAt(11);
    first = firstWhole();
    const int before = scrolled();
    drag(first + 1, {first + 2});
    EXPECT_EQ(scrolled(), before);

    showAt(1);
    drag(2, {1});
    EXPECT_EQ(scrolled(), 0);
    form.ListView1->scrollToBottom();
    QCoreApplication::processEvents();
    const int bottom = scrolled();
    drag(39, {40});
    EXPECT_EQ(scrolled(), bottom);
}
