// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "OfficeProcessors.h"

#include "FreeLock.h"

#include <algorithm>
#include <mutex>

#include <pthread.h>
#include <unistd.h>

namespace {
// The processors this program may run on: its main thread's, which never keeps to one.
bool programProcessors(cpu_set_t &processors)
{
    CPU_ZERO(&processors);
    return ::sched_getaffinity(::getpid(), sizeof processors, &processors) == 0;
}
} // namespace

ProcessorClaim::ProcessorClaim(const QString &root)
{
    cpu_set_t allowed;
    if (!programProcessors(allowed))
        return;
    // Offices start on several threads at once; each must get a processor of its own.
    static std::mutex choosing;
    const std::lock_guard choice(choosing);
    for (int processor = 0; processor < CPU_SETSIZE; ++processor) {
        if (!CPU_ISSET(processor, &allowed))
            continue;
        lock_ = TakeFreeLock(root + QStringLiteral("/processor-%1.lock").arg(processor));
        if (lock_) {
            processor_ = processor;
            return;
        }
    }
}

void ProcessorClaim::release()
{
    lock_.reset();
}

int ProcessorCount()
{
    cpu_set_t allowed;
    return programProcessors(allowed) ? std::max(1, CPU_COUNT(&allowed)) : 1;
}

cpu_set_t OnlyProcessor(int processor)
{
    cpu_set_t only;
    CPU_ZERO(&only);
    CPU_SET(processor, &only);
    return only;
}

OnProcessor::OnProcessor(std::optional<int> processor)
{
    if (!processor)
        return;
    const cpu_set_t only = OnlyProcessor(*processor);
    changed_ = ::pthread_getaffinity_np(::pthread_self(), sizeof before_, &before_) == 0
               && ::pthread_setaffinity_np(::pthread_self(), sizeof only, &only) == 0;
}

OnProcessor::~OnProcessor()
{
    if (changed_)
        ::pthread_setaffinity_np(::pthread_self(), sizeof before_, &before_);
}
