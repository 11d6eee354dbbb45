// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a level of a list shows before its items, and whether a browser's own list markers show
// it alike.

#include <com/sun/star/awt/FontDescriptor.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>

#include <QString>

#include <optional>

struct ListLevelFormat {
    sal_Int16 type; // a css::style::NumberingType
    rtl::OUString prefix;
    rtl::OUString suffix;
    rtl::OUString listFormat;   // "%1%.%2%.": the numbers of which levels, and what around them
    sal_Int16 parentLevels = 1; // the levels whose numbers it shows, its own included
    rtl::OUString bullet;
    css::awt::FontDescriptor bulletFont;
};

// The format that properties, a level of a list's numbering rules, describe.
ListLevelFormat ListLevelFormatOf(const css::uno::Sequence<css::beans::PropertyValue> &properties);

// The label of a level that numbers nothing: its bullet, nothing where it shows none; none for a
// picture and for a bullet no character shows.
std::optional<QString> LabelWithoutNumber(const ListLevelFormat &format);

// Whether a browser's own list markers show the labels of a level (level 0 the outermost) as the
// document does: its number alone, with a full stop after it, or the bullet a browser draws at
// its depth. A picture, or a bullet no character shows, the page cannot show better.
bool LabelledAsByABrowser(const ListLevelFormat &format, sal_Int32 level);
