// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoundArguments.h"

BoundArguments::BoundArguments(const QString &member, const QStringList &parameters,
                               const PositionalArguments &positional, const NamedArguments &named)
{
    if (positional.size() > static_cast<size_t>(parameters.size()))
        throw AutomationError(AutomationErrorNumber::WrongArgumentCount,
                              QStringLiteral("\"%1\" takes at most %2 arguments, not %3.")
                                  .arg(member, QString::number(parameters.size()), QString::number(positional.size())));
    for (size_t i = 0; i < positional.size(); ++i)
        values_.insert(parameters.at(static_cast<int>(i)).toLower(), positional[i]);
    for (const auto &[name, value] : named) {
        if (!parameters.contains(name, Qt::CaseInsensitive))
            throw AutomationError(AutomationErrorNumber::UnknownNamedArgument,
                                  QStringLiteral("\"%1\" has no argument named \"%2\".").arg(member, name));
        if (values_.contains(name.toLower()))
            throw AutomationError(AutomationErrorNumber::WrongArgumentCount,
                                  QStringLiteral("The argument \"%1\" of \"%2\" is given twice.").arg(name, member));
        values_.insert(name.toLower(), value);
    }
}

Variant BoundArguments::value(const QString &parameter) const
{
    return values_.value(parameter.toLower());
}

bool BoundArguments::has(const QString &parameter) const
{
    return values_.contains(parameter.toLower());
}
