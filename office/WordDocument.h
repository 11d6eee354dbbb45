// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A document opened through Word.Application: handed to the office as a copy of its own, loaded
// hidden and read-only, with no macro run, no link updated and no question left waiting; saved as
// a web page, which the office writes beside its copy and the program takes from there.

#include "DocumentOwner.h"
#include "OfficeObject.h"

#include <com/sun/star/lang/XComponent.hpp>

#include <memory>

class StagedPage;

class WordDocument : public OfficeObject {
public:
    // Opens path in its owner's office; throws AutomationError (not found,
    // password-protected, damaged, or the office failing).
    static std::shared_ptr<WordDocument> open(const std::shared_ptr<DocumentOwner> &owner, const QString &path);
    WordDocument(std::shared_ptr<DocumentOwner> owner, QString path);
    ~WordDocument() override;

    // The document's file name.
    Variant DefaultMember() override;

    // Closes the document in the office; nothing happens when it is closed already.
    void close();

protected:
    QString objectName() const override;
    // SaveAs with its eleven named arguments.
    std::vector<Member> members() override;

private:
    void load();
    void saveAs(const PositionalArguments &positional, const NamedArguments &named);
    void store(StagedPage &staged, int format);
    QString describe() const;

    std::shared_ptr<DocumentOwner> owner_;
    QString path_;
    std::shared_ptr<OfficeProcess> office_;
    QString copy_; // the office's copy of the document, in its work folder
    css::uno::Reference<css::lang::XComponent> component_;
    bool stored_ = false;
};
