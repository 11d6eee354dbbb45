// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Converts a list of documents several at a time, each through an application object of its
// own on a thread of its own, and puts their pages in place strictly in list order, on the
// thread that owns the jobs: the outcome is that of converting them one after another. The
// documents expected to take long start first (see StartOrder), so that the run is as short
// as its longest document allows.

#include "DocumentFailure.h"
#include "LookAhead.h"
#include "StagedPage.h"
#include "StartOrder.h"

#include <QObject>
#include <QStringList>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// The documents converted at once when nothing else is said: one per core, at most 8.
int DefaultJobCount();
// The most documents converted at once: each needs an office of its own, and no more offices
// than that can run side by side, each with its private profile.
constexpr int MaxJobCount = 64;

// The program is ending in the middle of whatever it converts: ends every office at once, then
// removes every staging folder and this program's running-object entries, so that no office
// process, no staging folder, no half-written page and no entry is left. Nothing is converted
// after.
void AbandonAllConversions();

class ConversionJobs : public QObject {
    Q_OBJECT
public:
    // Converts the document at index (0-based) of the list as ConvertDocument does, returning
    // its staged page (none: nothing was saved); called on the worker threads, several at once.
    // Throws AutomationError.
    using Conversion = std::function<std::optional<StagedPage>(int index)>;

    // format: the save format of every page (none: nothing is saved), each page beside its
    // document. jobs: documents converted at once. keepGoing: a failure does not end the run;
    // every document is tried.
    ConversionJobs(QStringList paths, std::optional<std::int32_t> format, int jobs, bool keepGoing = false);
    // The same with a conversion of the caller's own.
    ConversionJobs(QStringList paths, Conversion conversion, int jobs, bool keepGoing = false);
    // Converts nothing further, waits for the documents in progress and discards their pages.
    ~ConversionJobs() override;
    ConversionJobs(const ConversionJobs &) = delete;
    ConversionJobs &operator=(const ConversionJobs &) = delete;

    void start();
    bool isFinished() const { return finished_; }
    // True while a worker thread still converts a document.
    bool working() const;
    const std::vector<DocumentFailure> &failures() const { return failures_; }
    // Takes events until the run has finished: every document placed or failed, or the first
    // failure ended it. Returns at once when it has.
    void waitUntilFinished();
    // Takes events until no worker converts any more. Returns at once when none does.
    void waitUntilWorkersEnded();

signals:
    // position is the next document to be put in place.
    void nextToPlace(int position);
    void placed(int position);
    void failed(const DocumentFailure &failure);
    // Every document is placed or failed, or the first failure ended the run.
    void finished();
    // The last worker thread has ended: nothing of the run is left in progress.
    void workersEnded();

private:
    // What one conversion left: its staged page and what it takes, or why it failed.
    struct Result {
        std::optional<StagedPage> page;
        Footprint footprint;
        std::optional<DocumentFailure> failure;
    };

    void work();
    bool mayStartAnother() const;
    Result convert(int index) const;
    void placeReady();
    void finish();
    void waitFor(void (ConversionJobs::*signal)(), const std::function<bool()> &reached);

    const QStringList paths_;
    const Conversion conversion_;
    const int jobs_;
    const bool keepGoing_;
    std::vector<DocumentFailure> failures_;
    bool finished_ = false;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::optional<Result>> results_;
    StartOrder order_;
    LookAhead lookAhead_;
    int nextToPlace_ = 0;
    int workersRunning_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};
