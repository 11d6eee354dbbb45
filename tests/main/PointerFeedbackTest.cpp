// The pointer over the window: the hand from HAND-M.CUR over the command buttons, the arrow
// over the background, and the hourglass of a running command kept everywhere.
// HAND-M.CUR lies beside this test program, as it lies beside the real one.
#include "main/CursorFile.h"
#include "main/Form1.h"
#include "support/ShownWindow.h"

#include <QBitmap>
#include <QProgressBar>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

class PointerFeedback : public ShownWindow {
protected:
    void moveOver(QWidget *widget, QPoint at = {-1, -1})
    {
        QTest::mouseMove(widget, at == QPoint(-1, -1) ? widget->rect().center() : at);
    }
    // A point of the window's background: the margin left of the progress bar.
    void moveOverBackground() { moveOver(&form, QPoint(3, 300)); }
    Qt::CursorShape shapeOver(QWidget *widget) const { return widget->cursor().shape(); }
};

TEST_F(PointerFeedback, HandOverEachCommandButtonArrowBackOverTheBackground)
{
    for (QToolButton *button : {form.Check1, form.Check4, form.Check2}) {
        SCOPED_TRACE(button->text().toStdString());
        moveOverBackground();
        EXPECT_EQ(form.MousePointer(), vbDefault);
        EXPECT_EQ(shapeOver(button), Qt::ArrowCursor);
        moveOver(button);
        EXPECT_EQ(form.MousePointer(), vbCustom);
        EXPECT_EQ(shapeOver(button), Qt::BitmapCursor);
        EXPECT_EQ(button->cursor().hotSpot(), QPoint(11, 1));
    }
    moveOverBackground();
    EXPECT_EQ(form.MousePointer(), vbDefault);
    EXPECT_EQ(shapeOver(&form), Qt::ArrowCursor);
}

TEST_F(PointerFeedback, OptionButtonsAndProgressBarKeepTheHand)
{
    moveOver(form.Check1);
    moveOver(form.Option1);
    moveOver(form.Option2);
    moveOver(form.ProgressBar1);
    EXPECT_EQ(form.MousePointer(), vbCustom);
    EXPECT_EQ(shapeOver(form.ProgressBar1), Qt::BitmapCursor);
    moveOverBackground();
    moveOver(form.Option1);
    EXPECT_EQ(form.MousePointer(), vbDefault);
}

TEST_F(PointerFeedback, HourglassStaysOverButtonsAndBackground)
{
    form.setMousePointer(vbHourglass);
    for (QToolButton *button : {form.Check1, form.Check4, form.Check2})
        moveOver(button);
    moveOverBackground();
    EXPECT_EQ(form.MousePointer(), vbHourglass);
    EXPECT_EQ(shapeOver(&form), Qt::WaitCursor);
}

TEST_F(PointerFeedback, PointerStateCoversEveryControlOfTheWindow)
{
    const std::vector<QWidget *> controls{form.Check1, form.Check4, form.Check2, form.Option1, form.Option2,
                                          form.ProgressBar1, form.ListView1, form.ListView1->viewport()};
    for (int state : {vbHourglass, vbCustom, vbDefault}) {
        form.setMousePointer(state);
        for (QWidget *control : controls)
            EXPECT_EQ(control->cursor().shape(), form.cursor().shape())
                << "state " << state << " over " << control->metaObject()->className();
    }
}

class CursorFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString write(const QByteArray &bytes)
    {
        const QString path = dir.filePath("pointer.cur");
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }
};

TEST_F(CursorFileTest, HandCursorIs32By32WithItsHotSpotAtTheFingertip)
{
    const auto hand = loadCursorFile(Form1::programDirectory() + "/HAND-M.CUR");
    ASSERT_TRUE(hand.has_value());
    EXPECT_EQ(hand->pixmap().size(), QSize(32, 32));
    EXPECT_EQ(hand->hotSpot(), QPoint(11, 1));
    // The fingertip is drawn, the corner beside it is transparent.
    const QImage image = hand->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(image.pixel(11, 1)), 255);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
}

TEST_F(CursorFileTest, DragPictureLoadsWithItsHotSpotInTheMiddle)
{
    const auto drag = loadCursorFile(Form1::programDirectory() + "/drag.ico");
    ASSERT_TRUE(drag.has_value());
    EXPECT_EQ(drag->pixmap().size(), QSize(32, 32));
    EXPECT_EQ(drag->hotSpot(), QPoint(16, 16));
}

TEST_F(CursorFileTest, FilesThatAreNoPointerGiveNothing)
{
    QFile real(Form1::programDirectory() + "/HAND-M.CUR");
    ASSERT_TRUE(real.open(QIODevice::ReadOnly));
    const QByteArray cursor = real.readAll();
    EXPECT_FALSE(loadCursorFile(dir.filePath("missing.cur")));
    EXPECT_FALSE(loadCursorFile(write({})));
    EXPECT_FALSE(loadCursorFile(write("not a cursor at all, just some text")));
    EXPECT_FALSE(loadCursorFile(write(cursor.left(22))));
    EXPECT_FALSE(loadCursorFile(write(cursor.left(60))));
    EXPECT_FALSE(loadCursorFile(dir.path()));
}

} // namespace
