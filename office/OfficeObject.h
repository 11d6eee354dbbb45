// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An automation object of the office engine. What leaves it is an AutomationError, whatever the
// office's runtime throws: an exception of LibreOffice's own that no step of the engine foresaw
// is told as LibreOffice failing, never passed on in a form the program cannot read.

#include "AutomationObject.h"

#include <functional>

class OfficeObject : public AutomationObject {
public:
    // Calls the member of that name from members(); UnknownMember when there is none.
    Variant Invoke(const QString &member, const PositionalArguments &positional = {},
                   const NamedArguments &named = {}) final;

protected:
    // A member by its name, and its call with the arguments as given.
    struct Member {
        QString name;
        std::function<Variant(const PositionalArguments &, const NamedArguments &)> call;
    };
    // What the object is called in a message.
    virtual QString objectName() const = 0;
    virtual std::vector<Member> members() = 0;

private:
    Variant invokeMember(const QString &member, const PositionalArguments &positional, const NamedArguments &named);
};
