// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Converts a list of documents several at a time, each through an application object of its
// own on a thread of its own, and puts their pages in place strictly in list order, on the
// thread that owns the jobs: the outcome is that of converting them one after another. The
// documents expected to take long start first (see StartOrder), so that the run is as short
// as its longest document allows.

#include "ConvertDocument.h"
#include "LookAhead.h"
#include "PublishHtml.h"
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

// What a failure that ended the run left unconverted, count documents (at least one), in a
// sentence without its full stop: "The document after it was not converted", "The 3 documents
// after it were not converted".
QString NotConvertedAfter(qsizetype count);

// The program is ending in the middle of whatever it converts: ends every office at once, then
// removes every staging folder and this program's running-object entries, so that no office
// process, no staging folder, no half-written page and no entry is left. Nothing is converted
// after.
void AbandonAllConversions();

class ConversionJobs : public QObject {
    Q_OBJECT
public:
    // Why one document was not converted. number is empty for a failure that did not come
    // from the automation layer (an exception of the program itself).
    struct Failure {
        int position = 0; // 1-based
        QString path;
        std::optional<int> number;
        QString description;
    };

    // Converts the document at index (0-based) of the list, as ConvertDocument does; called on
    // the worker threads, several at once. Throws AutomationError.
    using Conversion = std::function<void(int index)>;

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
    const std::vector<Failure> &failures() const { return failures_; }

signals:
    // position is the next document to be put in place.
    void nextToPlace(int position);
    void placed(int position);
    void failed(const ConversionJobs::Failure &failure);
    // Every document is placed or failed, or the first failure ended the run.
    void finished();
    // The last worker thread has ended: nothing of the run is left in progress.
    void workersEnded();

private:
    // What one conversion left: its staged pages and what they take, or why it failed.
    struct Result {
        std::vector<StagedPage> pages;
        Footprint footprint;
        std::optional<Failure> failure;
    };

    void work();
    bool mayStartAnother() const;
    Result convert(int index) const;
    void placeReady();
    void finish();

    const QStringList paths_;
    const Conversion conversion_;
    const int jobs_;
    const bool keepGoing_;
    std::vector<Failure> failures_;
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
