// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Rows of a parameterised test: each row has a name, which names its test case; its friend
// PrintTo, `friend void PrintTo(const Row &row, std::ostream *out) { *out << row.name; }`, lets
// the row stand for itself in a failure.

#include <ostream>
#include <string>

inline constexpr auto RowName = [](const auto &info) { return std::string(info.param.name); };
