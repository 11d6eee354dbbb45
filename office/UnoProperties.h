// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Named values as the office takes them: the arguments of a load or a store.

#include <com/sun/star/beans/PropertyValue.hpp>

#include <initializer_list>

inline css::beans::PropertyValue property(const char *name, const css::uno::Any &value)
{
    return css::beans::PropertyValue(rtl::OUString::createFromAscii(name), 0, value,
                                     css::beans::PropertyState_DIRECT_VALUE);
}

inline css::uno::Sequence<css::beans::PropertyValue> properties(std::initializer_list<css::beans::PropertyValue> list)
{
    return css::uno::Sequence<css::beans::PropertyValue>(list.begin(), static_cast<sal_Int32>(list.size()));
}
