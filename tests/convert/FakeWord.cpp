#include "FakeWord.h"

#include "convert/automation/ObjectRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <memory>

namespace {
const QString WordProgId = QStringLiteral("Word.Application");
}

// The application, its documents collection and its document: one class, told apart by kind.
// The three objects of one instance share the path of the document it opened.
class FakeWordObject : public AutomationObject {
public:
    enum class Kind { Application, Documents, Document };

    FakeWordObject(FakeWord &word, int instance, Kind kind, std::shared_ptr<QString> documentPath)
        : word_(word), instance_(instance), kind_(kind), documentPath_(std::move(documentPath)) {}

    Variant Invoke(const QString &member, const PositionalArguments &positional, const NamedArguments &named) override
    {
        if (kind_ == Kind::Documents && member == QLatin1String("Open") && !positional.empty())
            *documentPath_ = positional.front().toText();
        word_.record({instance_, member, positional, named}, *documentPath_);
        if (kind_ == Kind::Application && member == QLatin1String("Documents"))
            return related(Kind::Documents);
        if (kind_ == Kind::Application && member == QLatin1String("Quit"))
            return {};
        if (kind_ == Kind::Documents && member == QLatin1String("Open"))
            return related(Kind::Document);
        if (kind_ == Kind::Document && member == QLatin1String("SaveAs"))
            return save(named);
        throw AutomationError(AutomationErrorNumber::UnknownMember, QStringLiteral("No member ") + member);
    }

    Variant DefaultMember() override { return QStringLiteral("Microsoft Word"); }

private:
    Variant related(Kind kind) const
    {
        return ObjectRef(std::make_shared<FakeWordObject>(word_, instance_, kind, documentPath_));
    }

    static Variant save(const NamedArguments &named)
    {
        for (const auto &[name, value] : named) {
            if (name != QLatin1String("FileName"))
                continue;
            QFile file(value.toText());
            if (QFileInfo(value.toText()).absoluteDir().exists() && file.open(QIODevice::WriteOnly))
                file.write("<html>converted</html>");
        }
        return {};
    }

    FakeWord &word_;
    int instance_;
    Kind kind_;
    std::shared_ptr<QString> documentPath_;
};

FakeWord::FakeWord()
{
    RegisterClass(WordProgId, [this] {
        ++instancesCreated;
        return std::make_shared<FakeWordObject>(*this, instancesCreated, FakeWordObject::Kind::Application,
                                                std::make_shared<QString>());
    });
}

FakeWord::~FakeWord()
{
    UnregisterClass(WordProgId);
}

void FakeWord::failOn(const QString &member, const AutomationError &error, const QString &documentPath)
{
    failures_.push_back({member, documentPath, error});
}

void FakeWord::record(const WordCall &call, const QString &documentPath)
{
    calls.push_back(call);
    if (onCall)
        onCall(call);
    for (const Failure &failure : failures_)
        if (failure.member == call.member && (failure.documentPath.isEmpty() || failure.documentPath == documentPath))
            throw failure.error;
}

QStringList FakeWord::members(int instance) const
{
    QStringList names;
    for (const WordCall &call : calls)
        if (instance == 0 || call.instance == instance)
            names << call.member;
    return names;
}

std::optional<WordCall> FakeWord::lastCallTo(const QString &member) const
{
    for (auto call = calls.rbegin(); call != calls.rend(); ++call)
        if (call->member == member)
            return *call;
    return std::nullopt;
}

QStringList FakeWord::openedPaths() const
{
    QStringList paths;
    for (const WordCall &call : calls)
        if (call.member == QLatin1String("Open"))
            paths << call.positional.front().toText();
    return paths;
}
