// The folder picker, the sub-folder walk and the file lister, on trees built in a temporary folder.
#include "FolderTree.h"
#include "folders/AddFolder.h"
#include "folders/ListMatchingFiles.h"
#include "main/Form1.h"
#include "support/FakePlatform.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using AddFolder::CollectSubFolders;
using AddFolder::UnreadFolders;

namespace {

class FolderWalk : public ::testing::Test {
protected:
    QTemporaryDir temp;
    QString root = temp.path() + QLatin1Char('/');
    UnreadFolders unread;

    QStringList walk()
    {
        QStringList folders{root};
        CollectSubFolders(folders, true, unread);
        return folders;
    }
    QStringList relative(QStringList paths) const
    {
        for (QString &path : paths)
            path.remove(0, root.size());
        return paths;
    }
};

TEST_F(FolderWalk, ListsTheTreeLevelByLevelEachFolderInNameOrder)
{
    makeTree(temp.path(), {"B/B1/", "A/A2/", "A/A1/X/", "A/a.doc", "B/b.doc", "r.doc"});
    EXPECT_EQ(relative(walk()), QStringList({"", "A/", "B/", "A/A1/", "A/A2/", "B/B1/", "A/A1/X/"}));
    EXPECT_EQ(unread.count(), 0);
}

TEST_F(FolderWalk, LeavesAFolderWithoutSubFoldersAlone)
{
    makeTree(temp.path(), {"a.doc"});
    EXPECT_EQ(walk(), QStringList{root});
}

TEST_F(FolderWalk, OrdersNamesIgnoringLetterCase)
{
    makeTree(temp.path(), {"c/", "B/", "a/", "c.doc", "B.doc", "a.doc"});
    EXPECT_EQ(relative(walk()), QStringList({"", "a/", "B/", "c/"}));
    EXPECT_EQ(ListMatchingFiles(root, "*.doc"), QStringList({"a.doc", "B.doc", "c.doc"}));
}

TEST_F(FolderWalk, SkipsHiddenFoldersButListsHiddenFiles)
{
    makeTree(temp.path(), {".hidden/inner/", ".hidden/a.doc", ".h.doc", "seen/"});
    EXPECT_EQ(relative(walk()), QStringList({"", "seen/"}));
    EXPECT_EQ(ListMatchingFiles(root, "*.doc"), QStringList{".h.doc"});
}

TEST_F(FolderWalk, NeverEntersLinksToFoldersSoALoopEnds)
{
    makeTree(temp.path(), {"A/", "real.doc"});
    QFile::link(temp.path(), root + "A/up");
    QFile::link(root + "real.doc", root + "A/linked.doc");
    QFile::link(root + "gone.doc", root + "A/dangling.doc");
    EXPECT_EQ(relative(walk()), QStringList({"", "A/"}));
    EXPECT_EQ(ListMatchingFiles(root + "A", "*"), QStringList{"linked.doc"});
}

TEST_F(FolderWalk, SkipsAFolderWhosePathIsTooLongAndGoesOn)
{
    makeTree(temp.path(), {"after/"});
    const TooLongChain chain(temp.path());
    const QStringList folders = walk();
    ASSERT_EQ(unread.count(), 1);
    EXPECT_GE(unread.first().size(), 4096);
    EXPECT_TRUE(folders.contains(root + "after/"));
    EXPECT_TRUE(folders.contains(unread.first())); // listed by its parent, skipped when opened
    EXPECT_LT(folders.at(folders.size() - 2).size(), 4096);
}

TEST(FolderWalkAtTheRoot, GivesSingleSeparators)
{
    EXPECT_EQ(AddFolder::FolderListEntry("/"), "/");
    EXPECT_EQ(AddFolder::FolderListEntry("/home/user"), "/home/user/");
    QStringList folders{"/"};
    UnreadFolders unread;
    CollectSubFolders(folders, false, unread);
    ASSERT_GT(folders.size(), 1);
    for (const QString &folder : folders.mid(1))
        EXPECT_TRUE(QRegularExpression("^/[^/]+/$").match(folder).hasMatch()) << qPrintable(folder);
}

class FileLister : public FolderWalk {};

TEST_F(FileLister, MatchesStarAndQuestionMarkIgnoringCase)
{
    makeTree(temp.path(), {"a.doc", "B.DOC", "c.docx", "d.do", "readme", "x..doc", "folder.doc/", "[1].doc"});
    EXPECT_EQ(ListMatchingFiles(root, "*.doc"), QStringList({"a.doc", "B.DOC", "x..doc", "[1].doc"}));
    EXPECT_EQ(ListMatchingFiles(root, "?.do?"), QStringList({"a.doc", "B.DOC"}));
    EXPECT_EQ(ListMatchingFiles(root, "*..doc"), QStringList{"x..doc"});
    EXPECT_EQ(ListMatchingFiles(root, "*.*"),
              QStringList({"a.doc", "B.DOC", "c.docx", "d.do", "readme", "x..doc", "[1].doc"}));
    EXPECT_TRUE(ListMatchingFiles(root, "*.pdf").isEmpty());
    makeTree(temp.path(), {"résumé.DÓC"});
    EXPECT_EQ(ListMatchingFiles(root, "r?sum?.dóc"), QStringList{"résumé.DÓC"});
}

TEST_F(FileLister, GivesTheSameNamesWithOrWithoutTrailingSeparator)
{
    makeTree(temp.path(), {"a.doc"});
    EXPECT_EQ(ListMatchingFiles(temp.path(), "*.doc"), QStringList{"a.doc"});
    EXPECT_EQ(ListMatchingFiles(root, "*.doc"), QStringList{"a.doc"});
}

TEST_F(FileLister, ListsAHundredAndAHundredAndOneNamesInOrder)
{
    QStringList hundred;
    for (int i = 0; i < 101; ++i)
        hundred << QString("f%1.doc").arg(i, 3, 10, QLatin1Char('0'));
    makeTree(temp.path(), hundred.mid(0, 100));
    EXPECT_EQ(ListMatchingFiles(root, "*.doc"), hundred.mid(0, 100));
    makeTree(temp.path(), {hundred.last()});
    EXPECT_EQ(ListMatchingFiles(root, "*.doc"), hundred);
}

TEST(BrowseForFolder, ReturnsTheFolderWithoutTrailingSeparatorOrEmptyOnCancel)
{
    FakePlatform platform;
    Form1 form(platform.bundle());
    platform.dialogs.folderAnswers = {"/home/user/", "/", ""};
    EXPECT_EQ(AddFolder::BrowseForFolder(form, "Pick"), "/home/user");
    EXPECT_EQ(AddFolder::BrowseForFolder(form, "Pick"), "/");
    EXPECT_EQ(AddFolder::BrowseForFolder(form, "Pick"), "");
    ASSERT_EQ(platform.dialogs.shown.size(), 3u);
    EXPECT_EQ(platform.dialogs.shown[0].text, "Pick");
}

} // namespace
