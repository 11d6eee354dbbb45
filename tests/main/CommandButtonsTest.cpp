// The three picture buttons work as push buttons although they are check boxes: a click runs
// the command once, and the button shows released while the command works.
#include "main/Form1.h"
#include "support/ShownWindow.h"

#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class CommandButtons : public ShownWindow {
protected:
    // Clicks the button; returns the kinds of dialogs its command showed, and checks that the
    // button shows released again.
    QStringList click(QToolButton *button)
    {
        QTest::mouseClick(button, Qt::LeftButton);
        QStringList kinds;
        for (const ShownDialog &dialog : platform.dialogs.shown)
            kinds << dialog.kind;
        EXPECT_FALSE(button->isChecked());
        return kinds;
    }
};

TEST_F(CommandButtons, AddWordFilesOpensTheFileDialogOnce)
{
    EXPECT_EQ(click(form.Check1), QStringList{"openFiles"});
}

TEST_F(CommandButtons, AddAllWordFilesInFolderAsksForTheExtensionOnce)
{
    EXPECT_EQ(click(form.Check4), QStringList{"inputBox"});
}

TEST_F(CommandButtons, ConvertToHtmlOnAnEmptyListSaysSoOnce)
{
    EXPECT_EQ(click(form.Check2), QStringList{"information"});
    EXPECT_EQ(platform.dialogs.messages(), QStringList{"No files added."});
}

TEST_F(CommandButtons, SettingTheStateFromCodeRunsTheCommandAsAClickDoes)
{
    form.Check1->setChecked(true);
    EXPECT_FALSE(form.Check1->isChecked());
    EXPECT_EQ(platform.dialogs.shown.size(), 1u);
}

} // namespace
