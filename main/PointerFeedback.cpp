// The main window's pointer: the hand over the three command buttons, the arrow over the
// background, and never in place of the hourglass of a running command.
#include "main/Form1.h"

void Form1::setMousePointer(int state)
{
    mousePointer = state;
    switch (state) {
    case vbHourglass:
        setCursor(Qt::WaitCursor);
        break;
    case vbCustom:
        setCursor(handCursor);
        break;
    default:
        setCursor(Qt::ArrowCursor);
        break;
    }
}

void Form1::Form_MouseMove()
{
    if (MousePointer() != vbHourglass)
        setMousePointer(vbDefault);
}

void Form1::Check1_MouseMove()
{
    if (MousePointer() != vbHourglass)
        setMousePointer(vbCustom);
}

void Form1::Check2_MouseMove()
{
    if (MousePointer() != vbHourglass)
        setMousePointer(vbCustom);
}

void Form1::Check4_MouseMove()
{
    if (MousePointer() != vbHourglass)
        setMousePointer(vbCustom);
}
