// Start-up where HAND-M.CUR is missing, or is no cursor at all: this program is built into a
// folder of its own that holds no such file, or a damaged one.
#include "main/Form1.h"
#include "support/FakePlatform.h"

#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#ifdef QUORVANE_DAMAGED_HAND_CURSOR
#define HAND_CURSOR_CASE HandCursorDamaged
#else
#define HAND_CURSOR_CASE HandCursorMissing
#endif

namespace {

TEST(HAND_CURSOR_CASE, StartUpCompletesAndTheHandLooksLikeTheArrow)
{
    FakePlatform platform;
    Form1 form(platform.bundle());
    EXPECT_TRUE(platform.dialogs.shown.empty());
    EXPECT_EQ(form.windowTitle(), "Quorvane");
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::mouseMove(form.Check1, form.Check1->rect().center());
    EXPECT_EQ(form.MousePointer(), vbCustom);
    EXPECT_EQ(form.Check1->cursor().shape(), Qt::ArrowCursor);
}

} // namespace
