// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NameBytes.h"

namespace {

constexpr char16_t FirstEscape = 0xDC80; // stands for the byte 0x80
constexpr char16_t LastEscape = 0xDCFF;  // for the byte 0xFF

// The length of the UTF-8 sequence that starts at bytes[at] in its shortest form, of a character
// other than a surrogate; 0 when the byte there starts none.
qsizetype utf8SequenceAt(const QByteArray &bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    qsizetype length = 0;
    unsigned char secondLow = 0x80, secondHigh = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        secondLow = lead == 0xE0 ? 0xA0 : 0x80;  // shorter forms
        secondHigh = lead == 0xED ? 0x9F : 0xBF; // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        secondLow = lead == 0xF0 ? 0x90 : 0x80;
        secondHigh = lead == 0xF4 ? 0x8F : 0xBF; // beyond U+10FFFF
    }
    if (length == 0 || at + length > bytes.size() || byte(1) < secondLow || byte(1) > secondHigh)
        return 0;
    for (qsizetype i = 2; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
    }
    return length;
}

// The escape of a byte that is not UTF-8, at name[at]: a low surrogate of the escapes' range that
// does not end a surrogate pair.
bool isEscapeAt(const QString &name, qsizetype at)
{
    const char16_t unit = name[at].unicode();
    return unit >= FirstEscape && unit <= LastEscape && !(at > 0 && name[at - 1].isHighSurrogate());
}

QString hex(uint value, int digits)
{
    return QString::number(value, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

} // namespace

QString NameFromBytes(const QByteArray &bytes)
{
    QString name;
    name.reserve(bytes.size());
    qsizetype runStart = 0;
    for (qsizetype at = 0; at < bytes.size();) {
        if (const qsizetype length = utf8SequenceAt(bytes, at)) {
            at += length;
            continue;
        }
        name += QString::fromUtf8(bytes.mid(runStart, at - runStart));
        name += QChar(static_cast<char16_t>(FirstEscape - 0x80 + static_cast<unsigned char>(bytes[at])));
        runStart = ++at;
    }
    name += QString::fromUtf8(bytes.mid(runStart));
    return name;
}

QByteArray NameToBytes(const QString &name)
{
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype runStart = 0;
    for (qsizetype at = 0; at < name.size(); ++at) {
        if (!isEscapeAt(name, at))
            continue;
        bytes += name.mid(runStart, at - runStart).toUtf8();
        bytes += static_cast<char>(name[at].unicode() - FirstEscape + 0x80);
        runStart = at + 1;
    }
    bytes += name.mid(runStart).toUtf8();
    return bytes;
}

QString ReadableName(const QString &name)
{
    QString readable;
    readable.reserve(name.size());
    for (qsizetype at = 0; at < name.size(); ++at) {
        const QChar c = name[at];
        if (isEscapeAt(name, at))
            readable += QLatin1String("\\x") + hex(c.unicode() - FirstEscape + 0x80, 2);
        else if (c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line
                 || c.category() == QChar::Separator_Paragraph)
            readable += QLatin1String("\\u") + hex(c.unicode(), 4);
        else
            readable += c;
    }
    return readable;
}

QString NameWithReplacements(const QString &name)
{
    QString replaced = name;
    for (qsizetype at = 0; at < replaced.size(); ++at) {
        if (isEscapeAt(name, at))
            replaced[at] = QChar::ReplacementCharacter;
    }
    return replaced;
}
