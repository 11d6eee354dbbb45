// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The page as the office writes it in its private folder: under a short plain name of the
// program's own, which the office writes whatever bytes the page's own name holds and however
// long it is; the pictures beside it are named after it. Once written, page and pictures take the
// page's own name and the page's links follow them.

#include <QString>

// Where the office writes the page in its private folder.
QString WorkPagePath(const QString &folder);

// Gives the page written at WorkPagePath(folder) and its pictures the names of the page target,
// "Report.htm" and its "Report_htm_<16 hex digits>.<type>", and points the page's links at them.
// Throws PageWriteFailure, saying so, when the name of a picture would not fit beside target.
void NameWorkPage(const QString &folder, const QString &target);
