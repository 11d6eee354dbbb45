// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WriteFailure.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <cerrno>
#include <cstring>

#include <sys/statvfs.h>
#include <unistd.h>

namespace {

// Below this the device counts as full: a page and its pictures take more.
constexpr qint64 NearlyFull = 64 * 1024;
// Pictures written beside a page are named after it, "Report.htm" giving
// "Report_htm_<16 hex digits>.<type>": up to that many bytes longer than the page's own name.
constexpr int PictureNameExtra = 22;

QString size(qint64 bytes)
{
    return QLocale::c().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

} // namespace

QString PictureNamesTooLong(const QString &target)
{
    const QFileInfo page(target);
    const long nameMax = ::pathconf(QFile::encodeName(page.absolutePath()).constData(), _PC_NAME_MAX);
    if (nameMax <= 0 || QFile::encodeName(page.fileName()).size() + PictureNameExtra <= nameMax)
        return {};
    return QStringLiteral("the name \"%1\" is too long for the file system, which takes names of at most %2 bytes, "
                          "the names of the pictures beside the page included")
        .arg(page.fileName())
        .arg(nameMax);
}

qint64 FreeSpace(const QString &folder)
{
    struct statvfs device {};
    if (::statvfs(QFile::encodeName(folder).constData(), &device) != 0)
        return -1;
    return static_cast<qint64>(device.f_bavail) * static_cast<qint64>(device.f_frsize);
}

QString WhyNotWritten(const QString &target, qint64 freeBefore, const QString &writerSays)
{
    const QFileInfo page(target);
    const QString folder = page.absolutePath();
    const qint64 free = FreeSpace(folder);
    if (free >= 0 && free < NearlyFull)
        return QStringLiteral("there is no space left on the device that holds the folder \"%1\" (%2 were free)")
            .arg(folder, size(freeBefore >= 0 ? freeBefore : free));
    if (::access(QFile::encodeName(folder).constData(), W_OK) != 0)
        return QStringLiteral("the folder \"%1\" cannot be written to (%2)")
            .arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
    const QString tooLong = PictureNamesTooLong(target);
    return tooLong.isEmpty() ? writerSays : tooLong;
}
