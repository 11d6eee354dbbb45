#pragma once
// The application object of "Word.Application": owns one office process, registers itself as
// running while it lives, and ends that process on Quit or when it is destroyed.

#include "convert/automation/AutomationObject.h"
#include "convert/automation/RunningObjects.h"
#include "convert/office/OfficeEngine.h"

#include <memory>
#include <vector>

class OfficeProcess;
class WordDocument;

class WordApplication : public AutomationObject, public std::enable_shared_from_this<WordApplication> {
public:
    // Starts the office; throws AutomationError.
    static ObjectRef create(const OfficeSettings &settings);
    explicit WordApplication(const OfficeSettings &settings);
    ~WordApplication() override;

    // Members: Documents, Quit, Name.
    Variant Invoke(const QString &member, const PositionalArguments &positional = {},
                   const NamedArguments &named = {}) override;
    // The application's name, "Microsoft Word".
    Variant DefaultMember() override;

    // The office for the next task; a fresh process when the last one was lost.
    // Throws EngineGone after Quit.
    std::shared_ptr<OfficeProcess> office(const QString &task);
    // Quit closes the documents opened through this application.
    void adopt(const std::shared_ptr<WordDocument> &document);

private:
    void quit();

    OfficeSettings settings_;
    std::shared_ptr<OfficeProcess> office_;
    std::unique_ptr<RunningObjectRegistration> registration_;
    std::vector<std::weak_ptr<WordDocument>> documents_;
};
