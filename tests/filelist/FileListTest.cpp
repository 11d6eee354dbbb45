// The file list on a list view shown offscreen, the window's pointer a fake: appending, reading
// by position, removing the selected entry, moving an entry with the button held, and files
// dropped from the file manager. The mouse is played by calling the list's handlers in the
// order the window calls them. Then "Add Word File(s)": the dialog's settings and what the
// chosen files become.
#include "FileList.h"
#include "AddWordFiles.h"
#include "CommonDialog.h"
#include "FakeList.h"
#include "FakePlatform.h"

#include <QCoreApplication>
#include <QMimeData>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>

#include <gtest/gtest.h>

#include <vector>

class FileListEntries : public testing::Test {
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
    QStringList entries() const
    {
        QStringList texts;
        for (int position = 1; position <= list.count(); ++position)
            texts << list.entry(position);
        return texts;
    }
    int selectedPosition() const { return view.indexOfTopLevelItem(view.selectedItems().value(0)) + 1; }
    QRect rowRect(int position) const { return view.visualItemRect(view.topLevelItem(position - 1)); }
    QPoint rowCentre(int position) const { return {view.viewport()->width() / 2, rowRect(position).center().y()}; }
    // A press on an entry selects it, then reports the entry click.
    void pressOn(int position, FileList &pressed)
    {
        pressed.mouseDown();
        view.setCurrentItem(view.topLevelItem(position - 1), 0, QItemSelectionModel::ClearAndSelect);
        pressed.itemClick();
    }
    void moveOver(int position) { list.mouseMove(rowCentre(position)); }
    // Presses on one entry (0: on empty space, where no entry click follows), passes over the
    // others in turn with the button held, releases.
    void drag(int from, const std::vector<int> &over)
    {
        from > 0 ? pressOn(from, list) : list.mouseDown();
        for (int position : over)
            moveOver(position);
        list.mouseUp();
    }
    // Offers local files (text when there are none) over the list as a file manager does, the
    // keys held proposing the action (Shift a move, Ctrl+Shift a link), and drops them there:
    // the action taken, Qt::IgnoreAction for a refusal, which adds nothing.
    Qt::DropAction dropped(const QStringList &paths, Qt::DropActions possible = Qt::CopyAction,
                           Qt::KeyboardModifiers held = Qt::NoModifier)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString &path : paths)
            urls << QUrl::fromLocalFile(path);
        urls.isEmpty() ? data.setText("/docs/c.doc") : data.setUrls(urls);
        QDragEnterEvent enter(rowCentre(1), possible, &data, Qt::LeftButton, held);
        list.dragOver(enter);
        EXPECT_EQ(enter.isAccepted(), enter.dropAction() != Qt::IgnoreAction);
        const int before = list.count();
        QDropEvent drop(QPointF(rowCentre(1)), possible, &data, Qt::LeftButton, held);
        list.drop(drop);
        EXPECT_EQ(drop.dropAction(), enter.dropAction());
        EXPECT_EQ(list.count(), before + (drop.dropAction() == Qt::IgnoreAction ? 0 : paths.size()));
        return drop.dropAction();
    }
};

// Appending neither selects nor scrolls.
TEST_F(FileListEntries, AppendAtTheEndWithoutSelectingOrScrolling)
{
    EXPECT_EQ(list.count(), 0);
    list.AddDocumentPath("/docs/a.doc");
    list.AddDocumentPath("/docs/a.doc");
    view.topLevelItem(0)->setSelected(true);
    QStringList more;
    for (int i = 0; i < 40; ++i)
        more << QStringLiteral("/docs/more %1.doc").arg(i);
    list.appendAll(more);
    QCoreApplication::processEvents();
    EXPECT_EQ(entries(), QStringList({"/docs/a.doc", "/docs/a.doc"}) + more);
    EXPECT_EQ(list.entry(43), "");
    EXPECT_EQ(selectedPosition(), 1);
    EXPECT_EQ(view.verticalScrollBar()->value(), 0);
}

// Only the selected entry goes, none with none selected, and no other is selected after; the
// move under way when its entry goes moves nothing more.
TEST_F(FileListEntries, RemovingTakesTheSelectedEntryOnlyAlsoDuringAMove)
{
    list.appendAll({"A", "B", "C", "D", "E"});
    list.removeSelected();
    pressOn(3, list);
    list.removeSelected();
    EXPECT_EQ(entries(), QStringList({"A", "B", "D", "E"}));
    EXPECT_EQ(selectedPosition(), 0);
    EXPECT_FALSE(list.draggedItem().isValid());
    moveOver(4);
    moveOver(1);
    list.mouseUp();
    EXPECT_EQ(entries(), QStringList({"A", "B", "D", "E"}));
    list.removeSelected();
    EXPECT_EQ(list.count(), 4);
}

