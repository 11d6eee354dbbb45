// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A run of the window as a user starts it: a folder's documents imported with "Add All Word Files
// In Folder" and converted with "Convert to HTML".

#include "FakePlatform.h"
#include "Form1.h"

#include <QTimer>
#include <QToolButton>

// Imports the folder's .doc documents into the shown window, and converts them once the event
// loop runs.
inline void ConvertFolder(Form1 &form, FakeDialogs &dialogs, const QString &folder)
{
    dialogs.inputAnswers = {"doc"};
    dialogs.folderAnswers = {folder};
    form.findChild<QToolButton *>("Check4")->click();
    QTimer::singleShot(0, &form, [&form] { form.findChild<QToolButton *>("Check2")->click(); });
}
