#include "convert/office/WordApplication.h"

#include "convert/automation/BoundArguments.h"
#include "convert/office/OfficeProcess.h"
#include "convert/office/WordDocument.h"
#include "convert/office/WordDocuments.h"

namespace {
const QString ProgId = QStringLiteral("Word.Application");
const QString ApplicationName = QStringLiteral("Microsoft Word");
const QStringList QuitParameters{QStringLiteral("SaveChanges"), QStringLiteral("OriginalFormat"),
                                 QStringLiteral("RouteDocument")};
} // namespace

ObjectRef WordApplication::create(const OfficeSettings &settings)
{
    auto application = std::make_shared<WordApplication>(settings);
    application->registration_ = std::make_unique<RunningObjectRegistration>(ProgId, application);
    return application;
}

WordApplication::WordApplication(const OfficeSettings &settings)
    : settings_(settings), office_(ObtainOfficeProcess(settings))
{
}

WordApplication::~WordApplication()
{
    if (office_)
        office_->kill();
}

Variant WordApplication::Invoke(const QString &member, const PositionalArguments &positional, const NamedArguments &named)
{
    if (member.compare(QStringLiteral("Documents"), Qt::CaseInsensitive) == 0) {
        BoundArguments(member, {}, positional, named);
        office(QStringLiteral("listing the documents"));
        return ObjectRef(std::make_shared<WordDocuments>(shared_from_this()));
    }
    if (member.compare(QStringLiteral("Quit"), Qt::CaseInsensitive) == 0) {
        BoundArguments(member, QuitParameters, positional, named);
        quit();
        return {};
    }
    if (member.compare(QStringLiteral("Name"), Qt::CaseInsensitive) == 0) {
        BoundArguments(member, {}, positional, named);
        return ApplicationName;
    }
    throw AutomationError(AutomationErrorNumber::UnknownMember,
                          QStringLiteral("%1 has no member \"%2\".").arg(ProgId, member));
}

Variant WordApplication::DefaultMember()
{
    return ApplicationName;
}

std::shared_ptr<OfficeProcess> WordApplication::office(const QString &task)
{
    if (!registration_)
        throw AutomationError(AutomationErrorNumber::EngineGone,
                              QStringLiteral("Word has already quit; it cannot go on %1.").arg(task));
    if (!office_ || !office_->isAlive()) {
        // The last office was lost (killed at a deadline, or it crashed): what follows gets a new one.
        if (office_) {
            office_->kill();
            office_.reset(); // frees its profile for the next one, unless a document still holds it
        }
        office_ = ObtainOfficeProcess(settings_);
    }
    return office_;
}

void WordApplication::adopt(const std::shared_ptr<WordDocument> &document)
{
    documents_.push_back(document);
}

void WordApplication::quit()
{
    if (!registration_)
        return;
    for (const auto &document : documents_) {
        if (const auto open = document.lock()) {
            try {
                open->close();
            } catch (const AutomationError &) {
                // Quitting ends the office below, whatever became of the document.
            }
        }
    }
    documents_.clear();
    if (office_)
        ReleaseOfficeProcess(std::move(office_));
    registration_.reset();
}
