// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A value that crosses the automation boundary: empty, automation boolean (true is -1,
// false is 0), 32-bit integer, text, or an object.

#include <QString>

#include <cstdint>
#include <memory>
#include <variant>

class AutomationObject;
using ObjectRef = std::shared_ptr<AutomationObject>;

class Variant {
public:
    enum class Type { Empty, Boolean, Integer, Text, Object };

    Variant() = default;
    Variant(std::int32_t value)
        : value_(value)
    {
    }
    Variant(const QString &value)
        : value_(value)
    {
    }
    Variant(const char *value)
        : value_(QString::fromUtf8(value))
    {
    }
    Variant(ObjectRef value)
        : value_(std::move(value))
    {
    }
    static Variant fromBool(bool value);

    Type type() const;
    bool isEmpty() const { return type() == Type::Empty; }

    // Each conversion throws an AutomationError (type mismatch) when the value is of another
    // type; an integer reads as a boolean the way automation does (non-zero is true).
    bool toBool() const;
    std::int32_t toInt() const; // a boolean reads as -1 or 0
    QString toText() const;
    ObjectRef toObject() const;

    bool operator==(const Variant &other) const { return value_ == other.value_; }
    bool operator!=(const Variant &other) const { return !(*this == other); }
    // For test output: "Empty", "True", "-1", "\"text\"", "Object".
    QString describe() const;

private:
    struct Boolean {
        std::int16_t raw; // -1 or 0
        bool operator==(const Boolean &other) const { return raw == other.raw; }
    };
    using Value = std::variant<std::monostate, Boolean, std::int32_t, QString, ObjectRef>;
    explicit Variant(Boolean value)
        : value_(value)
    {
    }
    Value value_;
};
