// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Word1 module: whether a Word instance is already running, and the warning that lets the
// user stop a conversion run because of it.

class Dialogs;
class QWidget;

namespace Word1 {

// True when a "Word.Application" that another program runs answers to its name "Microsoft Word". Every failure
// on the way means "not running". The instance found is only looked at, never changed.
bool IsWordRunning();

// Asks whether to go on when Word seems to be running. True when the run is to be cancelled.
bool WarnIfWordRunning(Dialogs &dialogs, QWidget *owner);

} // namespace Word1
