// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PublishHtml.h"

#include "LocalPaths.h"
#include "WriteFailure.h"

void PublishHtml(const QString &target, const std::function<void(StagedPage &staged)> &write)
{
    StagedPage staged(target);
    try {
        write(staged);
    } catch (const PageWriteFailure &failure) {
        // Looked up while what was written still takes its space.
        throw PageNotSaved(staged.place(), WhyNotWritten(staged.place(), staged.freeBefore(), failure.reason));
    }
    const std::optional<struct stat> page = FileStatus(staged.pagePath());
    if (!page || !S_ISREG(page->st_mode))
        throw PageNotSaved(staged.place(), QStringLiteral("no page was written"));
    staged.commit();
}
