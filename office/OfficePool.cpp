// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "OfficePool.h"

#include "AutomationError.h"
#include "OfficeErrors.h"
#include "OfficeProcess.h"
#include "OfficeProcessors.h"
#include "OfficeWarmUp.h"
#include "ProcessRecords.h"
#include "UnoText.h"

#include <QCoreApplication>

using namespace std::chrono_literals;

namespace {

// How often a preparation held back by the memory reserve looks again.
constexpr auto MemoryRecheck = 1s;

bool operator==(const OfficeLimits &a, const OfficeLimits &b)
{
    return a.start == b.start && a.call == b.call && a.quitGrace == b.quitGrace;
}

bool operator==(const OfficeReuse &a, const OfficeReuse &b)
{
    return a.documents == b.documents && a.memoryBytes == b.memoryBytes && a.idle == b.idle;
}

bool operator==(const OfficeSettings &a, const OfficeSettings &b)
{
    return a.program == b.program && a.profileRoot == b.profileRoot && a.sandbox == b.sandbox && a.limits == b.limits
           && a.reuse == b.reuse;
}

// The memory the system can still give out (MemAvailable), in bytes; -1 when it cannot tell.
qint64 availableMemory()
{
    return ReadKilobyteFigure(QStringLiteral("/proc/meminfo"), "MemAvailable");
}

// Side by side: each office takes its grace period to write its profile and end, and the
// others need not wait for it.
void endAll(const std::vector<std::shared_ptr<OfficeProcess>> &processes)
{
    std::vector<std::thread> ending;
    for (const auto &process : processes)
        ending.emplace_back([&process] { process->end(); });
    for (std::thread &thread : ending)
        thread.join();
}

} // namespace

OfficePool &OfficePool::instance()
{
    static OfficePool pool;
    return pool;
}

OfficePool::OfficePool()
    : settings_(DefaultOfficeSettings())
    , lastUse_(Clock::now())
    , keeper_([this] { keep(); })
{
    // Ends the offices while the program still stands, rather than during static destruction.
    qAddPostRoutine([] { instance().shutDown(); });
}

OfficePool::~OfficePool()
{
    shutDown();
}

void OfficePool::configure(const OfficeSettings &settings)
{
    {
        std::lock_guard lock(mutex_);
        settings_ = settings;
    }
    endIdleProcesses();
}

OfficeSettings OfficePool::settings() const
{
    std::lock_guard lock(mutex_);
    return settings_;
}

std::shared_ptr<OfficeProcess> OfficePool::borrow()
{
    std::unique_lock lock(mutex_);
    const int abandonedBefore = abandonedWaits_;
    ++waiting_;
    changed_.notify_all();
    std::shared_ptr<OfficeProcess> process;
    changed_.wait(lock, [&] { return (process = takeReady()) || abandonedWaits_ != abandonedBefore || stopping_; });
    --waiting_;
    if (!process)
        throw startError_.value_or(
            AutomationError(AutomationErrorNumber::EngineGone, QStringLiteral("The program is ending.")));
    ++inUse_;
    return process;
}

std::shared_ptr<OfficeProcess> OfficePool::takeReady()
{
    while (!ready_.empty()) {
        std::shared_ptr<OfficeProcess> process = std::move(ready_.back());
        ready_.pop_back();
        if (process->isAlive())
            return process;
        retire(std::move(process));
        changed_.notify_all();
    }
    return nullptr;
}

// Whether memory allows one more office beside the starting ones just counted: the first
// always starts.
bool OfficePool::mayStartAnother(int starting) const
{
    if (ready_.empty() && inUse_ == 0 && starting == 0)
        return true;
    const qint64 available = availableMemory();
    return available < 0 || available - (starting + 1) * settings_.memory.perOffice >= settings_.memory.reserve;
}

// A borrower waits for a process the pool is yet to start for it.
bool OfficePool::borrowerWaits() const
{
    return waiting_ > static_cast<int>(ready_.size()) + starting_ && !startHeldBack_;
}

// Processes ready, in use or starting.
int OfficePool::present() const
{
    return static_cast<int>(ready_.size()) + inUse_ + starting_;
}

// A process is wanted by a borrower that has none, or by a preparation that is not yet met.
bool OfficePool::anotherWanted(Clock::time_point now) const
{
    return borrowerWaits() || (now < keepUntil_ && present() < wanted_);
}

// Processes are ready and nobody uses or waits for one: they end once idle long enough.
bool OfficePool::onlyIdle() const
{
    return inUse_ == 0 && waiting_ == 0 && !ready_.empty();
}

// How many more processes to start now, beside those starting: one for each borrower that
// waits for one, or as many as a preparation lacks; no more starting at once than there are
// processors, each office keeping to one, and no more than memory allows.
int OfficePool::startsWanted(Clock::time_point now) const
{
    int wanted = borrowerWaits() ? waiting_ - static_cast<int>(ready_.size()) - starting_ : 0;
    if (now < keepUntil_)
        wanted = std::max(wanted, wanted_ - present());
    wanted = std::min(wanted, ProcessorCount() - starting_);
    int starts = 0;
    while (starts < wanted && mayStartAnother(starting_ + starts))
        ++starts;
    return starts;
}

// Starts count processes, each on a thread of its own: a borrower takes each as soon as it is
// ready, and the pool's thread goes on meanwhile. Those that no borrower waits for are warmed up
// while they wait for their run.
void OfficePool::startSome(int count)
{
    const bool warm = !borrowerWaits();
    starting_ += count;
    for (int i = 0; i < count; ++i)
        starts_.emplace_back([this, settings = settings_, warm] { started(startOne(settings, warm)); });
}

