// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WordDocuments.h"

#include "BoundArguments.h"
#include "WordDocument.h"

namespace {
const QStringList OpenParameters{QStringLiteral("FileName")};
} // namespace

Variant WordDocuments::invokeMember(const QString &member, const PositionalArguments &positional,
                                    const NamedArguments &named)
{
    if (member.compare(QStringLiteral("Open"), Qt::CaseInsensitive) != 0)
        throw AutomationError(AutomationErrorNumber::UnknownMember,
                              QStringLiteral("Documents has no member \"%1\".").arg(member));
    const BoundArguments arguments(member, OpenParameters, positional, named);
    if (!arguments.has(QStringLiteral("FileName")))
        throw AutomationError(AutomationErrorNumber::WrongArgumentCount,
                              QStringLiteral("Open needs the document's path (FileName)."));
    return ObjectRef(WordDocument::open(owner_, arguments.value(QStringLiteral("FileName")).toText()));
}

Variant WordDocuments::DefaultMember()
{
    throw AutomationError(AutomationErrorNumber::UnknownMember, QStringLiteral("Documents has no default member."));
}
