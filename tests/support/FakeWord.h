// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A stand-in for "Word.Application" in the class registry while it lives. It records every member
// call, from whichever thread; onCall sees each call before it is answered, to look at the run or
// to throw a failure. SaveAs writes a small page naming the document at the FileName it is given,
// staged and put in place there as the office engine's pages are.

#include "ObjectRegistry.h"
#include "PrintQt.h"
#include "PublishHtml.h"
#include "RunningObjects.h"

#include <QFile>
#include <QStringList>

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <vector>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

inline void PrintTo(const Variant &value, std::ostream *out)
{
    *out << value.describe().toStdString();
}

struct WordCall {
    int instance; // 1 for the first "Word.Application" created, 2 for the next, ...
    QString member;
    PositionalArguments positional;
    NamedArguments named;
};

class FakeWord {
public:
    FakeWord()
    {
        RegisterClass(QStringLiteral("Word.Application"),
                      [this] { return std::make_shared<Object>(*this, ++instancesCreated); },
                      {[this](int count, std::chrono::milliseconds) {
                           std::lock_guard lock(mutex);
                           prepared_.push_back(count);
                       },
                       {}});
    }
    ~FakeWord() { UnregisterClass(QStringLiteral("Word.Application")); }

    std::atomic_int instancesCreated = 0;
    std::function<void(const WordCall &)> onCall;

    std::vector<WordCall> calls() const
    {
        std::lock_guard lock(mutex);
        return calls_;
    }
    void clear()
    {
        std::lock_guard lock(mutex);
        calls_.clear();
    }
    // "Documents", "Open", ... in call order, of one instance or of all (0).
    QStringList members(int instance = 0) const
    {
        QStringList names;
        for (const WordCall &call : calls())
            if (instance == 0 || call.instance == instance)
                names << call.member;
        return names;
    }
    // The count of each preparation of instances, in order.
    std::vector<int> prepared() const
    {
        std::lock_guard lock(mutex);
        return prepared_;
    }
    QString openedIn(int instance) const
    {
        for (const WordCall &call : calls())
            if (call.member == QLatin1String("Open") && call.instance == instance)
                return call.positional.front().toText();
        return {};
    }

private:
    // The application, its documents collection or a document of that instance.
    class Object : public AutomationObject {
    public:
        Object(FakeWord &word, int instance)
            : word(word)
            , instance(instance)
        {
        }
        Variant Invoke(const QString &member, const PositionalArguments &positional,
                       const NamedArguments &named) override
        {
            const WordCall call{instance, member, positional, named};
            std::unique_lock lock(word.mutex);
            word.calls_.push_back(call);
            lock.unlock();
            if (word.onCall)
                word.onCall(call);
            if (member == QLatin1String("Documents") || member == QLatin1String("Open"))
                return ObjectRef(std::make_shared<Object>(word, instance));
            if (member == QLatin1String("SaveAs"))
                PublishHtml(named.front().second.toText(), [this](StagedPage &staged) {
                    QFile file(staged.pagePath());
                    file.open(QIODevice::WriteOnly)
                        && file.write(
                            QStringLiteral("<html><body>%1</body></html>").arg(word.openedIn(instance)).toUtf8());
                });
            return {};
        }
        Variant DefaultMember() override { return QStringLiteral("Microsoft Word"); }

    private:
        FakeWord &word;
        int instance;
    };

    mutable std::mutex mutex;
    std::vector<WordCall> calls_;
    std::vector<int> prepared_;
};

// A "Word.Application" that another program left running, whose default member reads name (or
// cannot be read without one). Any member called on it is noted: the warning must change nothing.
struct RunningWord : AutomationObject {
    explicit RunningWord(std::optional<Variant> name)
        : name(std::move(name))
    {
    }
    Variant Invoke(const QString &member, const PositionalArguments &, const NamedArguments &) override
    {
        membersCalled << member;
        return {};
    }
    Variant DefaultMember() override
    {
        ++defaultMemberReads;
        return name ? *name : throw AutomationError(AutomationErrorNumber::EngineGone, "gone");
    }
    std::optional<Variant> name;
    QStringList membersCalled;
    int defaultMemberReads = 0;
};

// A RunningWord registered as running by another process of this user, which ends with this
// object.
class WordOfAnotherProgram {
public:
    explicit WordOfAnotherProgram(std::optional<Variant> name)
    {
        int ready[2];
        if (::pipe(ready) != 0)
            throw std::runtime_error("no pipe");
        pid = ::fork();
        if (pid == 0) {
            const RunningObjectRegistration registration(QStringLiteral("Word.Application"),
                                                         std::make_shared<RunningWord>(std::move(name)));
            [[maybe_unused]] const ssize_t told = ::write(ready[1], "r", 1);
            for (;;)
                ::pause();
        }
        ::close(ready[1]);
        char registered = 0;
        [[maybe_unused]] const ssize_t heard = ::read(ready[0], &registered, 1);
        ::close(ready[0]);
    }
    ~WordOfAnotherProgram()
    {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
    WordOfAnotherProgram(const WordOfAnotherProgram &) = delete;
    WordOfAnotherProgram &operator=(const WordOfAnotherProgram &) = delete;

private:
    pid_t pid = -1;
};
