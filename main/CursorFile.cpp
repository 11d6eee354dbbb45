// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CursorFile.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPixmap>
#include <QtEndian>

namespace {

// The file's directory: type (1 icon, 2 cursor) and, for a cursor, the hot spot of its first
// picture, which a cursor file keeps where an icon keeps planes and bit count.
struct CursorHeader {
    quint16 type = 0;
    QPoint hotSpot{-1, -1};
};

constexpr int DirectorySize = 6;
constexpr int EntrySize = 16;

std::optional<CursorHeader> readHeader(const QByteArray &bytes)
{
    if (bytes.size() < DirectorySize + EntrySize)
        return std::nullopt;
    const auto word = [&bytes](int offset) { return qFromLittleEndian<quint16>(bytes.constData() + offset); };
    CursorHeader header;
    header.type = word(2);
    if (word(0) != 0 || (header.type != 1 && header.type != 2) || word(4) == 0)
        return std::nullopt;
    if (header.type == 2)
        header.hotSpot = QPoint(word(DirectorySize + 4), word(DirectorySize + 6));
    return header;
}

} // namespace

std::optional<QCursor> loadCursorFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    const std::optional<CursorHeader> header = readHeader(bytes);
    if (!header)
        return std::nullopt;
    // Qt's reader takes icons only; the pictures of a cursor file are stored alike.
    bytes[2] = 1;
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "ico");
    const QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return QCursor(QPixmap::fromImage(image), header->hotSpot.x(), header->hotSpot.y());
}
