// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
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
#include "NameBytes.h"

#include <QCoreApplication>
#include <QMimeData>
#include <QRegularExpression>
#include <QStyledItemDelegate>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

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
    // Presses on one entry (0: on empty space, where no entry click follows), passes over the
    // others in turn with the button held, releases.
    void drag(int from, std::initializer_list<int> over)
    {
        from > 0 ? pressOn(from, list) : list.mouseDown();
        for (int position : over)
            list.mouseMove(rowCentre(position));
        list.mouseUp();
    }
};

// Appending neither selects nor scrolls (see the scrolling test). Removing takes the selected
// entry only, none with none selected, and leaves none selected, so that a second removal takes
// nothing nobody chose; the move under way when its entry goes moves nothing more.
TEST_F(FileListEntries, AppendsWithoutSelectingAndRemovesTheSelectedEntryOnly)
{
    list.AddDocumentPath("A");
    view.topLevelItem(0)->setSelected(true);
    list.appendAll({"A", "B", "C", "D"});
    EXPECT_EQ(entries(), QStringList({"A", "A", "B", "C", "D"}));
    EXPECT_EQ(list.entry(6), "");
    EXPECT_EQ(selectedPosition(), 1);
    list.removeSelected();
    list.removeSelected();
    pressOn(2, list);
    list.removeSelected();
    EXPECT_EQ(entries(), QStringList({"A", "C", "D"}));
    EXPECT_EQ(selectedPosition(), 0);
    list.mouseMove(rowCentre(3));
    list.mouseMove(rowCentre(1));
    list.mouseUp();
    EXPECT_EQ(entries(), QStringList({"A", "C", "D"}));
}

using InListMove = FileListEntries;

