// The folder import with answered dialogs, the walk and the file lister, on trees built in a
// temporary folder.
#include "FolderImport.h"
#include "FakeList.h"
#include "FakePlatform.h"
#include "ListMatchingFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

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
        for (const QString &path : paths) {
            QDir().mkpath(QFileInfo(root + path).path());
            if (!path.endsWith(QLatin1Char('/')))
                QFile(root + path).open(QIODevice::WriteOnly);
        }
    }
    // Runs the command with the answers queued; the whole list after, relative to the temporary folder.
    QStringList import(const QString &extension, const QString &folder)
    {
        dialogs.inputAnswers.push_back(extension);
        dialogs.folderAnswers.push_back(folder);
        folderImport->run();
        QStringList texts;
        for (const QString &path : list.paths)
            texts << path.mid(root.size());
        return texts;
    }
    // Runs action at the walk's first yield to the event loop.
    static void duringTheWalk(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }
};

// Level by level, each level's folders grouped by parent, each folder's files and sub-folders
// in name order ("~" after letters). Names starting with "~" and hidden folders are left out;
// a link to a file is listed, a link to a folder never entered, so a loop ends.
TEST_F(FolderImportTest, AddsMatchingFilesLevelByLevelInNameOrderUnderTheHourglass)
{
    makeTree({"B/B1/deep.doc", "B/b.doc", "A/A2/a2.doc", "A/A1/X/x.doc", "A/a.doc", "A/x.txt", "top.doc", "top.DOC2",
              "~$top.doc", "~old/kept.doc", ".hidden/a.doc", ".h.doc"});
    QFile::link(temp.path(), root + "A/up");
    QFile::link(root + "top.doc", root + "A/linked.doc");
    QFile::link(root + "gone.doc", root + "A/dangling.doc");
    pointer.state = CustomPointer;
    int duringWalk = -1;
    duringTheWalk([&] { duringWalk = pointer.state; });
    EXPECT_EQ(import("doc", temp.path()),
              QStringList({".h.doc", "top.doc", "A/a.doc", "A/linked.doc", "B/b.doc", "~old/kept.doc", "A/A2/a2.doc",
                           "B/B1/deep.doc", "A/A1/X/x.doc"}));
    ASSERT_EQ(dialogs.shown.size(), 2u); // and no message: every folder was read
    EXPECT_EQ(dialogs.shown[0].kind, "inputBox");
    EXPECT_EQ(dialogs.shown[0].text, "Enter file extension to load:");
    EXPECT_EQ(dialogs.shown[0].defaultText, "doc");
    EXPECT_EQ(dialogs.shown[1].kind, "browseForFolder");
    EXPECT_EQ(dialogs.shown[1].text, "Please select folder to add:");
    EXPECT_EQ(duringWalk, BusyPointer);
    EXPECT_EQ(pointer.state, DefaultPointer);
}

TEST_F(FolderImportTest, CancelAtEitherQuestionChangesNothing)
{
    makeTree({"a.doc"});
    pointer.state = CustomPointer;
    EXPECT_EQ(import("", temp.path()), QStringList());
    EXPECT_EQ(dialogs.shown.size(), 1u); // no folder asked for
    dialogs.folderAnswers.clear();
    EXPECT_EQ(import("doc", ""), QStringList());
    EXPECT_EQ(pointer.state, CustomPointer);
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(FolderImportTest, UsesTheAnswerAsTypedAndListsAFolderAgainWhenImportedTwice)
{
    makeTree({"a.doc", "b..doc", "notes", "c.TXT"});
    EXPECT_EQ(import(".doc", temp.path()), QStringList{"b..doc"});
    EXPECT_EQ(import("*", root), QStringList({"b..doc", "a.doc", "b..doc", "c.TXT", "notes"}));
}

TEST_F(FolderImportTest, SkipsFoldersThatCannotBeReadAndSaysSo)
{
    makeTree({"A/a.doc", "B/b.doc", "C/c.doc", "top.doc"});
    duringTheWalk([&] { QDir(root + "B").removeRecursively(); });
    EXPECT_EQ(import("doc", temp.path()), QStringList({"top.doc", "A/a.doc", "C/c.doc"}));
    EXPECT_EQ(dialogs.messages(), QStringList{"1 folder could not be read and was skipped:\n" + root + "B"});
    EXPECT_EQ(pointer.state, DefaultPointer);

    EXPECT_EQ(AddFolder::UnreadFoldersMessage({root + "A/", root + "C/"}),
              "2 folders could not be read and were skipped. The first was:\n" + root + "A");
}

TEST_F(FolderImportTest, SurvivesASecondImportOrItsOwnerGoingAwayDuringTheWalk)
{
    makeTree({"one/a.doc", "two/b.doc"});
    duringTheWalk([&] { import("doc", root + "two"); });
    EXPECT_EQ(import("doc", root + "one"), QStringList({"two/b.doc", "one/a.doc"}));
    EXPECT_EQ(pointer.state, DefaultPointer);

    list.paths.clear();
    FolderImport *running = folderImport.get();
    duringTheWalk([&] { folderImport.reset(); });
    dialogs.inputAnswers = {"doc"};
    dialogs.folderAnswers = {root + "two"};
    running->run();
    EXPECT_TRUE(list.paths.isEmpty());
}

// The root stays "/", so the walk beneath it gives single separators as beneath any folder.
TEST_F(FolderImportTest, TheRootIsChosenAndListedAsOneSeparator)
{
    dialogs.folderAnswers = {"/"};
    EXPECT_EQ(AddFolder::BrowseForFolder(dialogs, nullptr, "Pick"), "/");
    EXPECT_EQ(AddFolder::FolderListEntry("/"), "/");
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