// The threads of the starts that have all ended.
void OfficePool::joinStarts(std::unique_lock<std::mutex> &lock)
{
    std::vector<std::thread> ended = std::exchange(starts_, {});
    lock.unlock();
    for (std::thread &start : ended)
        start.join();
    lock.lock();
}

OfficePool::Start OfficePool::startOne(const OfficeSettings &settings, bool warm)
{
    try {
        auto process = std::make_shared<OfficeProcess>(settings);
        process->connect();
        if (warm)
            WarmUp(*process);
        return {std::move(process), std::nullopt};
    } catch (const AutomationError &failure) {
        return {nullptr, failure};
    } catch (const css::uno::Exception &failure) {
        // Thrown by the UNO runtime of this process before any call reached the office.
        return {nullptr, OfficeErrors::unreachable(toQString(failure.Message))};
    }
}

void OfficePool::started(Start start)
{
    std::lock_guard lock(mutex_);
    --starting_;
    if (start.process) {
        ready_.push_back(std::move(start.process));
        lastUse_ = Clock::now(); // a new process has its full idle time
    } else {
        // A preparation is not tried again until asked anew.
        wanted_ = 0;
        if (inUse_ > 0 || !ready_.empty() || starting_ > 0) {
            // Those waiting wait for a process in use, ready or still starting.
            startHeldBack_ = true;
        } else {
            // Nothing to wait for: those waiting are told why.
            startHeldBack_ = false;
            ++abandonedWaits_;
            startError_ = start.error;
        }
    }
    changed_.notify_all();
}

void OfficePool::giveBack(std::shared_ptr<OfficeProcess> process)
{
    if (process) {
        if (!process->isAlive() || process->sawFailure()) {
            process->kill();
        } else if (mayServeAgain(*process)) {
            std::lock_guard lock(mutex_);
            ready_.push_back(std::move(process));
        } else {
            std::lock_guard lock(mutex_);
            retire(std::move(process));
        }
    }
    std::lock_guard lock(mutex_);
    --inUse_;
    // Kept, the process serves a borrower waiting; replaced or ended, it makes room for a start.
    startHeldBack_ = false;
    lastUse_ = Clock::now();
    changed_.notify_all();
}

// For the pool's thread to end; the office that replaces it need not wait for its processor.
void OfficePool::retire(std::shared_ptr<OfficeProcess> process)
{
    process->retire();
    toEnd_.push_back(std::move(process));
}

bool OfficePool::mayServeAgain(OfficeProcess &process)
{
    OfficeSettings settings;
    {
        std::lock_guard lock(mutex_);
        settings = settings_;
    }
    if (!(process.settings() == settings) || process.documentsLoaded() >= settings.reuse.documents
        || process.residentMemory() > settings.reuse.memoryBytes)
        return false;
    try {
        return process.holdsNothingOpen();
    } catch (const AutomationError &) {
        return false;
    }
}

void OfficePool::prepare(int count, std::chrono::milliseconds keepFor)
{
    std::lock_guard lock(mutex_);
    wanted_ = count;
    keepUntil_ = Clock::now() + keepFor;
    changed_.notify_all();
}

OfficePool::Clock::time_point OfficePool::idleDeadline() const
{
    return std::max(lastUse_ + settings_.reuse.idle, keepUntil_);
}

void OfficePool::endIdleProcesses()
{
    std::unique_lock lock(mutex_);
    wanted_ = 0;
    while (!stopping_ && !(ready_.empty() && toEnd_.empty() && ending_ == 0 && starting_ == 0)) {
        for (auto &process : std::exchange(ready_, {}))
            retire(std::move(process));
        changed_.notify_all();
        changed_.wait(lock);
    }
}

int OfficePool::readyCount() const
{
    std::lock_guard lock(mutex_);
    return static_cast<int>(ready_.size());
}

void OfficePool::shutDown()
{
    {
        std::lock_guard lock(mutex_);
        if (stopping_)
            return;
        stopping_ = true;
        changed_.notify_all();
    }
    keeper_.join();
    for (std::thread &start : starts_)
        start.join();
    endAll(std::exchange(ready_, {}));
    endAll(std::exchange(toEnd_, {}));
}

// The pool's own thread: ends what is to end, starts what was prepared, and sleeps until the
// idle processes are due to end or the pool changes.
void OfficePool::keep()
{
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        // An office that a borrower waits for starts before the replaced ones end.
        if (!toEnd_.empty() && !(borrowerWaits() && mayStartAnother(starting_))) {
            const Processes ending = std::exchange(toEnd_, {});
            ending_ = static_cast<int>(ending.size());
            lock.unlock();
            endAll(ending);
            lock.lock();
            ending_ = 0;
            changed_.notify_all();
            continue;
        }
        const auto now = Clock::now();
        if (onlyIdle() && now >= idleDeadline()) {
            for (auto &process : std::exchange(ready_, {}))
                retire(std::move(process));
            continue;
        }
        if (const int starts = startsWanted(now); starts > 0) {
            startSome(starts);
            continue;
        }
        if (starting_ == 0 && !starts_.empty()) {
            joinStarts(lock);
            continue;
        }
        auto wake = Clock::time_point::max();
        if (onlyIdle())
            wake = idleDeadline();
        if (anotherWanted(now))
            wake = std::min(wake, now + MemoryRecheck); // held back by the memory reserve
        if (wake == Clock::time_point::max())
            changed_.wait(lock);
        else
            changed_.wait_until(lock, wake);
    }
}
