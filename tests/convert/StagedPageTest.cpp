// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Pages staged beside their place: what a killed program of this user on this machine left
// behind goes at the first save of a run into the same folder, and nothing else does; no link
// is followed, whatever it is named.
#include "StagedPage.h"
#include "NameBytes.h"
#include "ProcessIdentity.h"

#include <QDir>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// ".quorvane-save-<machine>-<pid>-<start time>-<random>", as a staging folder is named.
QString stagingName(const QString &machine, qint64 pid, const QString &startTime, const QString &random)
{
    return QStringLiteral(".quorvane-save-%1-%2-%3-%4").arg(machine).arg(pid).arg(startTime, random);
}

// A folder with a page and a sub-folder in it, as a staging folder holds.
void makeFull(const QString &path)
{
    ASSERT_TRUE(QDir().mkpath(path + QStringLiteral("/pictures")));
    QFile page(path + QStringLiteral("/page.htm"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly) && page.write("<html></html>") > 0);
}

QStringList stagingFoldersIn(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral(".quorvane-save-*")}, QDir::AllEntries | QDir::System | QDir::Hidden,
                                  QDir::Name);
}

} // namespace

TEST(StagedPage, TheFirstSaveOfARunRemovesStagingFoldersOfEndedProgramsOfThisMachineOnlyAndFollowsNoLink)
{
    QTemporaryDir folder, elsewhere;
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 endedPid = ended.processId();
    ASSERT_TRUE(ended.waitForFinished());
    const ProcessIdentity self = ProcessIdentity::ofThisProcess();
    const QString machine = QString::fromLatin1(QSysInfo::machineUniqueId().left(12));
    ASSERT_FALSE(machine.isEmpty()) << "this machine has no machine id";
    const QString abandoned = stagingName(machine, endedPid, self.startTime, "Ab12Cd");
    const QString reusedPid = stagingName(machine, self.pid, "1", "Ef34Gh"); // this pid, another start
    const QString live = stagingName(machine, self.pid, self.startTime, "Ij56Kl");
    const QString otherMachine = stagingName("0123456789ab", endedPid, self.startTime, "Mn78Op");
    const QString usersOwn = QStringLiteral(".quorvane-save-notes");
    const QString linkNamedAbandoned = stagingName(machine, endedPid, self.startTime, "Qr90St");
    const QString linkOfOlderName = QStringLiteral(".quorvane-save-99999-1-AAAAAA");
    for (const QString &name : {abandoned, reusedPid, live, otherMachine, usersOwn})
        makeFull(folder.filePath(name));
    // An abandoned folder holding a link to the folder elsewhere, and links named like staging
    // folders pointing there: a stranger's way to have the clean-up empty another folder.
    makeFull(elsewhere.filePath("kept"));
    ASSERT_TRUE(QFile::link(elsewhere.path(), folder.filePath(abandoned + "/link")));
    ASSERT_TRUE(QFile::link(elsewhere.path(), folder.filePath(linkNamedAbandoned)));
    ASSERT_TRUE(QFile::link(elsewhere.path(), folder.filePath(linkOfOlderName)));

    const StagedPage staged(folder.filePath(QStringLiteral("Report.htm")));
    QStringList left = stagingFoldersIn(folder.path());
    left.removeAll(QFileInfo(staged.pagePath()).dir().dirName());
    QStringList expected{live, otherMachine, usersOwn, linkNamedAbandoned, linkOfOlderName};
    expected.sort();
    EXPECT_EQ(left, expected);
    EXPECT_TRUE(QFile::exists(elsewhere.filePath("kept/page.htm"))) << "the clean-up followed a link";

    // Once a run: a folder abandoned since is left until the next run looks again.
    const QString later = stagingName(machine, endedPid, self.startTime, "Uv12Wx");
    makeFull(folder.filePath(later));
    {
        const StagedPage again(folder.filePath(QStringLiteral("Other.htm")));
    }
    EXPECT_TRUE(stagingFoldersIn(folder.path()).contains(later));
    RescanForAbandonedStaging();
    {
        const StagedPage nextRun(folder.filePath(QStringLiteral("Other.htm")));
    }
    EXPECT_FALSE(stagingFoldersIn(folder.path()).contains(later));
}

// A page written over an old one keeps the old one's mode and group, a new page gets the usual
// ones; either is put in place under the very bytes of its name, also where they are not UTF-8.
TEST(StagedPage, AReplacedPageKeepsItsModeAndGroup)
{
    const QTemporaryDir folder;
    const QByteArray old = QFile::encodeName(folder.path()) + "/old\xff.htm";
    const QByteArray fresh = QFile::encodeName(folder.path()) + "/new\xfe.htm";
    ASSERT_EQ(::close(::open(old.constData(), O_WRONLY | O_CREAT, 0600)), 0);
    gid_t groups[64];
    const int count = ::getgroups(64, groups);
    const gid_t group = count > 0 ? groups[count - 1] : ::getgid(); // another than the usual where there is one
    ASSERT_EQ(::chown(old.constData(), uid_t(-1), group), 0);
    ASSERT_EQ(::chmod(old.constData(), 0640), 0);
    const mode_t mask = ::umask(0);
    ::umask(mask);

    for (const QByteArray &page : {old, fresh}) {
        StagedPage staged(NameFromBytes(page));
        const int written = ::open(NameToBytes(staged.pagePath()).constData(), O_WRONLY | O_CREAT | O_EXCL, 0666);
        ASSERT_EQ(::write(written, "new", 3), 3);
        ::close(written);
        staged.commit();
    }

    struct stat replaced {
    }, made{};
    ASSERT_EQ(::stat(old.constData(), &replaced), 0);
    ASSERT_EQ(::stat(fresh.constData(), &made), 0);
    EXPECT_EQ(replaced.st_size, 3);
    EXPECT_EQ(replaced.st_mode & 07777, 0640u);
    EXPECT_EQ(replaced.st_gid, group);
    EXPECT_EQ(made.st_mode & 07777, 0666u & ~mask);
    EXPECT_EQ(made.st_gid, ::getegid());
}
