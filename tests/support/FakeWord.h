#pragma once
// A stand-in for "Word.Application" in the class registry while it lives. It records every member
// call, from whichever thread; onCall sees each call before it is answered, to look at the run or
// to throw a failure. With writePages, SaveAs writes a small page naming the document, staged and
// put in place as the office engine's pages are.

#include "ObjectRegistry.h"
#include "PrintQt.h"
#include "PublishHtml.h"

#include <QFile>
#include <QStringList>

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

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
    FakeWord();
    ~FakeWord() { UnregisterClass(QStringLiteral("Word.Application")); }

    std::atomic_int instancesCreated = 0;
    std::function<void(const WordCall &)> onCall;
    bool writePages = false;

    void record(const WordCall &call)
    {
        std::lock_guard lock(mutex);
        calls_.push_back(call);
    }
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
    // The documents opened, in call order; or the one that instance opened.
    QStringList openedPaths(int instance = 0) const
    {
        QStringList paths;
        for (const WordCall &call : calls())
            if (call.member == QLatin1String("Open") && (instance == 0 || call.instance == instance))
                paths << call.positional.front().toText();
        return paths;
    }
    QString openedIn(int instance) const { return openedPaths(instance).value(0); }

private:
    mutable std::mutex mutex;
    std::vector<WordCall> calls_;
};

// The application (no document), its documents collection and a document, told apart by what
// each holds.
class FakeWordObject : public AutomationObject {
public:
    FakeWordObject(FakeWord &word, int instance, bool collection = false, QString document = {})
        : word(word)
        , instance(instance)
        , collection(collection)
        , document(std::move(document))
    {
    }

    Variant Invoke(const QString &member, const PositionalArguments &positional, const NamedArguments &named) override
    {
        const WordCall call{instance, member, positional, named};
        word.record(call);
        if (word.onCall)
            word.onCall(call);
        if (member == QLatin1String("Documents") || member == QLatin1String("Open"))
            return ObjectRef(std::make_shared<FakeWordObject>(word, instance, member == QLatin1String("Documents"),
                                                              collection ? positional.front().toText() : QString()));
        if (member == QLatin1String("SaveAs") && word.writePages)
            PublishHtml(named.front().second.toText(), [this](const QString &page) {
                QFile file(page);
                file.open(QIODevice::WriteOnly)
                    && file.write(QStringLiteral("<html><body>%1</body></html>").arg(document).toUtf8());
            });
        return {};
    }
    Variant DefaultMember() override { return QStringLiteral("Microsoft Word"); }

private:
    FakeWord &word;
    int instance;
    bool collection;
    QString document;
};

inline FakeWord::FakeWord()
{
    RegisterClass(QStringLiteral("Word.Application"),
                  [this] { return std::make_shared<FakeWordObject>(*this, ++instancesCreated); });
}

// A "Word.Application" that another program left running, whose default member reads name (or
// cannot be read without one). Any member called on it is noted: the warning must change nothing.
class RunningWord : public AutomationObject {
public:
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
    QStringList membersCalled;
    int defaultMemberReads = 0;

private:
    std::optional<Variant> name;
};
