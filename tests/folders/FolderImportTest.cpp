// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The folder import with answered dialogs, the walk and the file lister, on trees built in a
// temporary folder.
#include "FolderImport.h"
#include "FakeList.h"
#include "FakePlatform.h"
#include "ListMatchingFiles.h"
#include "NameBytes.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

class FolderImportTest : public ::testing::Test {
protected:
    QTemporaryDir temp;
    QString root = temp.path() + QLatin1Char('/');
    FakeDialogs dialogs;
    FakePointer pointer;
    FakeDocumentList list;
    std::unique_ptr<FolderImport> folderImport = std::make_unique<FolderImport>(dialogs, nullptr, pointer, list);

    // Paths under the temporary folder: one ending in "/" is a folder, any other an empty file.
    void makeTree(const QStringList &paths)
    {
        for (const QString &path : paths)
            if (QDir().mkpath(QFileInfo(root + path).path()) && !path.endsWith(QLatin1Char('/')))
                QFile(root + path).open(QIODevice::WriteOnly);
    }
    // Runs the command with these answers; the whole list after, relative to the temporary folder.
    QStringList import(const QString &extension, const QString &folder)
    {
        dialogs.inputAnswers = {extension};
        dialogs.folderAnswers = {folder};
        folderImport->run();
        return QStringList(list.paths).replaceInStrings(root, QString());
    }
};

// Level by level, each level's folders grouped by parent, each folder's files and sub-folders
// in name order ("~" after letters), under the hourglass. Names starting with "~" and hidden
// folders are left out; a link to a file is listed, a link to a folder never entered, so a loop
// ends. A folder that cannot be read is skipped and named after the walk; of several, the count
// and the first are given. A timer of no delay runs at the walk's first yield to the event loop.
TEST_F(FolderImportTest, AddsMatchingFilesLevelByLevelInNameOrderAndSaysWhichFoldersCouldNotBeRead)
{
    makeTree({"B/B1/deep.doc", "B/b.doc", "A/A2/a2.doc", "A/A1/X/x.doc", "A/a.doc", "A/x.txt", "C/c.doc", "top.doc",
              "top.DOC2", "~$top.doc", "~old/kept.doc", ".hidden/a.doc", ".h.doc"});
    QFile::link(temp.path(), root + "A/up");
    QFile::link(root + "top.doc", root + "A/linked.doc");
    QFile::link(root + "gone.doc", root + "A/dangling.doc");
    pointer.state = CustomPointer;
    int duringWalk = -1;
    QTimer::singleShot(0, [&] { duringWalk = pointer.state; });
    QTimer::singleShot(0, [&] { std::filesystem::remove_all(QFile::encodeName(root + "C").toStdString()); });
    EXPECT_EQ(import("doc", temp.path()),
              QStringList({".h.doc", "top.doc", "A/a.doc", "A/linked.doc", "B/b.doc", "~old/kept.doc", "A/A2/a2.doc",
                           "B/B1/deep.doc", "A/A1/X/x.doc"}));
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[0].text, "Enter file extension to load:");
    EXPECT_EQ(dialogs.shown[0].defaultText, "doc");
    EXPECT_EQ(dialogs.shown[1].text, "Please select folder to add:");
    EXPECT_EQ(dialogs.messages(), QStringList{"1 folder could not be read and was skipped:\n" + root + "C"});
    EXPECT_EQ(duringWalk, BusyPointer);
    EXPECT_EQ(pointer.state, DefaultPointer);
    EXPECT_EQ(AddFolder::UnreadFoldersMessage({root + "A/", root + "C/"}),
              "2 folders could not be read and were skipped. The first was:\n" + root + "A");
}

// Cancel at either question changes nothing, and no folder is asked for after the first. The
// extension is used as typed, and a folder imported twice is listed twice. The root stays "/",
// so that the walk beneath it gives single separators as beneath any folder.
TEST_F(FolderImportTest, TakesTheAnswersAsGivenAndCancelAtEitherChangesNothing)
{
    makeTree({"a.doc", "b..doc", "notes", "c.TXT"});
    pointer.state = CustomPointer;
    EXPECT_EQ(import("", temp.path()), QStringList());
    EXPECT_EQ(dialogs.shown.size(), 1u); // no folder asked for
    EXPECT_EQ(import("doc", ""), QStringList());
    EXPECT_EQ(pointer.state, CustomPointer);
    EXPECT_EQ(import(".doc", temp.path()), QStringList{"b..doc"});
    EXPECT_EQ(import("*", root), QStringList({"b..doc", "a.doc", "b..doc", "c.TXT", "notes"}));
    EXPECT_TRUE(dialogs.messages().isEmpty());
    dialogs.folderAnswers = {"/"};
    EXPECT_EQ(AddFolder::BrowseForFolder(dialogs, nullptr, "Pick"), "/");
    EXPECT_EQ(AddFolder::FolderListEntry("/"), "/");
}

