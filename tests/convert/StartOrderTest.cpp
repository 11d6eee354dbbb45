// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The order in which a run's documents start, each taking exactly what it was expected to: the
// first document first, a heavy one out of turn when it would otherwise end the run late, the
// rest in list order.
#include "StartOrder.h"
#include "Rows.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

namespace {

struct Starts {
    const char *name;
    std::vector<qint64> costs;
    int jobs;
    std::vector<int> order; // the documents (0-based) in the order they start
    qint64 end;             // when the last one ends
    friend void PrintTo(const Starts &row, std::ostream *out) { *out << row.name; }
};

class StartOrderTest : public testing::TestWithParam<Starts> {};

} // namespace

// Each job, once free, starts the document given; a document converts for its expected cost.
TEST_P(StartOrderTest, StartsTheDocumentsInThisOrder)
{
    const std::vector<qint64> &costs = GetParam().costs;
    StartOrder order(costs, GetParam().jobs);
    std::vector<int> started;
    std::multimap<qint64, int> converting; // by when each ends
    const auto startAt = [&](qint64 time) {
        if (const std::optional<int> next = order.startNext()) {
            started.push_back(*next);
            converting.emplace(time + costs[*next], *next);
        }
    };
    for (int job = 0; job < GetParam().jobs; ++job)
        startAt(0);
    qint64 time = 0;
    while (!converting.empty()) {
        time = converting.begin()->first;
        order.ended(converting.begin()->second);
        converting.erase(converting.begin());
        startAt(time);
    }
    EXPECT_THAT(started, testing::ElementsAreArray(GetParam().order));
    EXPECT_EQ(time, GetParam().end);
    EXPECT_TRUE(order.allStarted());
}

INSTANTIATE_TEST_SUITE_P(
    StartOrder, StartOrderTest,
    testing::Values(Starts{"OneJobKeepsListOrder", {1, 1, 10, 1}, 1, {0, 1, 2, 3}, 13},
                    Starts{"AHeavyOneStartsBesideTheFirst", {1, 1, 1, 1, 20, 1, 1}, 2, {0, 4, 1, 2, 3, 5, 6}, 20},
                    Starts{"AHeavyFirstOneIsAlreadyFirst", {20, 1, 1, 1}, 2, {0, 1, 2, 3}, 20},
                    Starts{"EqualOnesKeepListOrder", {10, 10, 10, 10, 10, 10}, 2, {0, 1, 2, 3, 4, 5}, 30},
                    Starts{"TwoHeavyOnesWithThreeJobs", {1, 1, 1, 15, 1, 1, 15, 1}, 3, {0, 3, 6, 1, 2, 4, 5, 7}, 15},
                    Starts{"ALargeOneAmongManySmallStartsBesideTheFirst",
                           {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
                            1, 1, 1, 1, 1, 1, 1, 1, 8, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},
                           2,
                           {0,  29, 1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19,
                            20, 21, 22, 23, 24, 25, 26, 27, 28, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40},
                           24},
                    // Not several times the average, started once the others left to do are no
                    // more than its expected share.
                    Starts{"AHeavierOneStartsOnlyWhenItWouldEndTheRunLate",
                           {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 3},
                           2,
                           {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 21, 12, 13, 14, 15, 16, 17, 18, 19, 20},
                           12}),
    RowName);
