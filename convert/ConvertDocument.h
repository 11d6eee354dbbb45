// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One listed document to one HTML file beside it, through a Word instance of its own.

#include "WordSaveAs.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

// The save format of the chosen HTML flavour, asked at the moment of the save; empty when no
// flavour is chosen, in which case nothing is saved.
using SaveFormatChoice = std::function<std::optional<std::int32_t>()>;

// The page of the document at path: its path with the extension replaced by ".htm" (a name
// without an extension gets ".htm" added); in pageFolder under that file name when one is given.
QString PagePath(const QString &path, const QString &pageFolder = {});

// Creates "Word.Application", opens path as it is, saves it as HTML at its PagePath in
// pageFolder (empty: beside the document), and quits the instance. Throws AutomationError; the
// instance is quit on every path, and a failure of that Quit never hides the failure that came
// first. A document whose page would be itself (a name ending in ".htm", its page beside it)
// fails with WouldOverwriteSource before anything is saved; any other, "Report.html" or
// "Report.HTM" too, converts.
void ConvertDocument(const QString &path, const SaveFormatChoice &saveFormat, const QString &pageFolder = {});
