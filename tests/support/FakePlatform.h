#pragma once
// Fakes of the window's seams: a test sets the next answers in advance and reads back what was
// shown, so the real window is driven without anybody at the screen and no dialog blocks.

#include "Platform.h"

#include <QCoreApplication>
#include <QRect>
#include <QStringList>

#include <deque>
#include <functional>

struct ShownDialog {
    QString kind; // "information", "askYesNo", "inputBox", "browseForFolder", "openFiles"
    QString text; // the message, prompt or title
    QString defaultText;
};

class FakeDialogs : public Dialogs {
public:
    std::deque<bool> yesNoAnswers;           // default when empty: Yes
    std::deque<QString> inputAnswers;        // default when empty: Cancel ("")
    std::deque<QString> folderAnswers;       // default when empty: Cancel ("")
    std::deque<OpenFilesResult> fileAnswers; // default when empty: Cancel
    std::vector<ShownDialog> shown;
    std::vector<OpenFilesRequest> fileRequests;
    // Sees each dialog as it is shown, to throw a failure from inside a command.
    std::function<void(const ShownDialog &)> onShow;

    void information(QWidget *, const QString &text) override { show({"information", text, {}}); }
    bool askYesNo(QWidget *, const QString &text) override
    {
        show({"askYesNo", text, {}});
        return take(yesNoAnswers, true);
    }
    QString inputBox(QWidget *, const QString &prompt, const QString &defaultText) override
    {
        show({"inputBox", prompt, defaultText});
        return take(inputAnswers, QString());
    }
    QString browseForFolder(QWidget *, const QString &title) override
    {
        show({"browseForFolder", title, {}});
        return take(folderAnswers, QString());
    }
    OpenFilesResult openFiles(QWidget *, const OpenFilesRequest &request) override
    {
        show({"openFiles", request.title, {}});
        fileRequests.push_back(request);
        return take(fileAnswers, OpenFilesResult{});
    }

    QStringList messages() const
    {
        QStringList texts;
        for (const auto &dialog : shown)
            if (dialog.kind == QLatin1String("information") || dialog.kind == QLatin1String("askYesNo"))
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
    template <typename T>
    static T take(std::deque<T> &queue, T fallback)
    {
        if (queue.empty())
            return fallback;
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};

class FakeShell : public Shell {
public:
    std::vector<QStringList> launches; // program followed by its arguments
    bool launchSucceeds = true;
    bool launchDetached(const QString &program, const QStringList &arguments) override
    {
        launches.push_back(QStringList{program} + arguments);
        return launchSucceeds;
    }
};

class FakeRandom : public RandomSource {
public:
    float value = 0.5f; // draws 51 by default, never the home page
    std::vector<float> seeds;
    void seed(float seconds) override { seeds.push_back(seconds); }
    float next() override { return value; }
};

class FakeScreen : public Screen {
public:
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
