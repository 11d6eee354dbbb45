// The list as the model of the file list: appending, reading by position, removal by double-click.
#include "ListWindow.h"

using FileList = ListWindow;

TEST_F(FileList, StartsEmptyAndAppendsAtTheEndWithoutSelectingOrScrolling)
{
    EXPECT_EQ(form.ListCount(), 0);
    fill({"/docs/a.doc", "/docs/b.doc"});
    form.ListView1->topLevelItem(0)->setSelected(true);
    for (int i = 0; i < 40; ++i)
        form.AddDocumentPath(QStringLiteral("/docs/more %1.doc").arg(i));
    QCoreApplication::processEvents();

    EXPECT_EQ(form.ListCount(), 42);
    EXPECT_EQ(form.ListEntry(1), "/docs/a.doc");
    EXPECT_EQ(form.ListEntry(2), "/docs/b.doc");
    EXPECT_EQ(form.ListEntry(42), "/docs/more 39.doc");
    EXPECT_EQ(selectedPosition(), 1);
    EXPECT_EQ(form.ListView1->verticalScrollBar()->value(), 0);
}

TEST_F(FileList, ListsTheSamePathTwiceAndAnyKindOfPath)
{
    fill({"/docs/a.doc", "/docs/a.doc", "/docs", "/nowhere/missing.txt", ""});
    EXPECT_EQ(entries(), QStringList({"/docs/a.doc", "/docs/a.doc", "/docs", "/nowhere/missing.txt", ""}));
}

TEST_F(FileList, PositionOutsideTheListReadsAsEmptyText)
{
    fill({"/docs/a.doc"});
    EXPECT_EQ(form.ListEntry(0), QString());
    EXPECT_EQ(form.ListEntry(2), QString());
}

TEST_F(FileList, DoubleClickRemovesTheClickedEntryAndLaterEntriesMoveUp)
{
    fill({"A", "B", "C", "D", "E"});
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, rowCentre(3));
    QTest::mouseDClick(viewport(), Qt::LeftButton, {}, rowCentre(3));

    EXPECT_EQ(entries(), QStringList({"A", "B", "D", "E"}));
    EXPECT_EQ(form.ListCount(), 4);
    EXPECT_EQ(form.ListEntry(3), "D");
    EXPECT_EQ(selectedPosition(), 0);
    EXPECT_TRUE(platform.dialogs.shown.empty());
}

TEST_F(FileList, DoubleClickWithNothingSelectedChangesNothingAndSaysNothing)
{
    fill({"A", "B", "C"});
    QTest::mouseDClick(viewport(), Qt::LeftButton, {}, emptySpace());
    form.ListView1_DblClick();

    EXPECT_EQ(entries(), QStringList({"A", "B", "C"}));
    EXPECT_TRUE(platform.dialogs.shown.empty());
}

TEST_F(FileList, RemovedDraggedEntryReadsAsRemovedNotAsAnotherEntry)
{
    fill({"A", "B", "C"});
    form.ListView1->topLevelItem(1)->setSelected(true);
    form.ListView1_ItemClick();
    ASSERT_TRUE(form.DraggedItem.isValid());

    form.ListView1_DblClick();

    EXPECT_EQ(entries(), QStringList({"A", "C"}));
    EXPECT_FALSE(form.DraggedItem.isValid());
}
