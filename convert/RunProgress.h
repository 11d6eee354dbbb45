// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the progress bar stands while the document at position (1-based) of count is converted:
// it already counts that document, so it reads 100 during the last one. Computed in double and
// handed on in single precision, as the bar's value is (33.333332, 66.666664, 100 for three).
inline float RunProgress(int position, int count)
{
    return static_cast<float>(static_cast<double>(position) / count * 100.0);
}
