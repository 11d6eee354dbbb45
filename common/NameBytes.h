// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File names as the system keeps them: bytes, which need not be UTF-8 (archives copied from old
// systems hold Latin-1 names). A name's text keeps every byte: UTF-8 as its characters, each byte
// that is not as a lone low surrogate U+DC80..U+DCFF, so that the text gives back the very same
// bytes. Every file-system call on a user's name goes through those bytes; a name is shown in its
// readable form.

#include <QByteArray>
#include <QString>

// The text of the name bytes; lossless for any bytes.
QString NameFromBytes(const QByteArray &bytes);

// The bytes of the name text: those it was made of by NameFromBytes; other text as UTF-8.
QByteArray NameToBytes(const QString &name);

// The name as a user reads it, on one line: each byte that is not UTF-8 as \xNN, each control
// character and line break as \uNNNN.
QString ReadableName(const QString &name);

// The name with each byte that is not UTF-8 as the replacement character U+FFFD: valid text, for
// matching it against a pattern.
QString NameWithReplacements(const QString &name);
