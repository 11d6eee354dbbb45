// The folder import command, driven through the real window with answered dialogs.
#include "FolderTree.h"
#include "main/Form1.h"
#include "support/FakePlatform.h"

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
            texts << form->ListEntry(i);
        return texts;
    }
    QStringList relative(QStringList paths) const
    {
        for (QString &path : paths)
            path.remove(0, root.size());
        return paths;
    }
    // Runs action at the walk's first yield to the event loop.
    static void duringTheWalk(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }
};

TEST_F(FolderImport, AsksForExtensionAndFolderThenAddsFilesLevelByLevel)
{
    makeTree(temp.path(), {"B/B1/deep.doc", "B/b.doc", "A/a.doc", "A/x.txt", "top.doc", "top.DOC2", "~$top.doc",
                           "~old/kept.doc"});
    import("doc", temp.path());
    EXPECT_EQ(relative(entries()), QStringList({"top.doc", "A/a.doc", "B/b.doc", "~old/kept.doc", "B/B1/deep.doc"}));
    ASSERT_EQ(platform.dialogs.shown.size(), 2u);
    EXPECT_EQ(platform.dialogs.shown[0].kind, "inputBox");
    EXPECT_EQ(platform.dialogs.shown[0].text, "Enter file extension to load:");
    EXPECT_EQ(platform.dialogs.shown[0].defaultText, "doc");
    EXPECT_EQ(platform.dialogs.shown[1].kind, "browseForFolder");
    EXPECT_EQ(platform.dialogs.shown[1].text, "Please select folder to add:");
    EXPECT_FALSE(form->Check4->isChecked());
    EXPECT_EQ(form->MousePointer(), vbDefault);
}

TEST_F(FolderImport, DoesNothingWhileTheButtonIsReleased)
{
    form->Check4_Click();
    EXPECT_TRUE(platform.dialogs.shown.empty());
}

TEST_F(FolderImport, CancelAtEitherQuestionChangesNothing)
{
    makeTree(temp.path(), {"a.doc"});
    form->setMousePointer(vbCustom);
    import("", temp.path());
    EXPECT_EQ(platform.dialogs.shown.size(), 1u); // no folder asked for
    platform.dialogs.folderAnswers.clear();
    import("doc", "");
    EXPECT_EQ(form->ListCount(), 0);
    EXPECT_EQ(form->MousePointer(), vbCustom);
    EXPECT_TRUE(platform.dialogs.messages().isEmpty());
}

TEST_F(FolderImport, UsesTheAnswerAsTyped)
{
    makeTree(temp.path(), {"a.doc", "b..doc", "notes", "c.TXT"});
    import(".doc", temp.path());
    EXPECT_EQ(relative(entries()), QStringList{"b..doc"});
    import("*", temp.path());
    EXPECT_EQ(relative(entries()), QStringList({"b..doc", "a.doc", "b..doc", "c.TXT", "notes"}));
}

TEST_F(FolderImport, ListsTheSameFolderAgainOnASecondImport)
{
    makeTree(temp.path(), {"a.doc"});
    import("doc", temp.path());
    import("doc", temp.path() + "/");
    EXPECT_EQ(relative(entries()), QStringList({"a.doc", "a.doc"}));
}

TEST_F(FolderImport, AddsNothingAndSaysNothingWithoutMatches)
{
    makeTree(temp.path(), {"a.txt", "sub/b.txt"});
    import("doc", temp.path());
    EXPECT_EQ(form->ListCount(), 0);
    EXPECT_TRUE(platform.dialogs.messages().isEmpty());
    EXPECT_EQ(form->MousePointer(), vbDefault);
}

TEST_F(FolderImport, ShowsTheHourglassWhileWalking)
{
    makeTree(temp.path(), {"a.doc"});
    form->setMousePointer(vbCustom);
    int duringWalk = -1;
    duringTheWalk([&] { duringWalk = form->MousePointer(); });
    import("doc", temp.path());
    EXPECT_EQ(duringWalk, vbHourglass);
    EXPECT_EQ(form->MousePointer(), vbDefault);
}

TEST_F(FolderImport, SkipsAFolderThatVanishesDuringTheWalkAndSaysSo)
{
    makeTree(temp.path(), {"A/a.doc", "B/b.doc", "top.doc"});
    duringTheWalk([&] { QDir(root + "B").removeRecursively(); });
    import("doc", temp.path());
    EXPECT_EQ(relative(entries()), QStringList({"top.doc", "A/a.doc"}));
    EXPECT_EQ(platform.dialogs.messages(), QStringList{"1 folder could not be read and was skipped:\n" + root + "B"});
    EXPECT_EQ(form->MousePointer(), vbDefault);
}

TEST_F(FolderImport, SkipsFoldersWithPathsTooLongAndSaysSo)
{
    makeTree(temp.path(), {"top.doc", "gone/"});
    const TooLongChain chain(temp.path());
    duringTheWalk([&] { QDir(root + "gone").removeRecursively(); });
    import("doc", temp.path());
    EXPECT_EQ(relative(entries()), QStringList{"top.doc"});
    ASSERT_EQ(platform.dialogs.messages().size(), 1);
    EXPECT_TRUE(platform.dialogs.messages()[0].startsWith("2 folders could not be read and were skipped. The first was:\n"));
}

TEST_F(FolderImport, RunsASecondImportStartedDuringTheWalk)
{
    makeTree(temp.path(), {"one/a.doc", "two/b.doc"});
    platform.dialogs.inputAnswers = {"doc", "doc"};
    platform.dialogs.folderAnswers = {root + "one", root + "two"};
    duringTheWalk([&] { form->Check4->click(); });
    form->Check4->click();
    EXPECT_EQ(relative(entries()), QStringList({"two/b.doc", "one/a.doc"}));
    EXPECT_EQ(form->MousePointer(), vbDefault);
}

TEST_F(FolderImport, SurvivesTheWindowGoingAwayDuringTheWalk)
{
    makeTree(temp.path(), {"a.doc", "sub/b.doc"});
    duringTheWalk([&] { form.reset(); });
    platform.dialogs.inputAnswers = {"doc"};
    platform.dialogs.folderAnswers = {temp.path()};
    // Called directly: Qt's own button code does not survive its deletion inside a click.
    Form1 *window = form.get();
    {
        const QSignalBlocker quiet(window->Check4);
        window->Check4->setChecked(true);
    }
    window->Check4_Click();
    EXPECT_EQ(form, nullptr);
    EXPECT_EQ(platform.dialogs.shown.size(), 2u);
}

} // namespace
