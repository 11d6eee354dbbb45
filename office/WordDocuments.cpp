// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WordDocuments.h"

#include "BoundArguments.h"
#include "WordDocument.h"

namespace {
const QStringList OpenParameters{QStringLiteral("FileName")};
} // namespace

QString WordDocuments::objectName() const
{
    return QStringLiteral("Documents");
}

std::vector<OfficeObject::Member> WordDocuments::members()
{
    return {{QStringLiteral("Open"), [this](const PositionalArguments &positional, const NamedArguments &named) {
                 return openDocument(positional, named);
             }}};
}

Variant WordDocuments::openDocument(const PositionalArguments &positional, const NamedArguments &named)
{
    const BoundArguments arguments(QStringLiteral("Open"), OpenParameters, positional, named);
    if (!arguments.has(QStringLiteral("FileName")))
        throw AutomationError(AutomationErrorNumber::WrongArgumentCount,
                              QStringLiteral("Open needs the document's path (FileName)."));
    return ObjectRef(WordDocument::open(owner_, arguments.value(QStringLiteral("FileName")).toText()));
}

Variant WordDocuments::DefaultMember()
{
    throw AutomationError(AutomationErrorNumber::UnknownMember, QStringLiteral("Documents has no default member."));
}
