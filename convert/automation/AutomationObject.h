// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A late-bound object: members are called by name with positional and named arguments.

#include "AutomationError.h"
#include "Variant.h"

#include <QString>

#include <utility>
#include <vector>

using PositionalArguments = std::vector<Variant>;
using NamedArguments = std::vector<std::pair<QString, Variant>>;

class AutomationObject {
public:
    virtual ~AutomationObject() = default;

    // Calls a method or reads a property by name. Member names are matched ignoring letter
    // case, as automation does. Throws AutomationError.
    virtual Variant Invoke(const QString &member, const PositionalArguments &positional = {},
                           const NamedArguments &named = {})
        = 0;

    // The default member (dispatch identifier 0), read with no arguments.
    virtual Variant DefaultMember() = 0;
};
