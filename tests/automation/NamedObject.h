#pragma once
// An automation object that has nothing but a default member: its name.

#include "convert/automation/AutomationObject.h"

class NamedObject : public AutomationObject {
public:
    explicit NamedObject(QString name) : name_(std::move(name)) {}
    Variant Invoke(const QString &member, const PositionalArguments &, const NamedArguments &) override
    {
        throw AutomationError(AutomationErrorNumber::UnknownMember, member);
    }
    Variant DefaultMember() override { return name_; }

private:
    QString name_;
};
