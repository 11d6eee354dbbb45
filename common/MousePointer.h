// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pointer states: the main window's, one for its whole client area, and the list's own.

enum MousePointerState {
    DefaultPointer = 0, // the ordinary arrow
    ArrowPointer = 1,   // the list's arrow after an in-list move
    BusyPointer = 11,   // the hourglass of a long command
    CustomPointer = 99, // the window's hand over the buttons; the list's drag picture
};

// The main window's pointer as the long commands set it: busy while they work, default after.
class WindowPointer {
public:
    virtual ~WindowPointer() = default;
    virtual int MousePointer() const = 0;
    virtual void setMousePointer(int state) = 0;
};
