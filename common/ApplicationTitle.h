// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
// The main window's caption and the title of every message box and input box.
inline const QString ApplicationTitle = QStringLiteral("Quorvane");
