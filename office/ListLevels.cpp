// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListLevels.h"

#include "SymbolBullets.h"
#include "UnoText.h"

#include <com/sun/star/style/NumberingType.hpp>
#include <com/sun/star/uno/Sequence.hxx>

namespace NumberingType = css::style::NumberingType;

ListLevelFormat ListLevelFormatOf(const css::uno::Sequence<css::beans::PropertyValue> &properties)
{
    ListLevelFormat format{NumberingType::BITMAP, {}, {}, {}, 1, {}, {}};
    for (const auto &property : properties) {
        if (property.Name == "NumberingType")
            property.Value >>= format.type;
        else if (property.Name == "Prefix")
            property.Value >>= format.prefix;
        else if (property.Name == "Suffix")
            property.Value >>= format.suffix;
        else if (property.Name == "ListFormat")
            property.Value >>= format.listFormat;
        else if (property.Name == "ParentNumbering")
            property.Value >>= format.parentLevels;
        else if (property.Name == "BulletChar")
            property.Value >>= format.bullet;
        else if (property.Name == "BulletFont")
            property.Value >>= format.bulletFont;
    }
    return format;
}

std::optional<QString> LabelWithoutNumber(const ListLevelFormat &format)
{
    if (format.type == NumberingType::NUMBER_NONE)
        return QString();
    if (format.type == NumberingType::CHAR_SPECIAL)
        return BulletText(toQString(format.bullet), toQString(format.bulletFont.Name));
    return std::nullopt;
}

bool LabelledAsByABrowser(const ListLevelFormat &format, sal_Int32 level)
{
    switch (format.type) {
    case NumberingType::ARABIC:
    case NumberingType::CHARS_UPPER_LETTER:
    case NumberingType::CHARS_LOWER_LETTER:
    case NumberingType::ROMAN_UPPER:
    case NumberingType::ROMAN_LOWER:
        return format.listFormat.isEmpty() ? format.prefix.isEmpty() && format.suffix == "." && format.parentLevels <= 1
                                           : format.listFormat == "%" + rtl::OUString::number(level + 1) + "%.";
    case NumberingType::BITMAP:
        return true;
    case NumberingType::CHAR_SPECIAL: {
        // Nested lists get a disc, then a circle, then squares.
        static const QString browsers[] = {QStringLiteral("\u2022"), QStringLiteral("\u25E6"),
                                           QStringLiteral("\u25AA")};
        const std::optional<QString> shown = LabelWithoutNumber(format);
        return !shown || *shown == browsers[qMin(level, 2)];
    }
    default:
        return false;
    }
}