// Each pass with the button held exchanges the dragged entry with the one under the pointer,
// which is then the dragged one and selected; entries of the same text never exchange, and a
// press on empty space drags nothing.
TEST_F(InListMove, EachPassExchangesTheDraggedEntryWithTheOneUnderThePointer)
{
    // The entries, one letter each, and the selected position, after a drag over the letters.
    const auto dragged = [this](const QString &letters, int from, std::initializer_list<int> over) {
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

// The press shows the drag picture on the list until the release, the arrow then, and a move
// after the release exchanges nothing; without drag.ico the pointer stays and the move works
// all the same; the hourglass of a running command is never hidden.
TEST_F(InListMove, ThePressedEntryIsDraggedUnderTheDragPictureUntilTheRelease)
{
    const auto pointers = [this](const FileList &shown) {
        return std::pair(shown.ListMousePointer(), view.viewport()->cursor().shape());
    };
    list.appendAll({"A", "B", "C"});
    pressOn(2, list);
    EXPECT_EQ(pointers(list), std::pair(int(CustomPointer), Qt::BitmapCursor));
    list.mouseUp();
    EXPECT_EQ(pointers(list), std::pair(int(ArrowPointer), Qt::ArrowCursor));
    drag(0, {3});

    FileList withoutPicture(view, pointer, QCoreApplication::applicationDirPath() + "/no such folder");
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

// A list longer than it shows, appended without scrolling: a move onto the first or the last
// whole row brings one more entry into view on that side, unless the list ends there; a move
// elsewhere does not scroll.
TEST_F(InListMove, ScrollsByOneEntryAtTheEdgesOfTheShownRowsOnly)
{
    QStringList paths;
    for (int i = 1; i <= 40; ++i)
        paths << QStringLiteral("/docs/%1.doc").arg(i);
    list.appendAll(paths);
    QCoreApplication::processEvents();
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
    const auto [first, rows] = shown();
    ASSERT_TRUE(first == 1 && rows >= 4 && rows < 20) << first << " to " << rows;
    EXPECT_EQ(shownAfter(1, rows - 1, rows), std::pair(2, rows + 1));
    EXPECT_EQ(shownAfter(20, 21, 20), std::pair(19, rows + 18));
    EXPECT_EQ(shownAfter(2, 3, 2), std::pair(1, rows));
    EXPECT_EQ(shownAfter(11, 12, 13), std::pair(11, rows + 10));
    EXPECT_EQ(shownAfter(1, 2, 1), std::pair(1, rows));
    EXPECT_EQ(shownAfter(40, 39, 40), std::pair(41 - rows, 40));
}

// Files and folders dropped from the file manager follow the list in drop order, always as a
// copy whatever the source proposes (Shift a move, Ctrl+Shift a link), so that no file manager
// removes what was dropped. Text, a link to anything but a local file, a source that offers no
// copy and any drop during a move are refused, and add nothing.
TEST_F(FileListEntries, DroppedFilesAreCopiedToTheEndAndAnythingElseRefused)
{
    // Offers local files over the list as a file manager does, the keys held proposing the
    // action, and drops them: the action taken, which the list already showed over it.
    const auto dropped = [this](const QStringList &paths, Qt::DropActions possible = Qt::CopyAction,
                                Qt::KeyboardModifiers held = Qt::NoModifier) {
        QMimeData data;
        data.setText("/docs/c.doc"); // offered beside the files too; alone, it is refused
        for (const QString &path : paths)
            data.setUrls(data.urls() << (path.contains(':') ? QUrl(path) : QUrl::fromLocalFile(path)));
        QDragEnterEvent enter(rowCentre(1), possible, &data, Qt::LeftButton, held);
        list.dragOver(enter);
        QDropEvent drop(QPointF(rowCentre(1)), possible, &data, Qt::LeftButton, held);
        list.drop(drop);
        EXPECT_EQ(enter.isAccepted(), enter.dropAction() != Qt::IgnoreAction);
        EXPECT_EQ(drop.dropAction(), enter.dropAction());
        return drop.dropAction();
    };
    list.appendAll({"/docs/a.doc", "/docs/b.doc"});
    EXPECT_EQ(dropped({"/in/z.doc", "/in/a b.rtf", "/in/m.doc"}), Qt::CopyAction);
    EXPECT_EQ(dropped({"/in/folder"}, Qt::CopyAction | Qt::MoveAction), Qt::CopyAction);
    EXPECT_EQ(dropped({"/in/shift.doc"}, Qt::CopyAction | Qt::MoveAction, Qt::ShiftModifier), Qt::CopyAction);
    EXPECT_EQ(dropped({"/in/link.doc"}, Qt::CopyAction | Qt::LinkAction, Qt::ControlModifier | Qt::ShiftModifier),
              Qt::CopyAction);
    EXPECT_EQ(dropped({}), Qt::IgnoreAction);
    EXPECT_EQ(dropped({"/in/moved.doc"}, Qt::MoveAction | Qt::LinkAction), Qt::IgnoreAction);
    EXPECT_EQ(dropped({"/in/local.doc", "https://example.org/remote.doc"}), Qt::IgnoreAction);
    EXPECT_EQ(dropped({"/in/local.doc", "file://elsewhere.example/remote.doc"}), Qt::IgnoreAction);
    pressOn(1, list);
    EXPECT_EQ(dropped({"/in/during.doc"}), Qt::IgnoreAction);
    list.mouseUp();
    EXPECT_EQ(dropped({"/in/after.doc"}), Qt::CopyAction);
    EXPECT_EQ(entries(), QStringList({"/docs/a.doc", "/docs/b.doc", "/in/z.doc", "/in/a b.rtf", "/in/m.doc",
                                      "/in/folder", "/in/shift.doc", "/in/link.doc", "/in/after.doc"}));
}

// A file whose name is not UTF-8 is listed by its very bytes, dropped (its URL percent-encoded, of
// this machine with or without a host name) or chosen in the dialog (which spoils the name, each
// such byte a replacement character): the entry names the file, and the list shows it readably.
TEST_F(FileListEntries, ANameThatIsNotUtf8IsListedByItsBytesAndShownReadably)
{
    const QTemporaryDir folder;
    const QByteArray real = QFile::encodeName(folder.path()) + "/bad\xff.doc";
    ASSERT_EQ(::close(::open(real.constData(), O_WRONLY | O_CREAT, 0600)), 0);
    QMimeData files;
    const QByteArray url = real.toPercentEncoding("/");
    files.setData("text/uri-list", "# from a file manager\r\nfile://" + url + "\r\nfile://localhost" + url + "\r\n");
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    list.drop(drop);
    FakeDialogs dialogs;
    CommonDialog dialog;
    dialogs.fileAnswers.push_back(OpenFilesResult{{QFile::decodeName(real)}, false});
    AddWordFiles(dialog, dialogs, nullptr, list);

    ASSERT_EQ(list.count(), 3);
    const auto *shown = static_cast<QStyledItemDelegate *>(view.itemDelegate());
    for (int position = 1; position <= 3; ++position) {
        EXPECT_EQ(NameToBytes(list.entry(position)), real) << position;
        EXPECT_EQ(shown->displayText(list.entry(position), QLocale()), folder.path() + "/bad\\xFF.doc");
    }
}

// The dialog asks for several Word documents, or any file; the chosen files are appended in the
// dialog's order, also after a dialog that failed, which adds nothing and says so.
TEST(AddWordFiles, AsksForWordDocumentsAndAppendsTheChosenInTheDialogsOrder)
{
    FakeDialogs dialogs;
    CommonDialog dialog;
    FakeDocumentList list;
    // The entries that the files chosen (or a dialog that failed) add behind one listed before.
    const auto addChosen = [&](const QStringList &chosen, bool failed = false) {
        list.paths = QStringList{"/docs/first.doc"};
        dialogs.fileAnswers.push_back(OpenFilesResult{chosen, failed});
        AddWordFiles(dialog, dialogs, nullptr, list);
        return list.paths.mid(1);
    };
    EXPECT_EQ(addChosen({"/docs/b.doc"}, true), QStringList());
    EXPECT_EQ(dialogs.messages(), QStringList{"The file dialog could not be shown. No files were added."});
    for (const QStringList &chosen : {QStringList{"/home/ann/My Reports//2024 report.doc"},
                                      QStringList{"/home/ann/z.doc", "/home/ann/a.docx", "/home/ann/m.dot"},
                                      QStringList{"/a.doc", "/b.doc"}, QStringList()})
        EXPECT_EQ(addChosen(chosen), chosen);
    EXPECT_EQ(addChosen({"/srv//shared///x.doc", "/srv//shared///y.doc"}),
              QStringList({"/srv/shared//x.doc", "/srv/shared//y.doc"}));

    ASSERT_EQ(dialogs.fileRequests.size(), 6u); // one dialog each time
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
