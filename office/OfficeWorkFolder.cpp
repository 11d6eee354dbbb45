// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "OfficeWorkFolder.h"

#include "LocalPaths.h"
#include "NameBytes.h"
#include "OfficeErrors.h"
#include "UntrustedFolders.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <cerrno>
#include <mutex>

#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>

namespace {

// The work folders of this program's offices, so that its end can remove them all.
struct LiveWorkFolders {
    std::mutex mutex;
    QSet<QString> paths;
};

LiveWorkFolders &liveWorkFolders()
{
    static LiveWorkFolders *live = new LiveWorkFolders; // outlives the offices ending at exit
    return *live;
}

// Copies from to a new file at path; false with errno set when it cannot.
bool copyInto(int from, off_t size, const QString &path)
{
    const FileDescriptor to(
        ::open(NameToBytes(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!to.isOpen())
        return false;
    for (off_t left = size; left > 0;) {
        const ssize_t copied = ::sendfile(to.get(), from, nullptr, static_cast<size_t>(left));
        if (copied < 0)
            return false;
        if (copied == 0)
            break;
        left -= copied;
    }
    return true;
}

} // namespace

OfficeWorkFolder::OfficeWorkFolder(const QString &slot)
    : path_(slot + QStringLiteral("/work"))
{
    RemoveTree(path_);
    if (!QDir().mkpath(temporary())
        || !QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        throw OfficeErrors::profileNotPrepared(slot, QStringLiteral("its work folder cannot be made"));
    std::lock_guard lock(liveWorkFolders().mutex);
    liveWorkFolders().paths.insert(path_);
}

OfficeWorkFolder::~OfficeWorkFolder()
{
    RemoveTree(path_);
    std::lock_guard lock(liveWorkFolders().mutex);
    liveWorkFolders().paths.remove(path_);
}

QString OfficeWorkFolder::temporary() const
{
    return path_ + QStringLiteral("/tmp");
}

QString OfficeWorkFolder::handIn(const QString &path)
{
    const QString folder = path_ + QStringLiteral("/document-%1").arg(++handedIn_);
    const QString copy = folder + QLatin1Char('/') + FileNameOf(path);
    const FileDescriptor from(::open(NameToBytes(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (!from.isOpen() || ::fstat(from.get(), &info) != 0)
        throw OfficeErrors::documentUnreadable(path);
    // Checked on what was opened: the name may have been swapped for a pipe or a device since.
    if (!S_ISREG(info.st_mode))
        throw OfficeErrors::notADocumentFile(path);
    if (!QDir().mkdir(folder) || !copyInto(from.get(), info.st_size, copy))
        throw OfficeErrors::notHandedIn(path, SystemReason());
    return copy;
}

void OfficeWorkFolder::clear(const QString &copy)
{
    RemoveTree(FolderOf(copy));
}

void RemoveAllOfficeWorkFolders()
{
    std::lock_guard lock(liveWorkFolders().mutex);
    for (const QString &path : std::as_const(liveWorkFolders().paths))
        RemoveTree(path);
    liveWorkFolders().paths.clear();
}
