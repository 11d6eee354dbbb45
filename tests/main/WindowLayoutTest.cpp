// The main window as the user first sees it: places, captions, fonts, colours, pictures,
// keyboard order and the list's column.
#include "main/Form1.h"
#include "support/FakePlatform.h"

#include <QFile>
#include <QFontInfo>
#include <QHelpEvent>
#include <QHeaderView>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolTip>
#include <QToolButton>
#include <QTreeWidget>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

class WindowLayout : public ::testing::Test {
protected:
    FakePlatform platform;
    Form1 form{platform.bundle()};

    void showActive()
    {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
};

TEST_F(WindowLayout, ClientAreaIs7320By4830TwipsAndCannotBeResized)
{
    EXPECT_EQ(form.size(), QSize(488, 322));
    EXPECT_EQ(form.minimumSize(), QSize(488, 322));
    EXPECT_EQ(form.maximumSize(), QSize(488, 322));
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowCloseButtonHint);
}

TEST_F(WindowLayout, EveryControlSitsAtItsTwipRectangle)
{
    EXPECT_EQ(form.ListView1->geometry(), QRect(8, 8, 472, 153));
    EXPECT_EQ(form.Option1->geometry(), QRect(16, 168, 73, 22));
    EXPECT_EQ(form.Option2->geometry(), QRect(104, 168, 76, 22));
    EXPECT_EQ(form.Check1->geometry(), QRect(8, 192, 153, 89));
    EXPECT_EQ(form.Check4->geometry(), QRect(168, 192, 153, 89));
    EXPECT_EQ(form.Check2->geometry(), QRect(328, 192, 152, 89));
    EXPECT_EQ(form.ProgressBar1->geometry(), QRect(8, 289, 472, 25));
    // Wholly left of the client area, so it is never seen.
    EXPECT_EQ(form.Command1->geometry(), QRect(-48, 176, 41, 33));
}

TEST_F(WindowLayout, CaptionsAreTheOnesTheUserReads)
{
    EXPECT_EQ(form.windowTitle(), "Quorvane");
    EXPECT_EQ(form.Option1->text(), "Normal");
    EXPECT_EQ(form.Option2->text(), "Filtered");
    EXPECT_EQ(form.Check1->text(), "Add Word File(s)");
    EXPECT_EQ(form.Check4->text(), " Add All Word Files In Folder");
    EXPECT_EQ(form.Check2->text(), "Convert to HTML");
    EXPECT_EQ(form.Command1->text(), "Command1");
    EXPECT_EQ(form.ListView1->toolTip(), "Drag and drop files here. Double-click item to remove it. "
                                         "Move bar to right and out of window to reveal full names.");
}

TEST_F(WindowLayout, ListShowsItsTipOverEntriesAndOverItsEmptyPart)
{
    showActive();
    form.AddDocumentPath("/home/ann/report.doc");
    QWidget *viewport = form.ListView1->viewport();
    const QPoint overEntry = form.ListView1->visualItemRect(form.ListView1->topLevelItem(0)).center();
    for (const QPoint at : {overEntry, QPoint(20, viewport->height() - 10)}) {
        QHelpEvent help(QEvent::ToolTip, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &help);
        EXPECT_TRUE(QToolTip::isVisible()) << at.y();
        EXPECT_EQ(QToolTip::text(), form.ListView1->toolTip()) << at.y();
        QToolTip::hideText();
    }
}

TEST_F(WindowLayout, TextIsArialBoldOrItsMetricTwin)
{
    const auto expectArialBold = [](QWidget *widget, double points) {
        SCOPED_TRACE(widget->metaObject()->className());
        EXPECT_DOUBLE_EQ(widget->font().pointSizeF(), points);
        EXPECT_TRUE(widget->font().bold());
        const QString family = QFontInfo(widget->font()).family();
        EXPECT_TRUE(family == "Arial" || family == "Liberation Sans") << family.toStdString();
    };
    expectArialBold(form.ListView1, 9);
    expectArialBold(form.Option1, 9);
    expectArialBold(form.Option2, 9);
    for (QToolButton *button : {form.Check1, form.Check4, form.Check2})
        expectArialBold(button, 11.25);
    EXPECT_FALSE(form.Command1->font().bold());
}

