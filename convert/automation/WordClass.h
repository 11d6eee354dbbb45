// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The class of the application object that converts documents: the office engine registers it,
// the conversion creates, prepares and looks for objects of it.

#include <QString>

inline const QString WordClass = QStringLiteral("Word.Application");
