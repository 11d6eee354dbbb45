// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The arguments of one member call bound to the member's parameter names: positional ones in
// parameter order, named ones by name (letter case ignored, as automation does).

#include "AutomationObject.h"

#include <QHash>
#include <QString>
#include <QStringList>

class BoundArguments {
public:
    // Throws AutomationError: UnknownNamedArgument for a name not in parameters,
    // WrongArgumentCount for more positional arguments than parameters or a parameter given twice.
    BoundArguments(const QString &member, const QStringList &parameters, const PositionalArguments &positional,
                   const NamedArguments &named);

    // The argument given for parameter, or Empty when it was left out.
    Variant value(const QString &parameter) const;
    bool has(const QString &parameter) const;

private:
    QHash<QString, Variant> values_; // by lower-case parameter name
};
