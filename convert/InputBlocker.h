// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// While one lives, the user's input to the program is dropped, not kept for later: clicks, keys,
// the wheel, moves of the mouse and files dragged onto a window. Painting, timers, moving the
// window, the window manager's messages and the window's close button go on.

#include <QObject>

class InputBlocker : public QObject {
public:
    InputBlocker();
    ~InputBlocker() override;
    InputBlocker(const InputBlocker &) = delete;
    InputBlocker &operator=(const InputBlocker &) = delete;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
