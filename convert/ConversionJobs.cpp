// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConversionJobs.h"

#include "ConvertDocument.h"
#include "LocalPaths.h"
#include "ObjectRegistry.h"
#include "RunningObjects.h"

#include <QEventLoop>
#include <QThread>

#include <algorithm>

namespace {

// What converting a document costs besides its bytes, in bytes of document: measured on the test
// documents, a conversion takes about 24 ms plus 0.1 s per MB, as long as for 230 KB more.
constexpr qint64 CostOfAnyDocument = 256 * 1024;

// A document is expected to take time in proportion to its size, plus what any document takes.
std::vector<qint64> expectedCosts(const QStringList &paths)
{
    std::vector<qint64> costs;
    costs.reserve(paths.size());
    for (const QString &path : paths) {
        const std::optional<struct stat> file = FileStatus(path);
        costs.push_back(CostOfAnyDocument + (file ? std::max(qint64(0), qint64(file->st_size)) : 0));
    }
    return costs;
}

} // namespace

int DefaultJobCount()
{
    return std::clamp(QThread::idealThreadCount(), 1, 8);
}

void AbandonAllConversions()
{
    // The offices first, so that none writes into a staging folder while it is removed.
    EndAllServers();
    DiscardAllStagedPages();
    RemoveOwnRunningObjects();
}

ConversionJobs::ConversionJobs(QStringList paths, std::optional<std::int32_t> format, int jobs, bool keepGoing)
    : ConversionJobs(
        paths, [paths, format](int index) { return ConvertDocument(paths.at(index), format); }, jobs, keepGoing)
{
}

ConversionJobs::ConversionJobs(QStringList paths, Conversion conversion, int jobs, bool keepGoing)
    : paths_(std::move(paths))
    , conversion_(std::move(conversion))
    , jobs_(std::clamp(jobs, 1, MaxJobCount))
    , keepGoing_(keepGoing)
    , results_(paths_.size())
    , order_(expectedCosts(paths_), jobs_)
{
}

ConversionJobs::~ConversionJobs()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (std::thread &worker : workers_)
        worker.join();
}

void ConversionJobs::start()
{
    RescanForAbandonedStaging();
    if (paths_.isEmpty()) {
        finish();
        return;
    }
    emit nextToPlace(1);
    const int workers = std::min(jobs_, static_cast<int>(paths_.size()));
    workersRunning_ = workers;
    for (int i = 0; i < workers; ++i)
        workers_.emplace_back([this] { work(); });
}

bool ConversionJobs::working() const
{
    std::lock_guard lock(mutex_);
    return workersRunning_ > 0;
}

// One worker thread: converts the document due next until none is left or the run stops; what
// each conversion left is placed by the owning thread.
void ConversionJobs::work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return stopping_ || order_.allStarted() || mayStartAnother(); });
        if (stopping_ || order_.allStarted())
            break;
        const int index = *(lookAhead_.hasRoom() ? order_.startNext() : order_.startHead());
        lookAhead_.started();
        lock.unlock();
        Result result = convert(index);
        lock.lock();
        order_.ended(index);
        if (!stopping_) {
            lookAhead_.staged(result.footprint);
            results_[index] = std::move(result);
            QMetaObject::invokeMethod(this, &ConversionJobs::placeReady, Qt::QueuedConnection);
        }
    }
    if (--workersRunning_ == 0)
        QMetaObject::invokeMethod(this, &ConversionJobs::workersEnded, Qt::QueuedConnection);
}

// Within the look-ahead any document may start; beyond it only the one the next page waits for.
bool ConversionJobs::mayStartAnother() const
{
    return lookAhead_.hasRoom() || order_.head() == nextToPlace_;
}

ConversionJobs::Result ConversionJobs::convert(int index) const
{
    try {
        std::optional<StagedPage> page = conversion_(index);
        const Footprint footprint = page ? FootprintOf(*page) : Footprint();
        return {std::move(page), footprint, std::nullopt};
    } catch (...) {
        return {{}, {}, CaughtFailure(index + 1, paths_.at(index))};
    }
}

// Puts in place, in list order, every page whose document and all documents before it are done.
void ConversionJobs::placeReady()
{
    while (!finished_) {
        Result result;
        {
            std::lock_guard lock(mutex_);
            if (!results_[nextToPlace_])
                return;
            result = std::move(*results_[nextToPlace_]);
            results_[nextToPlace_].reset();
        }
        const int position = nextToPlace_ + 1;
        std::optional<DocumentFailure> failure = std::move(result.failure);
        try {
            if (result.page)
                result.page->commit();
        } catch (...) {
            failure = CaughtFailure(position, paths_.at(position - 1));
        }
        {
            std::lock_guard lock(mutex_);
            ++nextToPlace_;
            lookAhead_.placed(result.footprint);
        }
        changed_.notify_all();
        if (failure) {
            failures_.push_back(*failure);
            emit failed(failures_.back());
            if (!keepGoing_) {
                finish();
                return;
            }
        } else {
            emit placed(position);
        }
        if (position == paths_.size()) {
            finish();
            return;
        }
        emit nextToPlace(position + 1);
    }
}

// Nothing more is placed: what the workers still convert is discarded as it comes.
void ConversionJobs::finish()
{
    std::vector<std::optional<Result>> unplaced;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        unplaced.swap(results_);
    }
    changed_.notify_all();
    finished_ = true;
    emit finished();
}

void ConversionJobs::waitUntilFinished()
{
    waitFor(&ConversionJobs::finished, [this] { return finished_; });
}

void ConversionJobs::waitUntilWorkersEnded()
{
    waitFor(&ConversionJobs::workersEnded, [this] { return !working(); });
}

// The signal is emitted on this thread, so it cannot come between the look and the wait.
void ConversionJobs::waitFor(void (ConversionJobs::*signal)(), const std::function<bool()> &reached)
{
    if (reached())
        return;
    QEventLoop waiting;
    connect(this, signal, &waiting, &QEventLoop::quit);
    waiting.exec();
}
