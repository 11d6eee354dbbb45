// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "OfficeEngine.h"

#include "ObjectRegistry.h"
#include "OfficeChild.h"
#include "OfficeConfinement.h"
#include "OfficePool.h"
#include "OfficeWorkFolder.h"
#include "RunningObjects.h"
#include "UntrustedFolders.h"
#include "WordApplication.h"
#include "WordClass.h"

#include <QRegularExpression>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The sockets that the pipes of offices started unconfined leave in /tmp when the program that
// started them was killed before it connected: owned by this user, named after a program that
// has ended.
void removeAbandonedPipes()
{
    static const QRegularExpression pipe(QStringLiteral("^OSL_PIPE_%1_quorvane-(\\d+)-[0-9a-f]+$").arg(::geteuid()));
    const FileDescriptor folder = OpenFolder(QStringLiteral("/tmp"));
    for (const QByteArray &name : FolderEntries(folder.get())) {
        const QRegularExpressionMatch match = pipe.match(QString::fromLatin1(name));
        struct stat info {};
        if (match.hasMatch() && ::fstatat(folder.get(), name.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0
            && S_ISSOCK(info.st_mode) && info.st_uid == ::geteuid()
            && ::kill(static_cast<pid_t>(match.captured(1).toLongLong()), 0) != 0 && errno == ESRCH)
            ::unlinkat(folder.get(), name.constData(), 0);
    }
}

} // namespace

void RegisterOfficeEngine()
{
    RegisterOfficeEngine(DefaultOfficeSettings());
}

void RegisterOfficeEngine(const OfficeSettings &settings)
{
    // The bridge writes to the office's pipe without MSG_NOSIGNAL: an office that drops the
    // connection (as some do after a refused password) must turn into an error, not end the
    // program by SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    removeAbandonedPipes();
    RemoveEndedRunningObjects();
    OfficePool::instance().configure(settings);
    RegisterClass(WordClass, [] { return WordApplication::create(); },
                  {[](int count, std::chrono::milliseconds keepFor) { OfficePool::instance().prepare(count, keepFor); },
                   [] {
                       KillAllOfficeChildren();
                       RemoveAllOfficeWorkFolders();
                   }});
}

void EndIdleOfficeProcesses()
{
    OfficePool::instance().endIdleProcesses();
}

int ReadyOfficeProcesses()
{
    return OfficePool::instance().readyCount();
}

QString MissingOfficeProtection()
{
    return ConfinementMissing(OfficePool::instance().settings());
}
