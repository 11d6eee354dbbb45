// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Variant.h"

#include "AutomationError.h"

namespace {
[[noreturn]] void typeMismatch(const char *wanted)
{
    throw AutomationError(AutomationErrorNumber::TypeMismatch,
                          QStringLiteral("Type mismatch: a %1 value was expected.").arg(QLatin1String(wanted)));
}
} // namespace

Variant Variant::fromBool(bool value)
{
    return Variant(Boolean{static_cast<std::int16_t>(value ? -1 : 0)});
}

Variant::Type Variant::type() const
{
    return static_cast<Type>(value_.index());
}

bool Variant::toBool() const
{
    if (const auto *b = std::get_if<Boolean>(&value_))
        return b->raw != 0;
    if (const auto *i = std::get_if<std::int32_t>(&value_))
        return *i != 0;
    typeMismatch("boolean");
}

std::int32_t Variant::toInt() const
{
    if (const auto *i = std::get_if<std::int32_t>(&value_))
        return *i;
    if (const auto *b = std::get_if<Boolean>(&value_))
        return b->raw;
    typeMismatch("integer");
}

QString Variant::toText() const
{
    if (const auto *s = std::get_if<QString>(&value_))
        return *s;
    typeMismatch("text");
}

ObjectRef Variant::toObject() const
{
    if (const auto *o = std::get_if<ObjectRef>(&value_); o && *o)
        return *o;
    typeMismatch("object");
}

QString Variant::describe() const
{
    switch (type()) {
    case Type::Empty:
        return QStringLiteral("Empty");
    case Type::Boolean:
        return toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case Type::Integer:
        return QString::number(toInt());
    case Type::Text:
        return QLatin1Char('"') + toText() + QLatin1Char('"');
    case Type::Object:
        return QStringLiteral("Object");
    }
    return {};
}
