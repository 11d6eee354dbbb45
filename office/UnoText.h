// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text and file names between Qt and UNO.

#include "NameBytes.h"

#include <rtl/ustring.hxx>

#include <QString>

inline rtl::OUString toOUString(const QString &text)
{
    return rtl::OUString(reinterpret_cast<const sal_Unicode *>(text.utf16()), text.size());
}

inline QString toQString(const rtl::OUString &text)
{
    return QString(reinterpret_cast<const QChar *>(text.getStr()), text.getLength());
}

// A file URL the office reads back as the same path, byte for byte: every byte of it but letters,
// digits, "-._~" and "/" percent-encoded, whatever the locale and whether the name is UTF-8 or not.
inline rtl::OUString toFileUrl(const QString &path)
{
    return toOUString(QStringLiteral("file://") + QString::fromLatin1(NameToBytes(path).toPercentEncoding("/")));
}
