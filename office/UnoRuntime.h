// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The UNO runtime of this process, bootstrapped once, through which the engine reaches the
// office processes it starts.

#include <com/sun/star/uno/XComponentContext.hpp>

// The local component context; throws AutomationError when the UNO runtime cannot start.
css::uno::Reference<css::uno::XComponentContext> LocalUnoContext();
