// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StagedPage.h"

#include "AutomationError.h"
#include "LocalPaths.h"
#include "NameBytes.h"
#include "ProcessIdentity.h"
#include "UntrustedFolders.h"
#include "WriteFailure.h"

#include <QRegularExpression>
#include <QSet>
#include <QSysInfo>

#include <cerrno>
#include <cstdlib>
#include <mutex>

#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray StagingPrefix = ".quorvane-save-";

// The staging folders this process holds, so that the program's end can remove them all, and
// the folders this run has searched for abandoned ones.
struct LiveFolders {
    std::mutex mutex;
    QSet<QString> folders;
    bool closed = false;
    QSet<QString> searched;
};

LiveFolders &liveFolders()
{
    static LiveFolders live;
    return live;
}

// This machine in staging names: the start of its machine id; empty when it has none, and then
// no staging folder is ever taken for abandoned.
QString machineTag()
{
    static const QString tag = QString::fromLatin1(QSysInfo::machineUniqueId().left(12));
    return tag;
}

// ".quorvane-save-<machine>-<pid>-<start time>-XXXXXX": the process that made the folder.
QString stagingTemplate()
{
    const ProcessIdentity self = ProcessIdentity::ofThisProcess();
    return QString::fromLatin1(StagingPrefix)
           + QStringLiteral("%1-%2-%3-XXXXXX")
                 .arg(machineTag().isEmpty() ? QStringLiteral("0") : machineTag())
                 .arg(self.pid)
                 .arg(self.startTime);
}

