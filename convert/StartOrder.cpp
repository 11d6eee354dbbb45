// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartOrder.h"

#include <algorithm>
#include <numeric>

namespace {

// A document expected to take several times what the list's documents take on average starts at
// once: its size may promise much less than it takes (an old file with embedded objects can
// take a hundred times as long as its bytes suggest), and started early it costs nothing but the
// wait of its page.
constexpr qint64 LargeTimesAverage = 4;
// Any document is due to start out of turn once it is expected to take at least half of one job's
// share of the documents not yet started: started then, the other jobs still have about three
// times its expected cost to do beside it.
constexpr qint64 DueShareDivisor = 2;

} // namespace

StartOrder::StartOrder(std::vector<qint64> expectedCosts, int jobs)
    : costs_(std::move(expectedCosts))
    , jobs_(std::max(1, jobs))
    , totalCost_(std::accumulate(costs_.begin(), costs_.end(), qint64(0)))
    , byCost_(costs_.size())
    , started_(costs_.size(), false)
    , unstartedCost_(totalCost_)
{
    std::iota(byCost_.begin(), byCost_.end(), 0);
    std::stable_sort(byCost_.begin(), byCost_.end(), [this](int a, int b) { return costs_[a] > costs_[b]; });
}

std::optional<int> StartOrder::startNext()
{
    if (allStarted())
        return std::nullopt;
    if (headIsAwaited())
        return start(head_);
    if (const std::optional<int> due = heaviestDue())
        return start(*due);
    return start(head_);
}

std::optional<int> StartOrder::startHead()
{
    if (allStarted())
        return std::nullopt;
    return start(head_);
}

void StartOrder::ended(int index)
{
    converting_.erase(std::remove(converting_.begin(), converting_.end(), index), converting_.end());
}

// Every document before the head has been converted: the next page to be put in place can only
// be the head's or one already converted.
bool StartOrder::headIsAwaited() const
{
    return std::none_of(converting_.begin(), converting_.end(), [this](int index) { return index < head_; });
}

std::optional<int> StartOrder::heaviestDue()
{
    while (heaviest_ < static_cast<int>(byCost_.size()) && started_[byCost_[heaviest_]])
        ++heaviest_;
    const int heaviest = byCost_[heaviest_];
    const qint64 cost = costs_[heaviest];
    if (cost * qint64(costs_.size()) >= LargeTimesAverage * totalCost_
        || cost * DueShareDivisor * jobs_ >= unstartedCost_)
        return heaviest;
    return std::nullopt;
}

int StartOrder::start(int index)
{
    started_[index] = true;
    converting_.push_back(index);
    unstartedCost_ -= costs_[index];
    while (head_ < static_cast<int>(costs_.size()) && started_[head_])
        ++head_;
    return index;
}
