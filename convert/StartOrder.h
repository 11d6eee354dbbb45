// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The order in which the documents of a run start converting, when several convert at once. The
// run ends no sooner than its longest document, so the documents expected to take long start at
// once, the heaviest first, rather than at their turn: those several times as large as the list's
// average, and any that would otherwise be left to end the run alone. The others start in list
// order, since the pages are put in place in list order and a page waits for every document
// before it. Whenever every document before the first one not yet started has been converted,
// that one starts first: the progress waits for it alone, so the first page is placed within
// about one document's time.

#include <QtGlobal>

#include <optional>
#include <vector>

class StartOrder {
public:
    // expectedCosts: what each document is expected to take, in list order, in any unit. jobs:
    // documents converted at once.
    StartOrder(std::vector<qint64> expectedCosts, int jobs);

    bool allStarted() const { return head_ >= static_cast<int>(costs_.size()); }
    // The first document in list order not yet started (0-based); the count when all have.
    int head() const { return head_; }
    // The document to start now, taken as started; none when every document has started.
    std::optional<int> startNext();
    // The first document in list order not yet started, taken as started.
    std::optional<int> startHead();
    // The document has ended converting, whatever the outcome.
    void ended(int index);

private:
    bool headIsAwaited() const;
    std::optional<int> heaviestDue();
    int start(int index);

    const std::vector<qint64> costs_;
    const int jobs_;
    const qint64 totalCost_;
    std::vector<int> byCost_; // the documents, the heaviest first, in list order among equals
    std::vector<bool> started_;
    std::vector<int> converting_;
    qint64 unstartedCost_ = 0;
    int head_ = 0;
    int heaviest_ = 0; // into byCost_: no document before it is left to start
};