// A second import started during the walk adds its files first; an import whose owner goes
// away during the walk adds nothing.
TEST_F(FolderImportTest, SurvivesASecondImportOrItsOwnerGoingAwayDuringTheWalk)
{
    makeTree({"one/a.doc", "two/b.doc"});
    QTimer::singleShot(0, [&] { import("doc", root + "two"); });
    EXPECT_EQ(import("doc", root + "one"), QStringList({"two/b.doc", "one/a.doc"}));
    EXPECT_EQ(pointer.state, DefaultPointer);
    QTimer::singleShot(0, [&] { folderImport.reset(); });
    EXPECT_EQ(import("doc", root + "two"), QStringList({"two/b.doc", "one/a.doc"}));
}

// Names that are not UTF-8 keep their bytes: a folder of such a name is walked (chosen in the
// picker, which spoils its name, each such byte a replacement character, or found beneath), and
// its documents are listed by their real names, a byte that is not UTF-8 matching "?".
TEST_F(FolderImportTest, NamesThatAreNotUtf8AreWalkedAndListedByTheirBytes)
{
    const QByteArray chosen = QFile::encodeName(root) + "chosen\xfe";
    for (const QByteArray &folder : {chosen, chosen + "/sub\xfd"})
        ASSERT_EQ(::mkdir(folder.constData(), 0700), 0);
    for (const QByteArray &file : {chosen + "/bad\xff.doc", chosen + "/sub\xfd/x\xe9.doc"})
        ASSERT_EQ(::close(::open(file.constData(), O_WRONLY | O_CREAT, 0600)), 0);
    QStringList listed;
    for (const QString &entry : import("doc", QFile::decodeName(chosen)))
        listed << QString::fromLatin1(NameToBytes(entry).toPercentEncoding("/"));
    EXPECT_EQ(listed, QStringList({"chosen%FE/bad%FF.doc", "chosen%FE/sub%FD/x%E9.doc"}));
    EXPECT_TRUE(dialogs.messages().isEmpty()) << qPrintable(dialogs.messages().join('\n'));
    EXPECT_EQ(MatchingNames({NameFromBytes("x\xe9.doc")}, "x?.doc").size(), 1);
}

TEST_F(FolderImportTest, ListsMatchingFilesIgnoringCaseInNameOrder)
{
    makeTree({"a.doc", "B.DOC", "c.docx", "d.do", "readme", "x..doc", "folder.doc/", "[1].doc", "résumé.DÓC"});
    EXPECT_EQ(ListMatchingFiles(root, "*.doc"), QStringList({"a.doc", "B.DOC", "x..doc", "[1].doc"}));
    EXPECT_EQ(ListMatchingFiles(temp.path(), "?.do?"), QStringList({"a.doc", "B.DOC"}));
    EXPECT_EQ(ListMatchingFiles(root, "*.*"),
              QStringList({"a.doc", "B.DOC", "c.docx", "d.do", "readme", "résumé.DÓC", "x..doc", "[1].doc"}));
    EXPECT_EQ(ListMatchingFiles(root, "r?sum?.dóc"), QStringList{"résumé.DÓC"});
    EXPECT_TRUE(ListMatchingFiles(root, "*.pdf").isEmpty());
    EXPECT_TRUE(ListMatchingFiles(root + "missing", "*.doc").isEmpty());
    QStringList many; // a hundred and a hundred and one names
    for (int i = 0; i < 101; ++i)
        many << QString("f%1.rtf").arg(i, 3, 10, QLatin1Char('0'));
    makeTree(many.mid(0, 100));
    EXPECT_EQ(ListMatchingFiles(root, "*.rtf"), many.mid(0, 100));
    makeTree({many.last()});
    EXPECT_EQ(ListMatchingFiles(root, "*.rtf"), many);
}
