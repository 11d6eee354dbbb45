// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Pages staged beside their place: what a killed program left behind goes at the next save into
// the same folder, and nothing else does.
#include "StagedPage.h"
#include "ProcessIdentity.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(StagedPage, TheNextSaveIntoAFolderRemovesStagingFoldersOfEndedProgramsOnly)
{
    QTemporaryDir folder;
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    ASSERT_TRUE(ended.waitForFinished());
    const ProcessIdentity self = ProcessIdentity::ofThisProcess();
    const QString abandoned = QStringLiteral(".quorvane-save-%1-%2-Ab12Cd").arg(ended.processId()).arg(self.startTime);
    const QString reusedPid = QStringLiteral(".quorvane-save-%1-1-Ef34Gh").arg(self.pid); // this pid, another start
    const QString live = QStringLiteral(".quorvane-save-%1-%2-Ij56Kl").arg(self.pid).arg(self.startTime);
    const QString usersOwn = QStringLiteral(".quorvane-save-notes");
    for (const QString &name : {abandoned, reusedPid, live, usersOwn})
        ASSERT_TRUE(QDir(folder.path()).mkpath(name + QStringLiteral("/pictures"))
                    && QFile(folder.filePath(name + QStringLiteral("/page.htm"))).open(QIODevice::WriteOnly));

    StagedPage staged(folder.filePath(QStringLiteral("Report.htm")));
    QStringList left = QDir(folder.path()).entryList({QStringLiteral(".quorvane-save-*")}, QDir::Dirs | QDir::Hidden);
    left.removeAll(QFileInfo(staged.pagePath()).dir().dirName());
    EXPECT_EQ(left, (QStringList{live, usersOwn}));
}
