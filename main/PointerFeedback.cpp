// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's pointer: the hand over the three command buttons, the arrow over the
// background, and never in place of the hourglass of a running command.
#include "Form1.h"

void Form1::setMousePointer(int state)
{
    mousePointer = state;
    switch (state) {
    case BusyPointer:
        setCursor(Qt::WaitCursor);
        break;
    case CustomPointer:
        setCursor(handCursor);
        break;
    default:
        setCursor(Qt::ArrowCursor);
        break;
    }
}

void Form1::showPointerUnlessBusy(int state)
{
    if (MousePointer() != BusyPointer)
        setMousePointer(state);
}

void Form1::Form_MouseMove()
{
    showPointerUnlessBusy(DefaultPointer);
}

// The three command buttons show the same hand.
void Form1::CommandButton_MouseMove()
{
    showPointerUnlessBusy(CustomPointer);
}
