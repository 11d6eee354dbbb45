// The file list: appending, reading by position, removing the selected entry.
#include "ShownList.h"

using FileListEntries = ShownList;

TEST_F(FileListEntries, AppendAtTheEndWithoutSelectingOrScrolling)
{
    EXPECT_EQ(list.count(), 0);
    fill({"/docs/a.doc", "/docs/a.doc"});
    select(1);
    QStringList more;
    for (int i = 0; i < 40; ++i)
        more << QStringLiteral("/docs/more %1.doc").arg(i);
    list.appendAll(more);
    QCoreApplication::processEvents();

    EXPECT_EQ(list.count(), 42);
    EXPECT_EQ(entries().mid(0, 3), QStringList({"/docs/a.doc", "/docs/a.doc", "/docs/more 0.doc"}));
    EXPECT_EQ(list.entry(42), "/docs/more 39.doc");
    EXPECT_EQ(list.entry(43), "");
    EXPECT_EQ(selectedPosition(), 1);
    EXPECT_EQ(view.verticalScrollBar()->value(), 0);
}

TEST_F(FileListEntries, RemovingTakesTheSelectedEntryOnlyAndSelectsNoOther)
{
    fill({"A", "B", "C", "D", "E"});
    list.removeSelected();
    EXPECT_EQ(entries(), QStringList({"A", "B", "C", "D", "E"}));

    select(3);
    list.removeSelected();
    EXPECT_EQ(entries(), QStringList({"A", "B", "D", "E"}));
    EXPECT_EQ(selectedPosition(), 0);
    list.removeSelected();
    EXPECT_EQ(list.count(), 4);
}
