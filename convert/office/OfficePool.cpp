#include "OfficePool.h"

#include "AutomationError.h"
#include "OfficeProcess.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <algorithm>
#include <iterator>

namespace {
bool operator==(const OfficeLimits &a, const OfficeLimits &b)
{
    return a.start == b.start && a.call == b.call && a.quitGrace == b.quitGrace;
}

bool operator==(const OfficeReuse &a, const OfficeReuse &b)
{
    return a.documents == b.documents && a.memoryBytes == b.memoryBytes && a.idle == b.idle && a.standby == b.standby;
}

bool operator==(const OfficeSettings &a, const OfficeSettings &b)
{
    return a.program == b.program && a.profileRoot == b.profileRoot && a.limits == b.limits && a.reuse == b.reuse;
}

void endAll(const std::vector<std::shared_ptr<OfficeProcess>> &processes)
{
    for (const auto &process : processes)
        process->end();
}
} // namespace

OfficePool &OfficePool::instance()
{
    static OfficePool pool;
    return pool;
}

OfficePool::OfficePool()
    : settings_(DefaultOfficeSettings())
    , ender_([this] { endIdleOnTime(); })
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
    settings_ = settings;
    endIdleProcesses();
}

std::shared_ptr<OfficeProcess> OfficePool::borrow()
{
    reapEnded();
    {
        std::lock_guard lock(mutex_);
        ++borrowed_;
        idleDeadline_.reset();
    }
    try {
        auto process = takeIdle();
        if (!process)
            process = std::make_shared<OfficeProcess>(settings_);
        // Started now, the spare is ready by the time a failure may need it; a new process
        // and the spare start side by side, one on each core.
        startSpare();
        process->connect();
        return process;
    } catch (...) {
        giveBack(nullptr);
        throw;
    }
}

std::shared_ptr<OfficeProcess> OfficePool::takeIdle()
{
    Processes dead;
    std::shared_ptr<OfficeProcess> process;
    {
        std::lock_guard lock(mutex_);
        while (!process && !warm_.empty()) {
            process = std::move(warm_.back());
            warm_.pop_back();
            if (!process->isAlive())
                dead.push_back(std::move(process));
        }
        if (!process)
            process = std::move(spare_);
    }
    if (!process)
        return nullptr;
    try {
        process->connect();
    } catch (const AutomationError &) {
        // A spare that failed to start is replaced by a new process, which reports its own failure.
        return nullptr;
    }
    return process;
}

void OfficePool::giveBack(std::shared_ptr<OfficeProcess> process)
{
    reapEnded(); // frees the profiles of ended processes for the spare started below
    if (process) {
        if (!process->isAlive() || process->sawFailure())
            process->kill();
        else if (mayServeAgain(*process))
            keepWarm(std::move(process));
        else
            endInBackground(std::move(process));
    }
    {
        std::lock_guard lock(mutex_);
        if (--borrowed_ == 0)
            idleDeadline_ = Clock::now() + settings_.reuse.idle;
        changed_.notify_all();
    }
    startSpare();
}

bool OfficePool::mayServeAgain(OfficeProcess &process)
{
    if (!(process.settings() == settings_) || process.documentsLoaded() >= settings_.reuse.documents
        || process.residentMemory() > settings_.reuse.memoryBytes)
        return false;
    try {
        return process.holdsNothingOpen();
    } catch (const AutomationError &) {
        return false;
    }
}

void OfficePool::startSpare()
{
    {
        std::lock_guard lock(mutex_);
        if (!settings_.reuse.standby || spare_ || stopping_)
            return;
    }
    try {
        auto spare = std::make_shared<OfficeProcess>(settings_);
        std::lock_guard lock(mutex_);
        spare_ = std::move(spare);
    } catch (const AutomationError &) {
        // Without a spare the next application object starts its own, and reports why it cannot.
    }
}

void OfficePool::keepWarm(std::shared_ptr<OfficeProcess> process)
{
    std::lock_guard lock(mutex_);
    warm_.push_back(std::move(process));
}

void OfficePool::endInBackground(std::shared_ptr<OfficeProcess> process)
{
    std::lock_guard lock(mutex_);
    toEnd_.push_back(std::move(process));
    changed_.notify_all();
}

OfficePool::Processes OfficePool::takeAllIdle()
{
    Processes idle = std::move(warm_);
    warm_.clear();
    if (spare_)
        idle.push_back(std::move(spare_));
    return idle;
}

void OfficePool::endIdleProcesses()
{
    Processes idle;
    {
        std::unique_lock lock(mutex_);
        idle = takeAllIdle();
        changed_.wait(lock, [this] { return stopping_ || (toEnd_.empty() && ending_ == 0); });
    }
    endAll(idle);
    reapEnded();
}

void OfficePool::reapEnded()
{
    Processes ended;
    {
        std::lock_guard lock(mutex_);
        ended.swap(ended_);
    }
    // The ended processes are destroyed here, on leaving: destroying one waits for its process,
    // which only the thread that started it may do.
}

void OfficePool::shutDown()
{
    Processes idle;
    {
        std::lock_guard lock(mutex_);
        if (stopping_)
            return;
        stopping_ = true;
        idle = takeAllIdle();
        changed_.notify_all();
    }
    ender_.join();
    endAll(idle);
    endAll(toEnd_);
    toEnd_.clear();
    reapEnded();
}

void OfficePool::endIdleOnTime()
{
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        if (idleDeadline_ && Clock::now() >= *idleDeadline_) {
            idleDeadline_.reset();
            Processes idle = takeAllIdle();
            std::move(idle.begin(), idle.end(), std::back_inserter(toEnd_));
        }
        if (!toEnd_.empty()) {
            Processes ending = std::move(toEnd_);
            toEnd_.clear();
            ending_ = static_cast<int>(ending.size());
            lock.unlock();
            endAll(ending);
            lock.lock();
            ending_ = 0;
            std::move(ending.begin(), ending.end(), std::back_inserter(ended_));
            QMetaObject::invokeMethod(
                &startingThread_, [this] { reapEnded(); }, Qt::QueuedConnection);
            changed_.notify_all();
        } else if (idleDeadline_) {
            changed_.wait_until(lock, *idleDeadline_);
        } else {
            changed_.wait(lock);
        }
    }
}
