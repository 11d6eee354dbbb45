// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WriteFailure.h"

#include "LocalPaths.h"
#include "NameBytes.h"

#include <QLocale>

#include <sys/statvfs.h>
#include <unistd.h>

namespace {

// Below this the device counts as full: a page and its pictures take more.
constexpr qint64 NearlyFull = 64 * 1024;

QString size(qint64 bytes)
{
    return QLocale::c().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

} // namespace

QString NameTooLong(const QString &target, const QByteArray &name)
{
    const long nameMax = ::pathconf(NameToBytes(FolderOf(target)).constData(), _PC_NAME_MAX);
    if (nameMax <= 0 || name.size() <= nameMax)
        return {};
    return QStringLiteral("the name \"%1\" is too long for the file system, which takes names of at most %2 bytes")
        .arg(ReadableName(NameFromBytes(name)), QString::number(nameMax));
}

PageWriteFailure SystemWriteFailure(const QString &what)
{
    return PageWriteFailure(QStringLiteral("%1 (%2)").arg(what, SystemReason()));
}

qint64 FreeSpace(const QString &folder)
{
    struct statvfs device {};
    if (::statvfs(NameToBytes(folder).constData(), &device) != 0)
        return -1;
    return static_cast<qint64>(device.f_bavail) * static_cast<qint64>(device.f_frsize);
}

QString WhyNotWritten(const QString &target, qint64 freeBefore, const QString &writerSays)
{
    const QString folder = FolderOf(target);
    const qint64 free = FreeSpace(folder);
    if (free >= 0 && free < NearlyFull)
        return QStringLiteral("there is no space left on the device that holds the folder \"%1\" (%2 were free)")
            .arg(ReadableName(folder), size(freeBefore >= 0 ? freeBefore : free));
    if (::access(NameToBytes(folder).constData(), W_OK) != 0) {
        const QString why = SystemReason();
        return QStringLiteral("the folder \"%1\" cannot be written to (%2)").arg(ReadableName(folder), why);
    }
    const QString tooLong = NameTooLong(target, NameToBytes(FileNameOf(target)));
    return tooLong.isEmpty() ? writerSays : tooLong;
}
