// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which processor an office and the threads that talk to it run on. A document costs some
// hundreds of short calls between this program and its office, each a hand-over from one
// thread to another. Left free, the two ends of a call land on different processors, or queue
// behind another office's work, and a processor waits idle for the hand-over; kept together on
// one processor, an office and its callers hand over at once.

#include <QLockFile>
#include <QString>

#include <sched.h>

#include <memory>
#include <optional>

// One office's hold on a processor of its own: the first of those this program may run on that
// no other office holds, ours or another program's (a lock file under root for each); none while
// all are held, and the system places that office. Held until released or destroyed.
class ProcessorClaim {
public:
    explicit ProcessorClaim(const QString &root);
    ProcessorClaim(const ProcessorClaim &) = delete;
    ProcessorClaim &operator=(const ProcessorClaim &) = delete;

    std::optional<int> processor() const { return processor_; }
    // The office is to end: the office that replaces it may take the processor while it ends.
    // The office keeps to it until then.
    void release();

private:
    std::optional<int> processor_;
    std::unique_ptr<QLockFile> lock_;
};

// How many processors this program may run on; at least one.
int ProcessorCount();

// The set that holds processor alone.
cpu_set_t OnlyProcessor(int processor);

// While it lasts, the calling thread keeps to processor, if any; then it keeps to those it kept
// to before. Threads started meanwhile keep to the same.
class OnProcessor {
public:
    explicit OnProcessor(std::optional<int> processor);
    ~OnProcessor();
    OnProcessor(const OnProcessor &) = delete;
    OnProcessor &operator=(const OnProcessor &) = delete;

private:
    cpu_set_t before_;
    bool changed_ = false;
};
