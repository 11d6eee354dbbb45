// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LocalPaths.h"

#include "FileDescriptor.h"
#include "NameBytes.h"

#include <QDir>
#include <QFile>

#include <climits>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace {

QString currentFolder()
{
    char folder[PATH_MAX];
    return ::getcwd(folder, sizeof folder) ? NameFromBytes(folder) : QStringLiteral("/");
}

bool names(const QString &path)
{
    struct stat info {};
    return ::lstat(NameToBytes(path).constData(), &info) == 0;
}

// The one name in folder that a dialog shows as shown; empty when none or several are.
QString realNameIn(const QString &folder, const QString &shown)
{
    const FileDescriptor listed = OpenFolder(folder.isEmpty() ? QStringLiteral("/") : folder);
    QString found;
    for (const QByteArray &name : FolderEntries(listed.get())) {
        if (QFile::decodeName(name) != shown)
            continue;
        if (!found.isEmpty())
            return {};
        found = NameFromBytes(name);
    }
    return found;
}

} // namespace

QString AbsolutePath(const QString &path)
{
    return QDir::cleanPath(path.startsWith(QLatin1Char('/')) ? path : currentFolder() + QLatin1Char('/') + path);
}

QString FolderOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

QString FileNameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

std::optional<struct stat> FileStatus(const QString &path)
{
    struct stat info {};
    // A NUL would cut the name short at the system call and ask about another file.
    if (path.contains(QChar(0)) || ::stat(NameToBytes(path).constData(), &info) != 0)
        return std::nullopt;
    return info;
}

bool IsFolder(const QString &path)
{
    const std::optional<struct stat> status = FileStatus(path);
    return status && S_ISDIR(status->st_mode);
}

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool OpenFile(QFile &file, const QString &path, QIODevice::OpenMode mode)
{
    const int flags = mode.testFlag(QIODevice::WriteOnly) ? O_WRONLY | O_TRUNC : O_RDONLY;
    const int fd = ::open(NameToBytes(path).constData(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (file.open(fd, mode, QFileDevice::AutoCloseHandle))
        return true;
    ::close(fd);
    return false;
}

QString PathFromDialog(const QString &shown)
{
    if (!shown.startsWith(QLatin1Char('/')) || names(shown))
        return shown;
    QString path;
    for (const QString &part : shown.mid(1).split(QLatin1Char('/'))) {
        QString next = path + QLatin1Char('/') + part;
        if (!names(next)) {
            const QString real = realNameIn(path, part);
            if (real.isEmpty())
                return shown;
            next = path + QLatin1Char('/') + real;
        }
        path = next;
    }
    return path;
}
