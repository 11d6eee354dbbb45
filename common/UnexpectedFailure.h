// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Failures that no command expects (an exception of the program itself, or memory running out)
// end the command with a message rather than the program: the list is never lost to them.

#include <QString>

#include <exception>
#include <functional>

class Dialogs;
class QWidget;

// The failure in words for the user.
QString DescribeUnexpected(const std::exception_ptr &failure);

// "<what> failed: <why>."
QString FailedMessage(const QString &what, const QString &why);

// Runs command. A failure it lets through is told in a message, "<what> failed: <why>.", and
// the command ends there.
void RunCommand(Dialogs &dialogs, QWidget *owner, const QString &what, const std::function<void()> &command);
