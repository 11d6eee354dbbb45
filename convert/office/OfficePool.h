#pragma once
// The office processes behind application objects. Each application object borrows one process
// for its life and gives it back when it quits; several may do so at once, on any threads. A
// process given back clean (no failure seen, nothing left open, under the document and memory
// bounds) is kept warm for the next one; any other is replaced, so a document that failed never
// touches the next. Processes can be prepared ahead of the objects that will use them. A thread
// of the pool's own starts the prepared ones and ends the idle and the replaced ones, with or
// without an event loop running, so a borrower never waits for an office to end.

#include "OfficeEngine.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
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
    // A connected process: a warm one, else one the pool is starting, else a new one. While the
    // memory reserve allows no further office, waits for one to be given back. Throws
    // AutomationError.
    std::shared_ptr<OfficeProcess> borrow();
    // Takes back a process an application object is done with; keeps it or replaces it.
    void giveBack(std::shared_ptr<OfficeProcess> process);
    // Starts processes in the background until count are ready or in use, and keeps the ready
    // ones until keepFor has passed without another call.
    void prepare(int count, std::chrono::milliseconds keepFor);
    // Ends every process no application object uses, and waits until they have ended.
    void endIdleProcesses();

private:
    using Clock = std::chrono::steady_clock;
    using Processes = std::vector<std::shared_ptr<OfficeProcess>>;

    OfficePool();
    ~OfficePool();

    bool mayServeAgain(OfficeProcess &process);
    std::shared_ptr<OfficeProcess> takeReady();
    bool mayStartAnother() const;
    std::shared_ptr<OfficeProcess> startOne(const OfficeSettings &settings);
    Clock::time_point idleDeadline() const;
    void shutDown();
    void keep();

    OfficeSettings settings_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    Processes ready_;       // connected, clean, unused
    Processes toEnd_;       // for the pool's thread to end
    int ending_ = 0;        // processes the pool's thread is ending now
    int inUse_ = 0;         // borrowed, or being started for a borrower
    int starting_ = 0;      // being started by the pool's thread
    int awaitingStart_ = 0; // borrowers waiting for one of those
    int wanted_ = 0;        // processes to keep ready or in use until keepUntil_
    Clock::time_point keepUntil_;
    Clock::time_point lastUse_;
    bool stopping_ = false;
    std::thread keeper_;
};
