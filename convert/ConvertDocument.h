// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One listed document to one HTML file beside it, through a Word instance of its own.

#include "StagedPage.h"
#include "WordSaveAs.h"

#include <QString>

#include <cstdint>
#include <optional>

// The page of the document at path: its path with the extension replaced by ".htm" (a name
// without an extension gets ".htm" added); in pageFolder under that file name when one is given.
QString PagePath(const QString &path, const QString &pageFolder = {});

// Creates "Word.Application", opens path as it is, saves it as HTML in format (a WordSaveFormat;
// none: nothing is saved) for its PagePath in pageFolder (empty: beside the document), and quits
// the instance. The page is staged beside its place before the save, and SaveAs writes it into
// the staging folder; it is returned there, not yet in place: the caller commits it when its
// turn comes, or drops it and nothing is left (nothing without a format). Throws
// AutomationError; the instance
// is quit on every path, and a failure of that Quit never hides the failure that came first.
// A document whose page would be itself (a name ending in ".htm", its page beside it) fails with
// WouldOverwriteSource before anything is saved; any other, "Report.html" or "Report.HTM" too,
// converts.
std::optional<StagedPage> ConvertDocument(const QString &path, std::optional<std::int32_t> format,
                                          const QString &pageFolder = {});
