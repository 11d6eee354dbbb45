// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "OfficeObject.h"

#include "OfficeErrors.h"
#include "UnoText.h"

#include <com/sun/star/uno/Exception.hpp>

Variant OfficeObject::invokeMember(const QString &member, const PositionalArguments &positional,
                                   const NamedArguments &named)
{
    for (const Member &candidate : members())
        if (candidate.name.compare(member, Qt::CaseInsensitive) == 0)
            return candidate.call(positional, named);
    throw AutomationError(AutomationErrorNumber::UnknownMember,
                          QStringLiteral("%1 has no member \"%2\".").arg(objectName(), member));
}

Variant OfficeObject::Invoke(const QString &member, const PositionalArguments &positional, const NamedArguments &named)
{
    try {
        return invokeMember(member, positional, named);
    } catch (const css::uno::Exception &error) {
        throw OfficeErrors::failedUnexpectedly(toQString(error.Message));
    }
}
