// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The office processes behind application objects. Each application object borrows one process
// for its life and gives it back when it quits; several may do so at once, on any threads. A
// process given back clean (no failure seen, nothing left open, under the document and memory
// bounds) is kept warm for the next one; any other is replaced, so a document that failed never
// touches the next. Processes can be prepared ahead of the objects that will use them, and are
// then warmed up (see OfficeWarmUp) while they wait.
//
// A thread of the pool's own starts processes, side by side up to one for each processor: each
// office keeps to a processor of its own, so two starting at once take hardly longer than one,
// and a run's second office is ready almost as soon as its first. A borrower
// takes whichever process is ready first, a new one or one given back meanwhile. The same thread
// ends the idle and the replaced processes, all side by side, with or without an event loop
// running, and starts an office a borrower waits for before it ends any, so a borrower never
// waits for an office to end.

#include "AutomationError.h"
#include "OfficeSettings.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class OfficeProcess;

class OfficePool {
public:
    static OfficePool &instance();
    OfficePool(const OfficePool &) = delete;
    OfficePool &operator=(const OfficePool &) = delete;

    // Settings for the processes started from now on; the idle ones of earlier settings end.
    void configure(const OfficeSettings &settings);
    OfficeSettings settings() const;
    // A connected process: a warm one, else the first to be ready of those the pool starts and
    // those given back. Throws AutomationError when no office can be started while none is in
    // use: while one is, a borrower waits for it rather than fail.
    std::shared_ptr<OfficeProcess> borrow();
    // Takes back a process an application object is done with; keeps it or replaces it.
    void giveBack(std::shared_ptr<OfficeProcess> process);
    // Starts processes in the background until count are ready or in use, and keeps the ready
    // ones until keepFor has passed without another call.
    void prepare(int count, std::chrono::milliseconds keepFor);
    // Ends every process no application object uses, and waits until they have ended.
    void endIdleProcesses();
    // Processes connected and waiting for an application object.
    int readyCount() const;

private:
    using Clock = std::chrono::steady_clock;
    using Processes = std::vector<std::shared_ptr<OfficeProcess>>;

    OfficePool();
    ~OfficePool();

    bool mayServeAgain(OfficeProcess &process);
    void retire(std::shared_ptr<OfficeProcess> process);
    std::shared_ptr<OfficeProcess> takeReady();
    // A process started, or why it could not be.
    struct Start {
        std::shared_ptr<OfficeProcess> process;
        std::optional<AutomationError> error;
    };

    bool mayStartAnother(int starting) const;
    int present() const;
    bool borrowerWaits() const;
    bool anotherWanted(Clock::time_point now) const;
    bool onlyIdle() const;
    int startsWanted(Clock::time_point now) const;
    void startSome(int count);
    void joinStarts(std::unique_lock<std::mutex> &lock);
    static Start startOne(const OfficeSettings &settings, bool warm);
    void started(Start start);
    Clock::time_point idleDeadline() const;
    void shutDown();
    void keep();

    OfficeSettings settings_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    Processes ready_;                 // connected, clean, unused
    Processes toEnd_;                 // for the pool's thread to end
    int ending_ = 0;                  // processes the pool's thread is ending now
    int inUse_ = 0;                   // borrowed
    int starting_ = 0;                // processes being started
    std::vector<std::thread> starts_; // the threads starting them, until all have ended
    int waiting_ = 0;                 // borrowers waiting for a process
    int abandonedWaits_ = 0;          // starts that failed while no process was in use, and the last one's error
    std::optional<AutomationError> startError_;
    bool startHeldBack_ = false; // a start failed while processes were in use: none is tried until one comes back
    int wanted_ = 0;             // processes to keep ready or in use until keepUntil_
    Clock::time_point keepUntil_;
    Clock::time_point lastUse_;
    bool stopping_ = false;
    std::thread keeper_;
};
