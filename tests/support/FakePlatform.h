// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fakes of the window's seams: a test sets the next answers in advance and reads back what was
// shown, so the real window is driven without anybody at the screen and no dialog blocks.

#include "Platform.h"

#include <QCoreApplication>

#include <deque>
#include <functional>

// kind: "information", "askYesNo", "inputBox", "browseForFolder" or "openFiles"; text: the
// message, prompt or title; defaultText: what an input box offers.
struct ShownDialog {
    QString kind, text, defaultText = {};
};

struct FakeDialogs : Dialogs {
    std::deque<bool> yesNoAnswers;                   // default when empty: Yes
    std::deque<QString> inputAnswers, folderAnswers; // default when empty: Cancel ("")
    std::deque<OpenFilesResult> fileAnswers;         // default when empty: Cancel
    std::vector<ShownDialog> shown;
    std::vector<OpenFilesRequest> fileRequests;
    // Sees each dialog as it is shown, to throw a failure from inside a command.
    std::function<void(const ShownDialog &)> onShow;

    void information(QWidget *, const QString &text) override { show({"information", text}); }
    bool askYesNo(QWidget *, const QString &text) override { return answer(yesNoAnswers, {"askYesNo", text}, true); }
    QString inputBox(QWidget *, const QString &prompt, const QString &defaultText) override
    {
        return answer(inputAnswers, {"inputBox", prompt, defaultText});
    }
    QString browseForFolder(QWidget *, const QString &title) override
    {
        return answer(folderAnswers, {"browseForFolder", title});
    }
    OpenFilesResult openFiles(QWidget *, const OpenFilesRequest &request) override
    {
        const OpenFilesResult result = answer(fileAnswers, {"openFiles", request.title});
        fileRequests.push_back(request);
        return result;
    }

    QStringList messages() const
    {
        QStringList texts;
        for (const ShownDialog &dialog : shown)
            if (dialog.kind == "information" || dialog.kind == "askYesNo")
                texts << dialog.text;
        return texts;
    }

private:
    void show(const ShownDialog &dialog)
    {
        shown.push_back(dialog);
        if (onShow)
            onShow(dialog);
    }
    // Shows dialog and gives the next of answers, or fallback when none is left.
    template <typename T>
    T answer(std::deque<T> &answers, const ShownDialog &dialog, T fallback = T())
    {
        show(dialog);
        if (!answers.empty()) {
            fallback = answers.front();
            answers.pop_front();
        }
        return fallback;
    }
};

struct FakeShell : Shell {
    std::vector<QStringList> launches; // program followed by its arguments
    bool launchSucceeds = true;
    bool launchDetached(const QString &program, const QStringList &arguments) override
    {
        launches.push_back(QStringList{program} + arguments);
        return launchSucceeds;
    }
};

struct FakeRandom : RandomSource {
    float value = 0.5f; // draws 51 by default, never the home page
    void seed(float) override {}
    float next() override { return value; }
};

struct FakeScreen : Screen {
    QRect geometry{0, 0, 1280, 1024};
    QRect primaryGeometry() const override { return geometry; }
};

// Everything a test window needs, owned in one place. The program's folder is the test
// program's own, where the build puts HAND-M.CUR and drag.ico, unless a test names another.
struct FakePlatform {
    FakeDialogs dialogs;
    FakeShell shell;
    FakeRandom random;
    FakeScreen screen;
    QString programDirectory = QCoreApplication::applicationDirPath();
    Platform bundle() { return Platform{dialogs, shell, random, screen, programDirectory}; }
};
