// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps the deadline of a call into the office. The office cannot cancel a load or a store
// once begun, so when a call overruns, the watchdog kills the office from its own thread; the
// blocked call then fails because its bridge is gone.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include <sys/types.h>

class OfficeWatchdog {
public:
    explicit OfficeWatchdog(pid_t pid);
    ~OfficeWatchdog();
    OfficeWatchdog(const OfficeWatchdog &) = delete;
    OfficeWatchdog &operator=(const OfficeWatchdog &) = delete;

    // Starts the clock for one call.
    void arm(std::chrono::milliseconds limit);
    // Stops the clock; true when the deadline passed and the process was killed.
    bool disarm();

private:
    void watch();

    const pid_t pid_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<std::chrono::steady_clock::time_point> deadline_;
    bool fired_ = false;
    bool stopping_ = false;
    std::thread thread_;
};
