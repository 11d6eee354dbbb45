// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An automation object of the office engine. What leaves it is an AutomationError, whatever the
// office's runtime throws: an exception of LibreOffice's own that no step of the engine foresaw
// is told as LibreOffice failing, never passed on in a form the program cannot read.

#include "AutomationObject.h"

class OfficeObject : public AutomationObject {
public:
    Variant Invoke(const QString &member, const PositionalArguments &positional = {},
                   const NamedArguments &named = {}) final;

protected:
    // The member call itself.
    virtual Variant invokeMember(const QString &member, const PositionalArguments &positional,
                                 const NamedArguments &named)
        = 0;
};
