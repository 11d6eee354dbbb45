// The folder import: the real window driven with answered dialogs, the walk and the file lister,
// on trees built in a temporary folder.
#include "folders/AddFolder.h"
#include "folders/ListMatchingFiles.h"
#include "main/Form1.h"
#include "support/FakePlatform.h"

#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

class FolderImport : public ::testing::Test {
protected:
    QTemporaryDir temp;
    QString root = temp.path() + QLatin1Char('/');
    FakePlatform platform;
    std::unique_ptr<Form1> form = std::make_unique<Form1>(platform.bundle());

    // Paths under the temporary folder: one ending in "/" is a folder, any other an empty file.
    void makeTree(const QStringList &paths)
    {
        for (const QString &path : paths) {
            QDir().mkpath(QFileInfo(root + path).path());
            if (!path.endsWith(QLatin1Char('/')))
                QFile(root + path).open(QIODevice::WriteOnly);
        }
    }
    // Clicks the button with the answers queued; the import runs inside the click.
    void import(const QString &extension, const QString &folder)
    {
        platform.dialogs.inputAnswers.push_back(extension);
        platform.dialogs.folderAnswers.push_back(folder);
        form->Check4->click();
    }
    QStringList entries() const
    {
        QStringList texts;
        for (int i = 1; i <= form->ListCount(); ++i)
            texts << form->ListEntry(i).mid(root.size());
        return texts;
    }
    // Runs action at the walk's first yield to the event loop.
    static void duringTheWalk(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }
};

TEST_F(FolderImport, WalksTheTreeLevelByLevelEachFolderInNameOrder)
{
    makeTree({"B/B1/", "A/A2/", "A/A1/X/", "A/a.doc", "B/b.doc", "r.doc"});
    QStringList folders{root};
    AddFolder::UnreadFolders unread;
    AddFolder::CollectSubFolders(folders, true, unread);
    for (QString &folder : folders)
        folder.remove(0, root.size());
    EXPECT_EQ(folders, QStringList({"", "A/", "B/", "A/A1/", "A/A2/", "B/B1/", "A/A1/X/"}));
    EXPECT_EQ(unread.count(), 0);
}

TEST_F(FolderImport, AddsMatchingFilesUnderHourglassSkippingTildeNamesAndHiddenFolders)
{
    makeTree({"B/B1/deep.doc", "B/b.doc", "A/a.doc", "A/x.txt", "top.doc", "top.DOC2", "~$top.doc",
              "~old/kept.doc", ".hidden/a.doc", ".h.doc"});
    form->setMousePointer(vbCustom);
    int duringWalk = -1;
    duringTheWalk([&] { duringWalk = form->MousePointer(); });
    import("doc", temp.path());
    EXPECT_EQ(entries(), QStringList({".h.doc", "top.doc", "A/a.doc", "B/b.doc", "~old/kept.doc", "B/B1/deep.doc"}));
    ASSERT_EQ(platform.dialogs.shown.size(), 2u);
    EXPECT_EQ(platform.dialogs.shown[0].kind, "inputBox");
    EXPECT_EQ(platform.dialogs.shown[0].text, "Enter file extension to load:");
    EXPECT_EQ(platform.dialogs.shown[0].defaultText, "doc");
    EXPECT_EQ(platform.dialogs.shown[1].kind, "browseForFolder");
    EXPECT_EQ(platform.dialogs.shown[1].text, "Please select folder to add:");
    EXPECT_FALSE(form->Check4->isChecked());
    EXPECT_EQ(duringWalk, vbHourglass);
    EXPECT_EQ(form->MousePointer(), vbDefault);
}

TEST_F(FolderImport, CancelAtEitherQuestionChangesNothing)
{
    makeTree({"a.doc"});
    form->Check4_Click(); // the button released: nothing is asked
    EXPECT_TRUE(platform.dialogs.shown.empty());
    form->setMousePointer(vbCustom);
    import("", temp.path());
    EXPECT_EQ(platform.dialogs.shown.size(), 1u); // no folder asked for
    platform.dialogs.folderAnswers.clear();
    import("doc", "");
    EXPECT_EQ(form->ListCount(), 0);
    EXPECT_EQ(form->MousePointer(), vbCustom);
    EXPECT_TRUE(platform.dialogs.messages().isEmpty());
}

