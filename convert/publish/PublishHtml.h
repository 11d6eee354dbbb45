// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Saving a web page: written into a staging folder beside its place, then put in place whole
// (see StagedPage) at once, or, while a DeferredPublication holds this thread's pages, later,
// when its holder says so.

#include "StagedPage.h"

#include <QString>

#include <functional>
#include <vector>

// write receives the staged page, which it fills: the page at its pagePath() and the pictures
// beside it; it throws PageWriteFailure when the page cannot be written. Throws AutomationError
// SaveFailed, saying why in the user's words, or what else write throws; nothing is put in place
// then.
void PublishHtml(const QString &target, const std::function<void(StagedPage &staged)> &write);

// While one lives on a thread, the pages that thread publishes are staged and held here instead
// of being put in place, so that a run converting several documents at once can put them in
// place in its own order, or not at all.
class DeferredPublication {
public:
    DeferredPublication();
    // Discards the pages that were not taken.
    ~DeferredPublication();
    DeferredPublication(const DeferredPublication &) = delete;
    DeferredPublication &operator=(const DeferredPublication &) = delete;

    // The pages staged since, in the order they were published.
    std::vector<StagedPage> take();

private:
    friend void PublishHtml(const QString &, const std::function<void(StagedPage &)> &);
    std::vector<StagedPage> pages;
    DeferredPublication *outer;
};
