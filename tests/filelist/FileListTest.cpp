// The list as the model of the file list: appending, reading by position, removal by double-click.
#include "ListWindow.h"

using FileList = ListWindow;

TEST_F(FileList, AppendsAtTheEndWithoutSelectingOrScrolling)
{
    EXPECT_EQ(form.ListCount(), 0);
    fill({"/docs/a.doc", "/docs/a.doc"});
    form.ListView1->topLevelItem(0)->setSelected(true);
    for (int i = 0; i < 40; ++i)
        form.AddDocumentPath(QStringLiteral("/docs/more %1.doc").arg(i));
    QCoreApplication::processEvents();

    EXPECT_EQ(form.ListCount(), 42);
    EXPECT_EQ(entries().mid(0, 3), QStringList({"/docs/a.doc", "/docs/a.doc", "/docs/more 0.doc"}));
    EXPECT_EQ(form.ListEntry(42), "/docs/more 39.doc");
    EXPECT_EQ(selectedPosition(), 1);
    EXPECT_EQ(form.ListView1->verticalScrollBar()->value(), 0);
}

TEST_F(FileList, DoubleClickRemovesTheSelectedEntryAndWithNoneSelectedDoesNothing)
{
    fill({"A", "B", "C", "D"});
    QTest::mouseDClick(viewport(), Qt::LeftButton, {}, emptySpace());
    EXPECT_EQ(entries(), QStringList({"A", "B", "C", "D"}));

    QTest::mouseClick(viewport(), Qt::LeftButton, {}, rowCentre(3));
    QTest::mouseDClick(viewport(), Qt::LeftButton, {}, rowCentre(3));
    EXPECT_EQ(entries(), QStringList({"A", "B", "D"}));
    EXPECT_EQ(form.ListCount(), 3);
    EXPECT_EQ(selectedPosition(), 0);
    EXPECT_TRUE(platform.dialogs.shown.empty());
}
