// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Bullets as characters a browser can show. A document's bullet drawn from a symbol font is a
// code of that font (at U+F020..U+F0FF or U+0020..U+00FF), which means nothing in any other
// font; the common ones become the Unicode characters they look like.

#include <QString>

#include <optional>

// The text that shows bullet, a character of the font named font: the character itself, or the
// one a symbol font's bullet looks like; none for a symbol font's character without such a
// character, and for a character of the private use area.
std::optional<QString> BulletText(const QString &bullet, const QString &font);