using InListMove = FileListEntries;

// Each pass with the button held exchanges the dragged entry with the one under the pointer,
// which is then the dragged one and selected; entries of the same text never exchange, and a
// press on empty space drags nothing.
TEST_F(InListMove, EachPassExchangesTheDraggedEntryWithTheOneUnderThePointer)
{
    // The entries, one letter each, and the selected position, after a drag over the letters.
    const auto dragged = [this](const QString &letters, int from, const std::vector<int> &over) {
        view.clear();
        list.appendAll(letters.split(QString(), Qt::SkipEmptyParts));
        drag(from, over);
        return QStringLiteral("%1, %2 selected").arg(entries().join(QString())).arg(selectedPosition());
    };
    EXPECT_EQ(dragged("ABCDE", 2, {3, 4}), "ACDBE, 4 selected");
    EXPECT_EQ(dragged("ABCDE", 2, {5}), "AECDB, 5 selected");
    EXPECT_EQ(dragged("ABBDE", 2, {3}), "ABBDE, 2 selected");
    EXPECT_EQ(dragged("ABBDE", 2, {3, 4}), "ADBBE, 4 selected");
    EXPECT_EQ(dragged("ABCDE", 0, {4, 1}), "ABCDE, 0 selected");
}

// The press shows the drag picture on the list until the release, the arrow then; without
// drag.ico the pointer stays and the move works all the same; the hourglass of a running command
// is never hidden.
TEST_F(InListMove, ThePressedEntryIsDraggedUnderTheDragPictureUntilTheRelease)
{
    const auto pointers = [this](const FileList &shown) {
        return std::pair(shown.ListMousePointer(), view.viewport()->cursor().shape());
    };
    list.appendAll({"A", "B", "C"});
    pressOn(2, list);
    EXPECT_EQ(list.draggedItem().row(), 1);
    EXPECT_EQ(pointers(list), std::pair(int(CustomPointer), Qt::BitmapCursor));
    list.mouseUp();
    EXPECT_FALSE(list.draggedItem().isValid());
    EXPECT_EQ(pointers(list), std::pair(int(ArrowPointer), Qt::ArrowCursor));

    const QTemporaryDir emptyFolder;
    FileList withoutPicture(view, pointer, emptyFolder.path());
    pressOn(1, withoutPicture);
    EXPECT_EQ(pointers(withoutPicture), std::pair(int(DefaultPointer), Qt::ArrowCursor));
    withoutPicture.mouseMove(rowCentre(2));
    withoutPicture.mouseUp();
    EXPECT_EQ(entries(), QStringList({"B", "A", "C"}));

    pointer.state = BusyPointer;
    pressOn(1, list);
    EXPECT_EQ(list.ListMousePointer(), CustomPointer);
    EXPECT_FALSE(view.viewport()->testAttribute(Qt::WA_SetCursor));
}

// A list longer than it shows: a move onto the first or the last whole row brings one more
// entry into view on that side, unless the list ends there; a move elsewhere does not scroll.
TEST_F(InListMove, ScrollsByOneEntryAtTheEdgesOfTheShownRowsOnly)
{
    for (int i = 1; i <= 40; ++i)
        list.AddDocumentPath(QStringLiteral("/docs/%1.doc").arg(i));
    view.setColumnWidth(0, 2 * view.viewport()->width()); // widened to read long names
    // The first and the last entry shown whole.
    const auto shown = [this] {
        std::pair whole{0, 0};
        for (int position = 1; position <= 40; ++position)
            if (rowRect(position).top() >= 0 && rowRect(position).bottom() <= view.viewport()->rect().bottom())
                whole = {whole.first ? whole.first : position, position};
        return whole;
    };
    // Shows the list from top, then moves from one entry over another.
    const auto shownAfter = [&](int top, int from, int over) {
        view.scrollToItem(view.topLevelItem(top - 1), QAbstractItemView::PositionAtTop);
        drag(from, {over});
        return shown();
    };
    const int rows = shown().second;
    ASSERT_TRUE(rows >= 4 && rows < 20) << rows;
    EXPECT_EQ(shownAfter(1, rows - 1, rows), std::pair(2, rows + 1));
    EXPECT_EQ(shownAfter(20, 21, 20), std::pair(19, rows + 18));
    EXPECT_EQ(shownAfter(2, 3, 2), std::pair(1, rows));
    EXPECT_EQ(shownAfter(11, 12, 13), std::pair(11, rows + 10));
    EXPECT_EQ(shownAfter(1, 2, 1), std::pair(1, rows));
    EXPECT_EQ(shownAfter(40, 39, 40), std::pair(41 - rows, 40));
}

using ListDrop = FileListEntries;

