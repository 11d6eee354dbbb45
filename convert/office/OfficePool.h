#pragma once
// The office processes behind application objects. Each application object borrows one process
// for its life and gives it back when it quits. A process given back clean (no failure seen,
// nothing left open, under the document and memory bounds) is kept warm for the next one;
// any other is replaced, so a document that failed never touches the next. A spare process
// starts beside the first one and again whenever the spare is taken, so a replacement seldom
// waits for an office to start, and whatever no application object uses ends after the idle
// limit, with or without an event loop running.
//
// Processes are started, borrowed and given back on the user-interface thread, which lives as
// long as the program: an office dies with the thread that started it. A thread of the pool's
// own ends the idle and the replaced ones, so the borrower never waits for an office to end.

#include "OfficeEngine.h"

#include <QObject>

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
    // A connected process for an application object: a warm one, else the spare, else a new
    // one. Throws AutomationError.
    std::shared_ptr<OfficeProcess> borrow();
    // Takes back a process an application object is done with; keeps it or replaces it.
    void giveBack(std::shared_ptr<OfficeProcess> process);
    // Ends every process no application object uses, and waits until they have ended.
    void endIdleProcesses();

private:
    using Clock = std::chrono::steady_clock;
    using Processes = std::vector<std::shared_ptr<OfficeProcess>>;

    OfficePool();
    ~OfficePool();

    bool mayServeAgain(OfficeProcess &process);
    std::shared_ptr<OfficeProcess> takeIdle();
    void startSpare();
    void keepWarm(std::shared_ptr<OfficeProcess> process);
    void endInBackground(std::shared_ptr<OfficeProcess> process);
    Processes takeAllIdle();
    void reapEnded();
    void shutDown();
    void endIdleOnTime();

    OfficeSettings settings_;
    std::mutex mutex_;
    std::condition_variable changed_;
    Processes warm_;                       // connected, clean, unused
    std::shared_ptr<OfficeProcess> spare_; // started, perhaps not yet ready
    Processes toEnd_;                      // for the pool's thread to end
    Processes ended_;                      // ended, for the starting thread to reap
    int ending_ = 0;                       // processes the pool's thread is ending now
    int borrowed_ = 0;
    std::optional<Clock::time_point> idleDeadline_;
    bool stopping_ = false;
    QObject startingThread_; // reaping is posted to it
    std::thread ender_;
};
