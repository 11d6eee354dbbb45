// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Saving a web page: written into a staging folder beside its place, then put in place whole
// (see StagedPage).

#include "StagedPage.h"

#include <QString>

#include <functional>

// write receives the staged page, which it fills: the page at its pagePath() and the pictures
// beside it; it throws PageWriteFailure when the page cannot be written. Throws AutomationError
// SaveFailed, saying why in the user's words, or what else write throws; nothing is put in place
// then.
void PublishHtml(const QString &target, const std::function<void(StagedPage &staged)> &write);
