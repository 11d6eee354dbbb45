// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FocusHolder.h"

#include "AccessibleControls.h"

FocusHolder::FocusHolder(const QString &caption, QWidget *parent)
    : QPushButton(parent)
{
    // Before the caption: a screen reader may ask about the button as soon as it has one.
    InstallAccessibleControls();
    setText(caption);
}