// A staging folder that a process of this user on this machine made and that has ended: a real
// folder (no link), owned by this user, on the device of the folder that holds it.
bool isAbandoned(int folder, const QByteArray &name, dev_t device)
{
    static const QRegularExpression owner(QStringLiteral("^\\.quorvane-save-([0-9a-f]+)-(\\d+)-(\\d+)-"));
    const QRegularExpressionMatch match = owner.match(QString::fromLatin1(name));
    if (!match.hasMatch() || machineTag().isEmpty() || match.captured(1) != machineTag())
        return false;
    struct stat info {};
    if (::fstatat(folder, name.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISDIR(info.st_mode)
        || info.st_uid != ::geteuid() || info.st_dev != device)
        return false;
    return !ProcessIdentity{match.captured(2).toLongLong(), match.captured(3)}.isAlive();
}

// Staging folders left in folder by programs that ended (killed during a save, or the machine
// lost power), once a run. Those of live processes, of other users or machines, links, and
// anything not named like a staging folder stay.
void removeAbandonedStaging(const QString &path)
{
    {
        std::lock_guard lock(liveFolders().mutex);
        if (liveFolders().searched.contains(path))
            return;
        liveFolders().searched.insert(path);
    }
    const FileDescriptor folder = OpenFolder(path);
    struct stat info {};
    if (!folder.isOpen() || ::fstat(folder.get(), &info) != 0)
        return;
    for (const QByteArray &name : FolderEntries(folder.get())) {
        if (name.startsWith(StagingPrefix) && isAbandoned(folder.get(), name, info.st_dev))
            RemoveTreeAt(folder.get(), name, info.st_dev);
    }
}

// Where a page staged at target is seen once in place: target itself or, when target lies in a
// staging folder of this process (a caller stages the page and has it saved there), the place
// of that folder's page.
QString placeOf(const QString &target)
{
    const QString folder = FolderOf(target);
    {
        std::lock_guard lock(liveFolders().mutex);
        if (!liveFolders().folders.contains(folder))
            return target;
    }
    return FolderOf(folder) + QLatin1Char('/') + FileNameOf(target);
}

// Moves name from the staging folder into the target's folder, replacing a file of that name.
void moveInto(int staging, const QByteArray &name, int folder, const QString &target)
{
    if (::renameat(staging, name.constData(), folder, name.constData()) == 0)
        return;
    const QString why = SystemReason();
    throw PageNotSaved(target, QStringLiteral("\"%1\" could not be put in place (%2)")
                                   .arg(ReadableName(FolderOf(target) + QLatin1Char('/') + NameFromBytes(name)), why));
}

// A page that replaces another takes its mode and group, where the user may set them: who could
// read the old page can read the new one, and nobody else.
void keepModeAndGroup(int folder, const QByteArray &name, int staging)
{
    struct stat old {};
    if (::fstatat(folder, name.constData(), &old, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(old.st_mode))
        return;
    // Group first: a change of group may take away the set-group-ID bit.
    [[maybe_unused]] const int grouped = ::fchownat(staging, name.constData(), -1, old.st_gid, AT_SYMLINK_NOFOLLOW);
    [[maybe_unused]] const int moded = ::fchmodat(staging, name.constData(), old.st_mode & 07777, 0);
}

// Keeps in folder only what is a regular file of its own; the writer may have swapped it for a
// link, or linked it to another file, before it was moved.
void keepOnlyOwnFile(int folder, const QByteArray &name)
{
    struct stat info {};
    if (::fstatat(folder, name.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode)
        || info.st_nlink != 1)
        ::unlinkat(folder, name.constData(), 0);
}

void copyContents(int from, int to)
{
    struct stat info {};
    if (::fstat(from, &info) != 0)
        throw SystemWriteFailure(QStringLiteral("the written page could not be read"));
    for (off_t left = info.st_size; left > 0;) {
        const ssize_t copied = ::sendfile(to, from, nullptr, static_cast<size_t>(left));
        if (copied < 0)
            throw SystemWriteFailure(QStringLiteral("the written page could not be copied"));
        if (copied == 0)
            break;
        left -= copied;
    }
}

// A regular file of the folder, opened without following a link and without waiting (it may
// have been swapped for a pipe); not open when it is anything else.
FileDescriptor openRegularFile(int folder, const QByteArray &name)
{
    FileDescriptor file(::openat(folder, name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (file.isOpen() && (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)))
        return FileDescriptor();
    return file;
}

} // namespace

AutomationError PageNotSaved(const QString &page, const QString &reason)
{
    return {AutomationErrorNumber::SaveFailed,
            QStringLiteral("The web page \"%1\" could not be saved: %2.").arg(ReadableName(page), reason)};
}

StagedPage::StagedPage(const QString &target)
    : target_(AbsolutePath(target))
    , place_(placeOf(target_))
    , freeBefore_(FreeSpace(FolderOf(target_)))
{
    const QString folder = FolderOf(target_);
    if (!IsFolder(folder))
        throw PageNotSaved(place_, QStringLiteral("the folder does not exist"));
    if (IsFolder(target_))
        throw PageNotSaved(place_, QStringLiteral("a folder of that name is in the way"));
    // A staging folder of this process holds nothing abandoned.
    if (place_ == target_)
        removeAbandonedStaging(folder);
    // Made under the lock: the program's end, which removes every staging folder and ends the
    // process at once, cannot come between the folder's making and its listing.
    std::lock_guard lock(liveFolders().mutex);
    if (liveFolders().closed)
        throw PageNotSaved(place_, QStringLiteral("the program is ending"));
    QByteArray staging = NameToBytes(folder + QLatin1Char('/') + stagingTemplate());
    if (!::mkdtemp(staging.data()))
        throw PageNotSaved(place_,
                           WhyNotWritten(place_, freeBefore_,
                                         QStringLiteral("the folder cannot be written to (%1)").arg(SystemReason())));
    folder_ = NameFromBytes(staging);
    liveFolders().folders.insert(folder_);
}

StagedPage::StagedPage(StagedPage &&other) noexcept
    : target_(std::move(other.target_))
    , place_(std::move(other.place_))
    , folder_(std::exchange(other.folder_, QString()))
    , freeBefore_(other.freeBefore_)
{
}

StagedPage &StagedPage::operator=(StagedPage &&other) noexcept
{
    if (this != &other) {
        discard();
        target_ = std::move(other.target_);
        place_ = std::move(other.place_);
        folder_ = std::exchange(other.folder_, QString());
        freeBefore_ = other.freeBefore_;
    }
    return *this;
}

StagedPage::~StagedPage()
{
    discard();
}

QString StagedPage::pagePath() const
{
    return folder_ + QLatin1Char('/') + FileNameOf(target_);
}

void StagedPage::takeFrom(const QString &from, const QString &except)
{
    const FileDescriptor source = OpenFolder(from);
    const FileDescriptor staging = OpenFolder(folder_);
    if (!source.isOpen() || !staging.isOpen())
        throw SystemWriteFailure(QStringLiteral("the written page cannot be reached"));
    const QByteArray skipped = NameToBytes(except);
    for (const QByteArray &name : FolderEntries(source.get())) {
        struct stat info {};
        if (name == skipped || ::fstatat(source.get(), name.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0
            || !S_ISREG(info.st_mode))
            continue;
        enter(source.get(), name, staging.get());
    }
}

// Each file enters under the lock, so that the program's end, which removes the staging folders,
// never finds one still filling.
void StagedPage::enter(int from, const QByteArray &name, int staging)
{
    std::unique_lock lock(liveFolders().mutex);
    if (liveFolders().closed)
        throw PageWriteFailure(QStringLiteral("the program is ending"));
    if (::renameat(from, name.constData(), staging, name.constData()) == 0) {
        lock.unlock();
        keepOnlyOwnFile(staging, name);
        return;
    }
    if (errno != EXDEV)
        throw SystemWriteFailure(QStringLiteral("the written page could not be moved"));
    // On another file system: copied.
    lock.unlock();
    const FileDescriptor in = openRegularFile(from, name);
    if (!in.isOpen())
        return;
    lock.lock();
    if (liveFolders().closed)
        throw PageWriteFailure(QStringLiteral("the program is ending"));
    const FileDescriptor out(
        ::openat(staging, name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    lock.unlock();
    if (!out.isOpen())
        throw SystemWriteFailure(QStringLiteral("the written page could not be copied"));
    copyContents(in.get(), out.get());
}

void StagedPage::commit()
{
    const QByteArray page = NameToBytes(FileNameOf(target_));
    try {
        const FileDescriptor staging = OpenFolder(folder_);
        const FileDescriptor folder = OpenFolder(FolderOf(target_));
        if (!staging.isOpen() || !folder.isOpen())
            throw PageNotSaved(place_, QStringLiteral("its folder cannot be reached (%1)").arg(SystemReason()));
        for (const QByteArray &name : FolderEntries(staging.get())) {
            if (name != page)
                moveInto(staging.get(), name, folder.get(), place_);
        }
        keepModeAndGroup(folder.get(), page, staging.get());
        moveInto(staging.get(), page, folder.get(), place_);
    } catch (...) {
        discard();
        throw;
    }
    discard();
}

void StagedPage::discard()
{
    if (folder_.isEmpty())
        return;
    // Under the lock: the program's end, removing the same folder at the same moment, would make
    // both removals miss files the other took, and neither would remove the folder itself.
    std::lock_guard lock(liveFolders().mutex);
    RemoveTree(folder_);
    liveFolders().folders.remove(std::exchange(folder_, QString()));
}

void DiscardAllStagedPages()
{
    std::lock_guard lock(liveFolders().mutex);
    liveFolders().closed = true;
    for (const QString &folder : std::as_const(liveFolders().folders))
        RemoveTree(folder);
    liveFolders().folders.clear();
}

void RescanForAbandonedStaging()
{
    std::lock_guard lock(liveFolders().mutex);
    liveFolders().searched.clear();
}
