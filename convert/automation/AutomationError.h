// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A failure reported by an automation call: a number and a description a user can act on.

#include <QString>

#include <stdexcept>

// The numbers, one per kind of failure.
namespace AutomationErrorNumber {
constexpr int TypeMismatch = 13;
constexpr int ClassNotRegistered = 429;    // "Word.Application" cannot be created
constexpr int UnknownMember = 438;         // the object has no member of that name
constexpr int UnknownNamedArgument = 448;  // a named argument the member does not take
constexpr int WrongArgumentCount = 450;    // wrong number of positional arguments
constexpr int EngineGone = 462;            // the office process died or dropped the bridge
constexpr int NoRunningInstance = 463;     // FindRunningInstance found no live instance
constexpr int EngineTimeout = 4605;        // the office did not answer before the deadline
constexpr int EngineNotInstalled = 4606;   // the office cannot be started at all
constexpr int EngineBusy = 4607;           // every private office profile is in use
constexpr int DocumentNotFound = 5174;     // the document file is not there
constexpr int PasswordProtected = 5408;    // the document needs a password
constexpr int DocumentDamaged = 5792;      // the document is damaged or not readable
constexpr int SaveFailed = 5153;           // the HTML could not be written
constexpr int BadArgumentValue = 5941;     // e.g. a format number that is not 8 or 10
constexpr int WouldOverwriteSource = 5487; // the output path names the source itself
} // namespace AutomationErrorNumber

class AutomationError : public std::runtime_error {
public:
    AutomationError(int number, const QString &description)
        : std::runtime_error(description.toStdString())
        , number_(number)
        , description_(description)
    {
    }

    int number() const { return number_; }
    const QString &description() const { return description_; }

private:
    int number_;
    QString description_;
};
