#pragma once
// A stand-in for "Word.Application" in the class registry while it lives. It records every member
// call; onCall sees each call before it is answered, to look at the window or to throw a failure.

#include "ObjectRegistry.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

// Readable failures for the arguments of a call.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
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

    std::vector<WordCall> calls;
    int instancesCreated = 0;
    std::function<void(const WordCall &)> onCall;

    // "Documents", "Open", ... in call order, of one instance or of all (0).
    QStringList members(int instance = 0) const
    {
        QStringList names;
        for (const WordCall &call : calls)
            if (instance == 0 || call.instance == instance)
                names << call.member;
        return names;
    }
    QStringList openedPaths() const
    {
        QStringList paths;
        for (const WordCall &call : calls)
            if (call.member == QLatin1String("Open"))
                paths << call.positional.front().toText();
        return paths;
    }
};

// The application, its documents collection and its document, told apart by kind.
class FakeWordObject : public AutomationObject {
public:
    enum class Kind { Application, Documents, Document };
    FakeWordObject(FakeWord &word, int instance, Kind kind)
        : word_(word)
        , instance_(instance)
        , kind_(kind)
    {
    }

    Variant Invoke(const QString &member, const PositionalArguments &positional, const NamedArguments &named) override
    {
        word_.calls.push_back({instance_, member, positional, named});
        if (word_.onCall)
            word_.onCall(word_.calls.back());
        const auto is = [&](Kind kind, const char *name) { return kind_ == kind && member == QLatin1String(name); };
        if (is(Kind::Application, "Documents") || is(Kind::Documents, "Open"))
            return ObjectRef(std::make_shared<FakeWordObject>(word_, instance_, Kind(int(kind_) + 1)));
        if (is(Kind::Application, "Quit") || is(Kind::Document, "SaveAs"))
            return {};
        throw AutomationError(AutomationErrorNumber::UnknownMember, QStringLiteral("No member ") + member);
    }
    Variant DefaultMember() override { return QStringLiteral("Microsoft Word"); }

private:
    FakeWord &word_;
    int instance_;
    Kind kind_;
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
