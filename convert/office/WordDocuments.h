#pragma once
// The documents collection of a Word application object: opens documents.

#include "AutomationObject.h"

#include <memory>

class WordApplication;

class WordDocuments : public AutomationObject {
public:
    explicit WordDocuments(std::shared_ptr<WordApplication> application)
        : application_(std::move(application))
    {
    }

    // Members: Open(FileName).
    Variant Invoke(const QString &member, const PositionalArguments &positional = {},
                   const NamedArguments &named = {}) override;
    // Word's collections have no value of their own.
    Variant DefaultMember() override;

private:
    std::shared_ptr<WordApplication> application_;
};
