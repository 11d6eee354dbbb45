// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SymbolBullets.h"

#include <QStringList>

#include <algorithm>
#include <iterator>

namespace {

struct Glyph {
    char16_t code; // in the font's own code, U+0020..U+00FF
    char16_t character;
};

// The shapes that documents use as bullets, as the office draws them.
constexpr Glyph SymbolGlyphs[] = {{0x2A, u'\u2217'}, {0x2D, u'\u2212'}, {0xA7, u'\u2663'}, {0xA8, u'\u2666'},
                                  {0xA9, u'\u2665'}, {0xAA, u'\u2660'}, {0xAE, u'\u2192'}, {0xB0, u'\u00B0'},
                                  {0xB7, u'\u2022'}, {0xD7, u'\u22C5'}, {0xDE, u'\u21D2'}, {0xE0, u'\u25CA'}};
constexpr Glyph WingdingsGlyphs[] = {{0x6C, u'\u25CF'}, {0x6E, u'\u25A0'}, {0x6F, u'\u25A1'}, {0x71, u'\u2751'},
                                     {0x75, u'\u25C6'}, {0x76, u'\u2756'}, {0xA7, u'\u25AA'}, {0xD8, u'\u27A2'},
                                     {0xFB, u'\u2717'}, {0xFC, u'\u2713'}, {0xFD, u'\u2612'}, {0xFE, u'\u2611'}};

template <std::size_t Size>
std::optional<QString> lookUp(const Glyph (&glyphs)[Size], char16_t code)
{
    const auto found = std::find_if(std::begin(glyphs), std::end(glyphs),
                                    [code](const Glyph &glyph) { return glyph.code == code; });
    if (found == std::end(glyphs))
        return std::nullopt;
    return QString(QChar(found->character));
}

bool isPrivateUse(char16_t c)
{
    return c >= 0xE000 && c <= 0xF8FF;
}

} // namespace

std::optional<QString> BulletText(const QString &bullet, const QString &font)
{
    if (bullet.isEmpty())
        return std::nullopt;
    const char16_t first = bullet.front().unicode();
    const char16_t code = first >= 0xF020 && first <= 0xF0FF ? first - 0xF000 : first;
    if (font.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0)
        return bullet.size() == 1 ? lookUp(SymbolGlyphs, code) : std::nullopt;
    if (font.compare(QLatin1String("Wingdings"), Qt::CaseInsensitive) == 0)
        return bullet.size() == 1 ? lookUp(WingdingsGlyphs, code) : std::nullopt;
    static const QStringList otherSymbolFonts{QStringLiteral("Wingdings 2"),  QStringLiteral("Wingdings 3"),
                                              QStringLiteral("Webdings"),     QStringLiteral("Marlett"),
                                              QStringLiteral("ZapfDingbats"), QStringLiteral("Zapf Dingbats")};
    if (otherSymbolFonts.contains(font, Qt::CaseInsensitive)
        || std::any_of(bullet.begin(), bullet.end(), [](QChar c) { return isPrivateUse(c.unicode()); }))
        return std::nullopt;
    return bullet;
}
