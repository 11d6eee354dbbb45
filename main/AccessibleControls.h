// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What assistive technology, a screen reader say, is told of the window's own kinds of control:
// a picture button is a push button named by its caption, and the focus holder is not there at
// all, neither among the window's controls nor when it holds the focus.

// Makes it so for every picture button and focus holder; each calls it before it has a caption.
void InstallAccessibleControls();
