// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WordApplication.h"

#include "BoundArguments.h"
#include "OfficeErrors.h"
#include "OfficePool.h"
#include "OfficeProcess.h"
#include "WordClass.h"
#include "WordDocument.h"
#include "WordDocuments.h"

namespace {
const QString ApplicationName = QStringLiteral("Microsoft Word");
} // namespace

ObjectRef WordApplication::create()
{
    auto application = std::make_shared<WordApplication>();
    application->registration_ = std::make_unique<RunningObjectRegistration>(WordClass, application);
    return application;
}

WordApplication::WordApplication()
    : office_(OfficePool::instance().borrow())
{
}

WordApplication::~WordApplication()
{
    if (office_) {
        office_->noteFailure();
        OfficePool::instance().giveBack(std::move(office_));
    }
}

QString WordApplication::objectName() const
{
    return WordClass;
}

std::vector<OfficeObject::Member> WordApplication::members()
{
    return {{QStringLiteral("Documents"),
             [this](const PositionalArguments &positional, const NamedArguments &named) -> Variant {
                 BoundArguments(QStringLiteral("Documents"), {}, positional, named);
                 office(QStringLiteral("listing the documents"));
                 return ObjectRef(std::make_shared<WordDocuments>(shared_from_this()));
             }},
            {QStringLiteral("Quit"), [this](const PositionalArguments &positional, const NamedArguments &named) {
                 BoundArguments(QStringLiteral("Quit"), {}, positional, named);
                 quit();
                 return Variant();
             }}};
}

Variant WordApplication::DefaultMember()
{
    return ApplicationName;
}

std::shared_ptr<OfficeProcess> WordApplication::office(const QString &task)
{
    if (!registration_)
        throw OfficeErrors::alreadyQuit(task);
    if (!office_ || !office_->isAlive() || office_->sawFailure()) {
        // The last office was lost (killed at a deadline, or it crashed) or has seen a failure:
        // what follows gets another one. The lost one goes back first, so that it never counts
        // against the offices that may run at once.
        if (office_)
            OfficePool::instance().giveBack(std::move(office_));
        office_ = OfficePool::instance().borrow();
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
                // An office that cannot close a document is not used again.
            }
        }
    }
    documents_.clear();
    if (office_)
        OfficePool::instance().giveBack(std::move(office_));
    registration_.reset();
}
