// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command button left of the client area, never seen: first in the tab order, it holds the
// keyboard focus when the window opens, so that no visible control shows a focus mark. It does
// nothing, and assistive technology is not told of it.

#include <QPushButton>

class FocusHolder : public QPushButton {
    Q_OBJECT
public:
    FocusHolder(const QString &caption, QWidget *parent);
};
