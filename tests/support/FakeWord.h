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
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <vector>

// Readable failures for the arguments of a call.
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
    FakeWord(const FakeWord &) = delete;
    FakeWord &operator=(const FakeWord &) = delete;

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
    // The document that instance opened; empty before its Open.
    QString openedIn(int instance) const
    {
        for (const WordCall &call : calls())
            if (call.instance == instance && call.member == QLatin1String("Open"))
                return call.positional.front().toText();
        return {};
    }
    QStringList openedPaths() const
    {
        QStringList paths;
        for (const WordCall &call : calls())
            if (call.member == QLatin1String("Open"))
                paths << call.positional.front().toText();
        return paths;
    }

private:
    mutable std::mutex mutex;
    std::vector<WordCall> calls_;
};

// The application, its documents collection and its document, told apart by kind.
class FakeWordObject : public AutomationObject {
public:
    enum class Kind { Application, Documents, Document };
    FakeWordObject(FakeWord &word, int instance, Kind kind, QString document = {})
        : word_(word)
        , instance_(instance)
        , kind_(kind)
        , document_(std::move(document))
    {
    }

    Variant Invoke(const QString &member, const PositionalArguments &positional, const NamedArguments &named) override
    {
        const WordCall call{instance_, member, positional, named};
        word_.record(call);
        if (word_.onCall)
            word_.onCall(call);
        const auto is = [&](Kind kind, const char *name) { return kind_ == kind && member == QLatin1String(name); };
        if (is(Kind::Application, "Documents"))
            return ObjectRef(std::make_shared<FakeWordObject>(word_, instance_, Kind::Documents));
        if (is(Kind::Documents, "Open"))
            return ObjectRef(
                std::make_shared<FakeWordObject>(word_, instance_, Kind::Document, positional.front().toText()));
        if (is(Kind::Document, "SaveAs")) {
            if (word_.writePages)
                PublishHtml(named.front().second.toText(), [this](const QString &page) { write(page); });
            return {};
        }
        if (is(Kind::Application, "Quit"))
            return {};
        throw AutomationError(AutomationErrorNumber::UnknownMember, QStringLiteral("No member ") + member);
    }
    Variant DefaultMember() override { return QStringLiteral("Microsoft Word"); }

private:
    void write(const QString &page) const
    {
        QFile file(page);
        if (file.open(QIODevice::WriteOnly))
            file.write(QStringLiteral("<html><body>%1</body></html>").arg(document_).toUtf8());
    }

    FakeWord &word_;
    int instance_;
    Kind kind_;
    QString document_;
};

inline FakeWord::FakeWord()
{
    RegisterClass(QStringLiteral("Word.Application"), [this] {
        return std::make_shared<FakeWordObject>(*this, ++instancesCreated, FakeWordObject::Kind::Application);
    });
}

// A "Word.Application" that another program left running, whose default member reads name (or
// cannot be read without one). Any member called on it is noted: the warning must change nothing.
class RunningWord : public AutomationObject {
public:
    explicit RunningWord(std::optional<Variant> name)
        : name_(std::move(name))
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
        if (!name_)
            throw AutomationError(AutomationErrorNumber::EngineGone, "gone");
        return *name_;
    }
    QStringList membersCalled;
    int defaultMemberReads = 0;

private:
    std::optional<Variant> name_;
};