TEST_F(WindowLayout, WindowButtonsOptionsAndProgressBarAreWhite)
{
    EXPECT_EQ(form.palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_TRUE(form.autoFillBackground());
    for (QWidget *widget : std::initializer_list<QWidget *>{form.Option1, form.Option2})
        EXPECT_EQ(widget->palette().color(QPalette::Window), QColor(Qt::white));
    for (QToolButton *button : {form.Check1, form.Check4, form.Check2})
        EXPECT_EQ(button->palette().color(QPalette::Button), QColor(Qt::white));
    EXPECT_EQ(form.ProgressBar1->palette().color(QPalette::Base), QColor(Qt::white));
}

TEST_F(WindowLayout, WindowIconIs32By32AndWhollyTransparent)
{
    const QImage icon = form.windowIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(icon.size(), QSize(32, 32));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(qAlpha(icon.pixel(x, y)), 0) << x << "," << y;
}

// Bits per pixel of the first picture in an icon file, from its bitmap header.
int iconBitsPerPixel(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    return bytes.size() < 38 ? -1 : qFromLittleEndian<quint16>(bytes.constData() + 6 + 16 + 14);
}

TEST_F(WindowLayout, ButtonPicturesAre32By32InTheirColourDepths)
{
    for (QToolButton *button : {form.Check1, form.Check4, form.Check2}) {
        EXPECT_EQ(button->iconSize(), QSize(32, 32));
        EXPECT_EQ(button->icon().pixmap(32, 32).size(), QSize(32, 32)) << button->text().toStdString();
    }
    EXPECT_EQ(iconBitsPerPixel(":/pictures/check1.ico"), 24);
    EXPECT_EQ(iconBitsPerPixel(":/pictures/check4.ico"), 8);
    EXPECT_EQ(iconBitsPerPixel(":/pictures/check2.ico"), 24);
}

TEST_F(WindowLayout, PictureButtonsStartReleasedAndLookPressedWhileSet)
{
    showActive();
    for (QToolButton *button : {form.Check1, form.Check4, form.Check2}) {
        EXPECT_TRUE(button->isCheckable());
        EXPECT_FALSE(button->isChecked());
        const QImage released = button->grab().toImage();
        const QSignalBlocker noCommand(button);
        button->setChecked(true);
        EXPECT_NE(button->grab().toImage(), released) << button->text().toStdString();
        button->setChecked(false);
        EXPECT_EQ(button->grab().toImage(), released) << button->text().toStdString();
    }
}

TEST_F(WindowLayout, NormalIsSelectedAndTheTwoOptionsExcludeEachOther)
{
    EXPECT_TRUE(form.Option1->isChecked());
    EXPECT_FALSE(form.Option2->isChecked());
    showActive();
    QTest::mouseClick(form.Option2, Qt::LeftButton);
    EXPECT_FALSE(form.Option1->isChecked());
    EXPECT_TRUE(form.Option2->isChecked());
}

TEST_F(WindowLayout, HiddenCommandButtonHoldsTheFocusAtStart)
{
    showActive();
    EXPECT_EQ(QApplication::focusWidget(), form.Command1);
}

TEST_F(WindowLayout, HiddenCommandButtonDoesNothingWhenActivated)
{
    showActive();
    QTest::keyClick(form.Command1, Qt::Key_Return);
    QTest::keyClick(form.Command1, Qt::Key_Space);
    EXPECT_TRUE(platform.dialogs.shown.empty());
    EXPECT_EQ(form.ListCount(), 0);
    for (QToolButton *button : {form.Check1, form.Check4, form.Check2})
        EXPECT_FALSE(button->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), form.Command1);
}

TEST_F(WindowLayout, TabVisitsButtonsAndListInTheirOrder)
{
    showActive();
    const std::vector<QWidget *> expected{form.Check1, form.Check2, form.ListView1, form.Check4, form.Option1};
    for (QWidget *next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->metaObject()->className();
    }
}

TEST_F(WindowLayout, ListHasOneColumnWordFiles6000TwipsWide)
{
    EXPECT_EQ(form.ListView1->columnCount(), 1);
    EXPECT_EQ(form.ListView1->headerItem()->text(0), "Word File(s)");
    EXPECT_EQ(form.ListView1->columnWidth(0), 400);
    EXPECT_EQ(form.ListView1->topLevelItemCount(), 0);
    showActive();
    EXPECT_EQ(form.ListView1->header()->sectionSize(0), 400);
}

TEST_F(WindowLayout, ProgressBarRunsFrom0To100AndStartsEmpty)
{
    EXPECT_EQ(form.ProgressBar1->minimum(), 0);
    EXPECT_EQ(form.ProgressBar1->maximum(), 100);
    EXPECT_EQ(form.ProgressBar1->value(), 0);
    EXPECT_EQ(form.ProgressBar1->orientation(), Qt::Horizontal);
}

} // namespace
