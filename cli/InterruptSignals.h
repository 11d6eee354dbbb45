// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Ctrl-C (SIGINT), SIGTERM and SIGHUP end quorvane-convert as closing the window ends the
// program: every office ended, every staging folder removed, so that no office process, no
// staging folder and no half-written page remains; then the program ends by that same signal,
// as its caller expects. The signal handler only notes the signal; the ending runs in the event
// loop, between two steps of the run, never while a page is being put in place.

#include <QSocketNotifier>

#include <functional>
#include <memory>

class InterruptSignals {
public:
    // beforeEnding runs first, as the ending begins.
    explicit InterruptSignals(std::function<void()> beforeEnding);
    ~InterruptSignals();
    InterruptSignals(const InterruptSignals &) = delete;
    InterruptSignals &operator=(const InterruptSignals &) = delete;

    // True from the moment a signal arrives, before the event loop has seen it: a document
    // that fails then fails because its office is ending (Ctrl-C reaches the offices too).
    static bool arrived();
    // Ends the program by the signal that arrived, if one did.
    void endIfArrived();

private:
    std::function<void()> beforeEnding;
    std::unique_ptr<QSocketNotifier> notifier;
};
