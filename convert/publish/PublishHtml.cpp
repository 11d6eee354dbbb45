// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PublishHtml.h"

#include "LocalPaths.h"
#include "WriteFailure.h"

namespace {
thread_local DeferredPublication *deferredHere = nullptr;
} // namespace

void PublishHtml(const QString &target, const std::function<void(StagedPage &staged)> &write)
{
    StagedPage staged(target);
    try {
        write(staged);
    } catch (const PageWriteFailure &failure) {
        // Looked up while what was written still takes its space.
        throw PageNotSaved(staged.target(), WhyNotWritten(staged.target(), staged.freeBefore(), failure.reason));
    }
    const std::optional<struct stat> page = FileStatus(staged.pagePath());
    if (!page || !S_ISREG(page->st_mode))
        throw PageNotSaved(staged.target(), QStringLiteral("no page was written"));
    if (deferredHere)
        deferredHere->pages.push_back(std::move(staged));
    else
        staged.commit();
}

DeferredPublication::DeferredPublication()
    : outer(std::exchange(deferredHere, this))
{
}

DeferredPublication::~DeferredPublication()
{
    deferredHere = outer;
}

std::vector<StagedPage> DeferredPublication::take()
{
    return std::exchange(pages, {});
}
