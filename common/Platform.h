// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Seams between the program and what a test cannot drive by hand: modal dialogs, the shell
// launch, the random draw, the screen and the program's own folder. The program uses the Qt
// implementations of main/; tests pass fakes.

#include <QRect>
#include <QString>
#include <QStringList>

class QWidget;

// What the add-files dialog is asked to show (already translated from the dialog settings).
struct OpenFilesRequest {
    QString title;
    QStringList nameFilters; // Qt form, "Word Documents (*.do*)", ...; the first is active
    bool multiSelect = false;
};

// Outcome of the add-files dialog: the chosen full paths, empty on Cancel; failed when the
// dialog itself could not be shown.
struct OpenFilesResult {
    QStringList paths;
    bool failed = false;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Message box with an OK button and no icon, titled with the application title.
    virtual void information(QWidget *owner, const QString &text) = 0;
    // Message box with Yes and No, Yes the default, no icon; true when the answer is Yes.
    virtual bool askYesNo(QWidget *owner, const QString &text) = 0;
    // Standard input box; empty text on Cancel.
    virtual QString inputBox(QWidget *owner, const QString &prompt, const QString &defaultText) = 0;
    // Modal folder chooser; the folder without a trailing "/" (except "/"), empty on Cancel.
    virtual QString browseForFolder(QWidget *owner, const QString &title) = 0;
    // Modal file-open dialog.
    virtual OpenFilesResult openFiles(QWidget *owner, const OpenFilesRequest &request) = 0;
};

class Shell {
public:
    virtual ~Shell() = default;
    // Starts a program without waiting for it; false when it could not be started.
    virtual bool launchDetached(const QString &program, const QStringList &arguments) = 0;
};

class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void seed(float seconds) = 0;
    // A number r with 0 <= r < 1.
    virtual float next() = 0;
};

class Screen {
public:
    virtual ~Screen() = default;
    // The primary display's geometry in pixels.
    virtual QRect primaryGeometry() const = 0;
};

// The bundle that the window is created with.
struct Platform {
    Dialogs &dialogs;
    Shell &shell;
    RandomSource &random;
    Screen &screen;
    // The folder that holds the program and its cursor files, without a trailing "/" (except "/").
    QString programDirectory;
};
