// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pointers drawn in cursor (.cur) and icon (.ico) files, as the program ships them.

#include <QCursor>
#include <QString>

#include <optional>

// The pointer in the file at `path`, with the hot spot the cursor file names (an icon's hot
// spot is its centre); nothing when the file cannot be read as such a picture.
std::optional<QCursor> loadCursorFile(const QString &path);
