// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text and file names between Qt and UNO.

#include <rtl/ustring.hxx>

#include <QString>
#include <QUrl>

inline rtl::OUString toOUString(const QString &text)
{
    return rtl::OUString(reinterpret_cast<const sal_Unicode *>(text.utf16()), text.size());
}

inline QString toQString(const rtl::OUString &text)
{
    return QString(reinterpret_cast<const QChar *>(text.getStr()), text.getLength());
}

// A file URL the office reads back as the same path: blanks, '#', '%', quotes and non-ASCII
// letters are percent-encoded as UTF-8, whatever the locale.
inline rtl::OUString toFileUrl(const QString &path)
{
    return toOUString(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded));
}
