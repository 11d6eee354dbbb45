// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a document needs of the application object that opened it: the office to work in, and a
// place among the application's documents, which its Quit closes.

#include <QString>

#include <memory>

class OfficeProcess;
class WordDocument;

class DocumentOwner {
public:
    // The office for the next task; throws AutomationError when there is none.
    virtual std::shared_ptr<OfficeProcess> office(const QString &task) = 0;
    virtual void adopt(const std::shared_ptr<WordDocument> &document) = 0;

protected:
    ~DocumentOwner() = default;
};
