#pragma once
// A stand-in for "Word.Application" in the class registry, for as long as it lives. It records
// every member call with its arguments, lets a test look at the window as each call arrives,
// writes the file that SaveAs names (when its folder exists), and fails where a test says.

#include "convert/automation/AutomationObject.h"

#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

struct WordCall {
    int instance; // 1 for the first "Word.Application" created, 2 for the next, ...
    QString member;
    PositionalArguments positional;
    NamedArguments named;
};

class FakeWord {
public:
    FakeWord();
    ~FakeWord();
    FakeWord(const FakeWord &) = delete;
    FakeWord &operator=(const FakeWord &) = delete;

    // Makes member fail with error in every instance whose document is documentPath (any
    // document when empty).
    void failOn(const QString &member, const AutomationError &error, const QString &documentPath = {});

    std::vector<WordCall> calls;
    int instancesCreated = 0;
    // Runs as each call arrives, before it answers.
    std::function<void(const WordCall &)> onCall;

    // "Documents", "Open", ... in call order, for one instance or for all (0).
    QStringList members(int instance = 0) const;
    std::optional<WordCall> lastCallTo(const QString &member) const;
    QStringList openedPaths() const;

private:
    friend class FakeWordObject;
    struct Failure {
        QString member;
        QString documentPath;
        AutomationError error;
    };
    void record(const WordCall &call, const QString &documentPath);
    std::vector<Failure> failures_;
};

// A running "Word.Application" as another program would have left it: only its default member
// is ever read; any other call is recorded as a change the warning must never make.
class RunningWord : public AutomationObject {
public:
    explicit RunningWord(Variant defaultMember) : defaultMember_(std::move(defaultMember)) {}
    Variant Invoke(const QString &member, const PositionalArguments &, const NamedArguments &) override
    {
        membersCalled << member;
        return {};
    }
    Variant DefaultMember() override
    {
        ++defaultMemberReads;
        return defaultMember_;
    }
    QStringList membersCalled;
    int defaultMemberReads = 0;

private:
    Variant defaultMember_;
};
