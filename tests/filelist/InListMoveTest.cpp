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

TEST_F(InListMove, PassingOverTheNextEntriesCarriesThePressedEntryAlong)
{
    drag(2, {3, 4});
    EXPECT_EQ(entries(), QStringList({"A", "C", "D", "B", "E"}));
    EXPECT_EQ(selectedPosition(), 4);
}

TEST_F(InListMove, ReachingAFarEntryInOneMoveExchangesOnlyThoseTwo)
{
    drag(2, {5});
    EXPECT_EQ(entries(), QStringList({"A", "E", "C", "D", "B"}));
    EXPECT_EQ(selectedPosition(), 5);
}

TEST_F(InListMove, ThePressedEntryIsTheDraggedOneBeforeTheFirstMove)
{
    press(rowCentre(3));
    EXPECT_TRUE(form.ListMouseDown);
    EXPECT_EQ(form.DraggedItem.row(), 2);
    release(rowCentre(3));
    EXPECT_FALSE(form.ListMouseDown);
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

TEST_F(InListMove, MovingWithoutTheButtonHeldMovesNothing)
{
    drag(2, {});
    moveTo(rowCentre(4));
    QMouseEvent hover(QEvent::MouseMove, QPointF(rowCentre(5)), viewport()->mapToGlobal(QPointF(rowCentre(5))), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport(), &hover);
    EXPECT_EQ(entries(), QStringList({"A", "B", "C", "D", "E"}));
}

TEST_F(InListMove, PressOnEmptySpaceAfterAMoveMovesNothing)
{
    drag(2, {3});
    ASSERT_EQ(entries(), QStringList({"A", "C", "B", "D", "E"}));

    press(emptySpace());
    moveTo(rowCentre(4));
    moveTo(rowCentre(1));
    release(rowCentre(1));

    EXPECT_EQ(entries(), QStringList({"A", "C", "B", "D", "E"}));
    EXPECT_FALSE(form.DraggedItem.isValid());
}

TEST_F(InListMove, RemovedDraggedEntryMovesNothing)
{
    press(rowCentre(2));
    form.ListView1_DblClick();
    moveTo(rowCentre(3));
    moveTo(rowCentre(1));
    release(rowCentre(1));
    EXPECT_EQ(entries(), QStringList({"A", "C", "D", "E"}));
}

TEST_F(InListMove, ShowsTheDragPictureWhileMovingAndTheWindowsPointerAfterwards)
{
    press(rowCentre(2));
    EXPECT_EQ(form.ListMousePointer(), vbCustom);
    EXPECT_EQ(viewport()->cursor().shape(), Qt::BitmapCursor);

    release(rowCentre(2));
    EXPECT_EQ(form.ListMousePointer(), vbArrow);
    EXPECT_EQ(viewport()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(InListMove, NeverHidesTheHourglassOfARunningCommand)
{
    form.setMousePointer(vbHourglass);
    press(rowCentre(2));
    moveTo(rowCentre(3));

    EXPECT_EQ(form.ListMousePointer(), vbCustom);
    EXPECT_EQ(viewport()->cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(form.MousePointer(), vbHourglass);
    EXPECT_EQ(entries(), QStringList({"A", "C", "B", "D", "E"}));

    // The command ends while the button is still held: the next move shows the drag picture.
    form.setMousePointer(vbDefault);
    moveTo(rowCentre(4));
    EXPECT_EQ(viewport()->cursor().shape(), Qt::BitmapCursor);
    release(rowCentre(4));

    form.setMousePointer(vbHourglass);
    EXPECT_EQ(form.ListMousePointer(), vbArrow);
    EXPECT_EQ(viewport()->cursor().shape(), Qt::WaitCursor);
}

TEST_F(InListMove, PointerOverTheListFollowsTheWindowsRule)
{
    const auto hoverAt = [this](QPoint at) {
        QMouseEvent hover(QEvent::MouseMove, QPointF(at), viewport()->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport(), &hover);
    };
    EXPECT_TRUE(viewport()->hasMouseTracking());
    form.setMousePointer(vbCustom);
    hoverAt(rowCentre(1));
    EXPECT_EQ(form.MousePointer(), vbDefault);

    form.setMousePointer(vbHourglass);
    hoverAt(rowCentre(2));
    EXPECT_EQ(form.MousePointer(), vbHourglass);
}

// A list longer than it can show: the move scrolls on only at the edges of what is shown.
class InListMoveScroll : public ListWindow {
protected:
    void SetUp() override
    {
        ListWindow::SetUp();
        for (int i = 1; i <= 40; ++i)
            form.AddDocumentPath(QStringLiteral("/docs/%1.doc").arg(i));
        // Widened past the list's edge, as the user does to read long names.
        form.ListView1->setColumnWidth(0, 2 * viewport()->width());
        QCoreApplication::processEvents();
    }

    bool wholeShown(int position) const
    {
        return rowRect(position).top() >= 0 && rowRect(position).bottom() <= viewport()->rect().bottom();
    }
    int firstWhole() const
    {
        int position = 1;
        while (!wholeShown(position))
            ++position;
        return position;
    }
    int lastWhole() const
    {
        int position = firstWhole();
        while (position < form.ListCount() && wholeShown(position + 1))
            ++position;
        return position;
    }
    int scrolled() const { return form.ListView1->verticalScrollBar()->value(); }
};

TEST_F(InListMoveScroll, ReachingTheLastWholeRowBringsTheNextEntryIntoView)
{
    const int last = lastWhole();
    ASSERT_LT(last, form.ListCount());
    ASSERT_FALSE(wholeShown(last + 1));

    press(rowCentre(last - 1));
    moveTo(rowCentre(last));
    // Held there a while: the list scrolls on by one entry only, not on and on by itself.
    QTest::qWait(300);
    release(rowCentre(last));

    EXPECT_TRUE(wholeShown(last + 1));
    EXPECT_FALSE(wholeShown(last + 2));
    EXPECT_EQ(form.ListEntry(last), "/docs/" + QString::number(last - 1) + ".doc");
}

TEST_F(InListMoveScroll, ReachingTheFirstWholeRowBringsTheEntryBeforeIntoView)
{
    form.ListView1->scrollToBottom();
    QCoreApplication::processEvents();
    const int first = firstWhole();
    ASSERT_GT(first, 1);
    ASSERT_FALSE(wholeShown(first - 1));

    drag(first + 1, {first});

    EXPECT_TRUE(wholeShown(first - 1));
}

TEST_F(InListMoveScroll, MovingBetweenTheEdgesScrollsNothing)
{
    form.ListView1->scrollToItem(form.ListView1->topLevelItem(10), QAbstractItemView::PositionAtTop);
    QCoreApplication::processEvents();
    const int first = firstWhole();
    ASSERT_GE(lastWhole() - first, 3);
    const int before = scrolled();

    drag(first + 1, {first + 2});

    EXPECT_EQ(scrolled(), before);
}

TEST_F(InListMoveScroll, NothingScrollsPastTheFirstOrLastEntry)
{
    drag(2, {1});
    EXPECT_EQ(scrolled(), 0);
    EXPECT_EQ(form.ListEntry(1), "/docs/2.doc");

    form.ListView1->scrollToBottom();
    QCoreApplication::processEvents();
    const int bottom = scrolled();
    drag(39, {40});
    EXPECT_EQ(scrolled(), bottom);
    EXPECT_EQ(form.ListEntry(40), "/docs/39.doc");
}
