// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "OfficeWatchdog.h"

#include "OfficeChild.h"

OfficeWatchdog::OfficeWatchdog(pid_t pid)
    : pid_(pid)
    , thread_([this] { watch(); })
{
}

OfficeWatchdog::~OfficeWatchdog()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_one();
    thread_.join();
}

void OfficeWatchdog::arm(std::chrono::milliseconds limit)
{
    {
        std::lock_guard lock(mutex_);
        deadline_ = std::chrono::steady_clock::now() + limit;
        fired_ = false;
    }
    changed_.notify_one();
}

bool OfficeWatchdog::disarm()
{
    std::lock_guard lock(mutex_);
    deadline_.reset();
    return fired_;
}

void OfficeWatchdog::watch()
{
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        if (!deadline_) {
            changed_.wait(lock);
        } else if (changed_.wait_until(lock, *deadline_) == std::cv_status::timeout && deadline_
                   && std::chrono::steady_clock::now() >= *deadline_) {
            // The owner is blocked in the call, so the process has not been reaped: pid_ is still ours.
            StopOfficeNow(pid_);
            fired_ = true;
            deadline_.reset();
        }
    }
}
