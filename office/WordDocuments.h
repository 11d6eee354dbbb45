// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The documents collection of a Word application object: opens documents.

#include "DocumentOwner.h"
#include "OfficeObject.h"

#include <memory>

class WordDocuments : public OfficeObject {
public:
    explicit WordDocuments(std::shared_ptr<DocumentOwner> owner)
        : owner_(std::move(owner))
    {
    }

    // Word's collections have no value of their own.
    Variant DefaultMember() override;

protected:
    QString objectName() const override;
    // Open(FileName).
    std::vector<Member> members() override;

private:
    Variant openDocument(const PositionalArguments &positional, const NamedArguments &named);

    std::shared_ptr<DocumentOwner> owner_;
};
