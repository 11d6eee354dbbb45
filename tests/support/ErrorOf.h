// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs work and returns the AutomationError it throws; fails the test when it throws none.

#include "AutomationError.h"

#include <gtest/gtest.h>

#include <functional>

inline AutomationError ErrorOf(const std::function<void()> &work)
{
    try {
        work();
    } catch (const AutomationError &error) {
        return error;
    }
    ADD_FAILURE() << "no AutomationError was thrown";
    return AutomationError(0, QString());
}