TEST_F(ListDrop, FilesAndFoldersFollowTheListInDropOrderTextIsRefusedAndNothingDuringAMove)
{
    list.appendAll({"/docs/a.doc", "/docs/b.doc"});
    EXPECT_EQ(dropped({"/in/z.doc", "/in/a b.rtf", "/in/m.doc"}), Qt::CopyAction);
    EXPECT_EQ(dropped({"/in/folder"}), Qt::CopyAction);
    EXPECT_EQ(dropped({}), Qt::IgnoreAction);
    pressOn(1, list);
    moveOver(2);
    EXPECT_EQ(dropped({"/in/during.doc"}), Qt::IgnoreAction);
    list.mouseUp();
    EXPECT_EQ(dropped({"/in/after.doc"}), Qt::CopyAction);
    EXPECT_EQ(entries(), QStringList({"/docs/b.doc", "/docs/a.doc", "/in/z.doc", "/in/a b.rtf", "/in/m.doc",
                                      "/in/folder", "/in/after.doc"}));
}

// Always a copy, whatever the source proposes, so that no file manager removes what was dropped;
// a source that offers no copy is refused.
TEST_F(ListDrop, IsACopyOrARefusal)
{
    EXPECT_EQ(dropped({"/in/z.doc"}, Qt::CopyAction | Qt::MoveAction), Qt::CopyAction);
    EXPECT_EQ(dropped({"/in/z.doc"}, Qt::CopyAction | Qt::MoveAction, Qt::ShiftModifier), Qt::CopyAction);
    EXPECT_EQ(dropped({"/in/z.doc"}, Qt::CopyAction | Qt::LinkAction, Qt::ControlModifier | Qt::ShiftModifier),
              Qt::CopyAction);
    EXPECT_EQ(dropped({"/in/z.doc"}, Qt::MoveAction), Qt::IgnoreAction);
    EXPECT_EQ(dropped({"/in/z.doc"}, Qt::LinkAction), Qt::IgnoreAction);
}

class AddFiles : public testing::Test {
protected:
    FakeDialogs dialogs;
    CommonDialog dialog;
    FakeDocumentList list;

    // The entries that the files chosen (or a dialog that failed) add behind one listed before.
    QStringList addChosen(const QStringList &chosen, bool failed = false)
    {
        list.paths = QStringList{"/docs/first.doc"};
        dialogs.fileAnswers.push_back(OpenFilesResult{chosen, failed});
        AddWordFiles(dialog, dialogs, nullptr, list);
        return list.paths.mid(1);
    }
};

TEST_F(AddFiles, TheDialogAsksForSeveralWordDocumentsOrAnyFile)
{
    addChosen({});
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    const OpenFilesRequest &request = dialogs.fileRequests.front();
    EXPECT_EQ(request.title, "Add File(s) - Hold Ctrl to select multiple files");
    EXPECT_TRUE(request.multiSelect);
    ASSERT_EQ(request.nameFilters.size(), 2);
    EXPECT_TRUE(request.nameFilters[0].startsWith("Word Documents ("));
    // The names that a filter lists, matched the way the file dialog matches its patterns.
    const auto listed = [&](int filter) {
        QStringList names;
        for (const QString &pattern : request.nameFilters[filter].section('(', -1).chopped(1).split(' '))
            names << QStringList({"REPORT.DOC", "letter.docx", "notes.txt", "notes"})
                         .filter(QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern)));
        return names;
    };
    EXPECT_EQ(listed(0), QStringList({"REPORT.DOC", "letter.docx"}));
    EXPECT_EQ(listed(1), QStringList({"REPORT.DOC", "letter.docx", "notes.txt", "notes"}));
}

// In the dialog's order, also after a dialog that failed, which adds nothing and says so.
TEST_F(AddFiles, ChosenFilesAreAppendedInTheDialogsOrder)
{
    for (const QStringList &chosen : {QStringList{"/home/ann/My Reports//2024 report.doc"},
                                      QStringList{"/home/ann/z.doc", "/home/ann/a.docx", "/home/ann/m.dot"},
                                      QStringList{"/a.doc", "/b.doc"}, QStringList()})
        EXPECT_EQ(addChosen(chosen), chosen);
    EXPECT_EQ(addChosen({"/srv//shared///x.doc", "/srv//shared///y.doc"}),
              QStringList({"/srv/shared//x.doc", "/srv/shared//y.doc"}));
    EXPECT_EQ(addChosen({"/docs/b.doc"}, true), QStringList());
    EXPECT_EQ(dialogs.messages(), QStringList{"The file dialog could not be shown. No files were added."});
    EXPECT_EQ(addChosen({"/docs/b.doc"}), QStringList{"/docs/b.doc"});
}
