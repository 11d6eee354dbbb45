// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "OfficeProcessors.h"

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

std::optional<int> ProcessorForSlot(int slot)
{
    cpu_set_t allowed;
    if (slot < 0 || !programProcessors(allowed))
        return std::nullopt;
    for (int processor = 0, counted = 0; processor < CPU_SETSIZE; ++processor) {
        if (CPU_ISSET(processor, &allowed) && counted++ == slot)
            return processor;
    }
    return std::nullopt;
}

OnProcessor::OnProcessor(std::optional<int> processor)
{
    cpu_set_t wanted;
    if (processor) {
        CPU_ZERO(&wanted);
        CPU_SET(*processor, &wanted);
    } else if (!programProcessors(wanted)) {
        return;
    }
    changed_ = ::pthread_getaffinity_np(::pthread_self(), sizeof before_, &before_) == 0
               && ::pthread_setaffinity_np(::pthread_self(), sizeof wanted, &wanted) == 0;
}

OnProcessor::~OnProcessor()
{
    if (changed_)
        ::pthread_setaffinity_np(::pthread_self(), sizeof before_, &before_);
}
