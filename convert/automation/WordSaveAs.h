// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The save of a document as a web page through "Word.Application": the two save formats and the
// eleven named arguments of SaveAs, as the conversion passes them and the engine binds them.

#include "AutomationObject.h"

#include <QStringList>

#include <cstdint>

namespace WordSaveFormat {
constexpr std::int32_t Html = 8;          // "Normal": pictures beside the page
constexpr std::int32_t FilteredHtml = 10; // "Filtered": one self-contained page
} // namespace WordSaveFormat

// SaveAs's arguments in its own parameter order: the page's file name and format, every other
// one at its fixed value (AddToRecentFiles True, the rest False or empty text).
NamedArguments SaveAsArguments(const QString &fileName, std::int32_t format);

// SaveAs's parameter names, in order.
QStringList SaveAsParameters();
