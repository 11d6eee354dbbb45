// Start-up where HAND-M.CUR is missing or damaged: built into a folder of its own.
#include "main/Form1.h"
#include "support/ShownWindow.h"

#include <QToolButton>

#ifndef HAND_CURSOR_CASE
#define HAND_CURSOR_CASE HandCursorMissing
#endif
using HAND_CURSOR_CASE = ShownWindow;

TEST_F(HAND_CURSOR_CASE, StartUpCompletesAndTheHandLooksLikeTheArrow)
{
    EXPECT_TRUE(platform.dialogs.shown.empty());
    EXPECT_EQ(form.windowTitle(), "Quorvane");
    QTest::mouseMove(form.Check1, form.Check1->rect().center());
    EXPECT_EQ(form.MousePointer(), vbCustom);
    EXPECT_EQ(form.Check1->cursor().shape(), Qt::ArrowCursor);
}
