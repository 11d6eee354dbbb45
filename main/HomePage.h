// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
// The product's home page, opened in the browser on about one start in a hundred.
inline const QString HomePageAddress = QStringLiteral("https://quorvane.example.org/");