TEST_F(FolderImport, UsesTheAnswerAsTypedAndListsAFolderAgainWhenImportedTwice)
{
    makeTree({"a.doc", "b..doc", "notes", "c.TXT"});
    import(".doc", temp.path());
    EXPECT_EQ(entries(), QStringList{"b..doc"});
    import("*", root);
    EXPECT_EQ(entries(), QStringList({"b..doc", "a.doc", "b..doc", "c.TXT", "notes"}));
}

TEST_F(FolderImport, NeverEntersLinksToFoldersSoALoopEnds)
{
    makeTree({"A/", "real.doc"});
    QFile::link(temp.path(), root + "A/up");
    QFile::link(root + "real.doc", root + "A/linked.doc");
    QFile::link(root + "gone.doc", root + "A/dangling.doc");
    import("doc", temp.path());
    EXPECT_EQ(entries(), QStringList({"real.doc", "A/linked.doc"}));
}

TEST_F(FolderImport, SkipsAFolderThatCannotBeReadAndSaysSo)
{
    makeTree({"A/a.doc", "B/b.doc", "top.doc"});
    duringTheWalk([&] { QDir(root + "B").removeRecursively(); });
    import("doc", temp.path());
    EXPECT_EQ(entries(), QStringList({"top.doc", "A/a.doc"}));
    EXPECT_EQ(platform.dialogs.messages(), QStringList{"1 folder could not be read and was skipped:\n" + root + "B"});
    EXPECT_EQ(form->MousePointer(), vbDefault);
}

TEST_F(FolderImport, SurvivesASecondImportOrTheWindowGoingAwayDuringTheWalk)
{
    makeTree({"one/a.doc", "two/b.doc"});
    platform.dialogs.inputAnswers = {"doc", "doc", "doc"};
    platform.dialogs.folderAnswers = {root + "one", root + "two", root + "one"};
    duringTheWalk([&] { form->Check4->click(); });
    form->Check4->click();
    EXPECT_EQ(entries(), QStringList({"two/b.doc", "one/a.doc"}));
    EXPECT_EQ(form->MousePointer(), vbDefault);
    // Called directly: Qt's own button code does not survive its deletion inside a click.
    duringTheWalk([&] { form.reset(); });
    Form1 *window = form.get();
    {
        const QSignalBlocker quiet(window->Check4);
        window->Check4->setChecked(true);
    }
    window->Check4_Click();
    EXPECT_EQ(form, nullptr);
}

TEST_F(FolderImport, WalksFromTheRootWithSingleSeparators)
{
    platform.dialogs.folderAnswers = {"/"};
    EXPECT_EQ(AddFolder::BrowseForFolder(*form, "Pick"), "/");
    QStringList folders{"/"};
    AddFolder::UnreadFolders unread;
    AddFolder::CollectSubFolders(folders, false, unread);
    ASSERT_GT(folders.size(), 1);
    for (const QString &folder : folders.mid(1))
        EXPECT_TRUE(QRegularExpression("^/[^/]+/$").match(folder).hasMatch()) << qPrintable(folder);
}

TEST_F(FolderImport, ListsMatchingFilesIgnoringCaseInNameOrder)
{
    makeTree({"a.doc", "B.DOC", "c.docx", "d.do", "readme", "x..doc", "folder.doc/", "[1].doc", "résumé.DÓC"});
    EXPECT_EQ(ListMatchingFiles(root, "*.doc"), QStringList({"a.doc", "B.DOC", "x..doc", "[1].doc"}));
    EXPECT_EQ(ListMatchingFiles(temp.path(), "?.do?"), QStringList({"a.doc", "B.DOC"}));
    EXPECT_EQ(ListMatchingFiles(root, "*.*"),
              QStringList({"a.doc", "B.DOC", "c.docx", "d.do", "readme", "résumé.DÓC", "x..doc", "[1].doc"}));
    EXPECT_EQ(ListMatchingFiles(root, "r?sum?.dóc"), QStringList{"résumé.DÓC"});
    EXPECT_TRUE(ListMatchingFiles(root, "*.pdf").isEmpty());
    QStringList many; // a hundred and a hundred and one names
    for (int i = 0; i < 101; ++i)
        many << QString("f%1.rtf").arg(i, 3, 10, QLatin1Char('0'));
    makeTree(many.mid(0, 100));
    EXPECT_EQ(ListMatchingFiles(root, "*.rtf"), many.mid(0, 100));
    makeTree({many.last()});
    EXPECT_EQ(ListMatchingFiles(root, "*.rtf"), many);
}

} // namespace
