#pragma once
// The documents collection of a Word application object: opens documents.

#include "OfficeObject.h"

#include <memory>

class WordApplication;

class WordDocuments : public OfficeObject {
public:
    explicit WordDocuments(std::shared_ptr<WordApplication> application)
        : application_(std::move(application))
    {
    }

    // Word's collections have no value of their own.
    Variant DefaultMember() override;

protected:
    // Members: Open(FileName).
    Variant invokeMember(const QString &member, const PositionalArguments &positional,
                         const NamedArguments &named) override;

private:
    std::shared_ptr<WordApplication> application_;
};
