// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application object of "Word.Application": borrows one office process from the pool,
// registers itself as running until it quits, and on Quit closes its documents and gives the
// process back, which ends the object. An object dropped without Quit gives its process back
// as failed, so that it is not used again.

#include "DocumentOwner.h"
#include "OfficeObject.h"
#include "RunningObjects.h"

#include <memory>
#include <vector>

class WordApplication : public OfficeObject,
                        public DocumentOwner,
                        public std::enable_shared_from_this<WordApplication> {
public:
    // Borrows an office process; throws AutomationError.
    static ObjectRef create();
    WordApplication();
    ~WordApplication() override;

    // The application's name, "Microsoft Word".
    Variant DefaultMember() override;

    // The office for the next task; another process when the last one was lost or saw a failure.
    // Throws EngineGone after Quit.
    std::shared_ptr<OfficeProcess> office(const QString &task) override;
    // Quit closes the documents opened through this application.
    void adopt(const std::shared_ptr<WordDocument> &document) override;

protected:
    QString objectName() const override;
    // Documents, Quit.
    std::vector<Member> members() override;

private:
    void quit();

    std::shared_ptr<OfficeProcess> office_;
    std::unique_ptr<RunningObjectRegistration> registration_;
    std::vector<std::weak_ptr<WordDocument>> documents_;
};
