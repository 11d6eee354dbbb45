// The main window as the user sees and uses it: layout, start-up, pointer and picture buttons.
#include "main/Form1.h"
#include "main/HomePage.h"
#include "support/ShownWindow.h"

#include <QFontInfo>
#include <QHeaderView>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>

namespace {

class Window : public ShownWindow {
protected:
    void moveOver(QWidget *widget) { QTest::mouseMove(widget, widget->rect().center()); }
    void moveOverBackground() { QTest::mouseMove(&form, QPoint(3, 300)); } // left of the progress bar
};

TEST_F(Window, ControlsSitAtTheirPlacesWithTheirCaptionsAndFonts)
{
    EXPECT_EQ(form.size(), QSize(488, 322));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_EQ(form.ListView1->geometry(), QRect(8, 8, 472, 153));
    EXPECT_EQ(form.Option1->geometry(), QRect(16, 168, 73, 22));
    EXPECT_EQ(form.Option2->geometry(), QRect(104, 168, 76, 22));
    EXPECT_EQ(form.Check1->geometry(), QRect(8, 192, 153, 89));
    EXPECT_EQ(form.Check4->geometry(), QRect(168, 192, 153, 89));
    EXPECT_EQ(form.Check2->geometry(), QRect(328, 192, 152, 89));
    EXPECT_EQ(form.ProgressBar1->geometry(), QRect(8, 289, 472, 25));
    EXPECT_EQ(form.Command1->geometry(), QRect(-48, 176, 41, 33));

    EXPECT_EQ(form.windowTitle(), "Quorvane");
    EXPECT_EQ(form.Option1->text(), "Normal");
    EXPECT_EQ(form.Option2->text(), "Filtered");
    EXPECT_EQ(form.Check1->text(), "Add Word File(s)");
    EXPECT_EQ(form.Check4->text(), " Add All Word Files In Folder");
    EXPECT_EQ(form.Check2->text(), "Convert to HTML");
    EXPECT_EQ(form.ListView1->toolTip(), "Drag and drop files here. Double-click item to remove it. "
                                         "Move bar to right and out of window to reveal full names.");
    EXPECT_TRUE(form.Option1->isChecked());

    const std::vector<std::pair<QWidget *, double>> fonts{
        {form.ListView1, 9}, {form.Option1, 9}, {form.Option2, 9},
        {form.Check1, 11.25}, {form.Check4, 11.25}, {form.Check2, 11.25}};
    for (const auto &[widget, points] : fonts) {
        const QString family = QFontInfo(widget->font()).family();
        EXPECT_TRUE(family == "Arial" || family == "Liberation Sans") << family.toStdString();
        EXPECT_DOUBLE_EQ(widget->font().pointSizeF(), points);
        EXPECT_TRUE(widget->font().bold());
    }
}

TEST_F(Window, ListHasOneColumnWordFiles6000TwipsWide)
{
    EXPECT_EQ(form.ListView1->columnCount(), 1);
    EXPECT_EQ(form.ListView1->headerItem()->text(0), "Word File(s)");
    EXPECT_EQ(form.ListView1->header()->sectionSize(0), 400);
}

TEST_F(Window, HiddenCommandHasTheFocusAtStartAndTabFollowsTheOrder)
{
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(QApplication::focusWidget(), form.Command1);
    for (QWidget *next : {static_cast<QWidget *>(form.Check1), static_cast<QWidget *>(form.Check2),
                          static_cast<QWidget *>(form.ListView1), static_cast<QWidget *>(form.Check4),
                          static_cast<QWidget *>(form.Option1)}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->metaObject()->className();
    }
}

TEST_F(Window, HandOverThePictureButtonsArrowOverBackgroundAndListHourglassKept)
{
    for (QToolButton *button : {form.Check1, form.Check4, form.Check2}) {
        moveOverBackground();
        EXPECT_EQ(form.MousePointer(), vbDefault);
        EXPECT_EQ(button->cursor().shape(), Qt::ArrowCursor);
        moveOver(button);
        EXPECT_EQ(form.MousePointer(), vbCustom);
        EXPECT_EQ(button->cursor().shape(), Qt::BitmapCursor);
        EXPECT_EQ(button->cursor().hotSpot(), QPoint(11, 1));
    }
    moveOver(form.ListView1->viewport());
    EXPECT_EQ(form.MousePointer(), vbDefault);
    EXPECT_EQ(form.ListView1->viewport()->cursor().shape(), Qt::ArrowCursor);

    form.setMousePointer(vbHourglass);
    for (QWidget *over : {static_cast<QWidget *>(form.Check1), form.ListView1->viewport(), static_cast<QWidget *>(&form)})
        moveOver(over);
    moveOverBackground();
    EXPECT_EQ(form.MousePointer(), vbHourglass);
    EXPECT_EQ(form.Check2->cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(form.ListView1->viewport()->cursor().shape(), Qt::WaitCursor);
}

TEST_F(Window, OneClickOnAPictureButtonRunsItsCommandOnceAndLeavesItReleased)
{
    const std::vector<std::pair<QToolButton *, QString>> cases{
        {form.Check1, "openFiles"}, {form.Check4, "inputBox"}, {form.Check2, "information"}};
    for (const auto &[button, dialog] : cases) {
        platform.dialogs.shown.clear();
        QTest::mouseClick(button, Qt::LeftButton);
        ASSERT_EQ(platform.dialogs.shown.size(), 1u) << dialog.toStdString();
        EXPECT_EQ(platform.dialogs.shown[0].kind, dialog);
        EXPECT_FALSE(button->isChecked());
    }
}

TEST(HomePage, LaunchedOnlyOnADrawOf7AndAFailedLaunchShowsNothing)
{
    // r draws 1 + Int(100 * r): 0.065 draws 7.
    for (float r : {0.0f, 0.0599f, 0.065f, 0.07f, 0.5f, 0.99999f}) {
        for (bool launchSucceeds : {true, false}) {
            FakePlatform platform;
            platform.random.value = r;
            platform.shell.launchSucceeds = launchSucceeds;
            Form1 form(platform.bundle());
            const auto expected = r == 0.065f ? std::vector<QStringList>{{"xdg-open", HomePageAddress}}
                                              : std::vector<QStringList>{};
            EXPECT_EQ(platform.shell.launches, expected) << "r = " << r;
            EXPECT_TRUE(platform.dialogs.shown.empty());
            EXPECT_EQ(form.windowTitle(), "Quorvane");
        }
    }
}

TEST(CenterForm, PlacesTheWindowInTheMiddleOfTheScreenAndOffItOnASmallOne)
{
    FakePlatform platform;
    platform.screen.geometry = QRect(0, 0, 1280, 1024);
    Form1 centred(platform.bundle());
    EXPECT_EQ(centred.pos(), QPoint((1280 - 488) / 2, (1024 - 322) / 2));

    platform.screen.geometry = QRect(0, 0, 400, 300);
    Form1 offScreen(platform.bundle());
    EXPECT_EQ(offScreen.pos(), QPoint(-44, -11));
}

} // namespace
