// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Answers every question the office asks while loading with "abort", so nothing ever waits
// for a person, and remembers what was asked so the failure can be told precisely.

#include <com/sun/star/task/XInteractionHandler.hpp>
#include <cppuhelper/implbase1.hxx>

#include <atomic>

class AbortingInteractionHandler : public cppu::WeakImplHelper1<css::task::XInteractionHandler> {
public:
    void SAL_CALL handle(const css::uno::Reference<css::task::XInteractionRequest> &request) override;

    bool askedForPassword() const { return askedForPassword_; }
    bool reportedDamage() const { return reportedDamage_; }

private:
    // Set from the bridge's threads, read by the caller's.
    std::atomic_bool askedForPassword_{false};
    std::atomic_bool reportedDamage_{false};
};
