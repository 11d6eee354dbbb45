// The program directory of this test holds no drag.ico.
#include "ListWindow.h"

TEST_F(ListWindow, WithoutDragPictureThePointerStaysAndTheMoveStillWorks)
{
    ASSERT_FALSE(QFile::exists(Form1::programDirectory() + "/drag.ico"));
    fill({"A", "B", "C", "D", "E"});
    press(rowCentre(2));
    EXPECT_EQ(form.ListMousePointer(), vbDefault);
    EXPECT_EQ(viewport()->cursor().shape(), Qt::ArrowCursor);
    moveTo(rowCentre(3));
    moveTo(rowCentre(4));
    release(rowCentre(4));
    EXPECT_EQ(entries(), QStringList({"A", "C", "D", "B", "E"}));
}
