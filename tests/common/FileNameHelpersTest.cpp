// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Main module's helpers on file names.
#include "FileNameHelpers.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(GetFileExtension, GivesTheTextAfterTheLastDotAndLeavesItInTheArgument)
{
    using Case = std::pair<QString, QString>;
    for (const auto &[name, extension] :
         {Case{"report.doc", "doc"}, Case{"archive.2009.docx", "docx"}, Case{"README", "README"}, Case{"letter.", ""},
          Case{"/home/ann/my.files/notes", "files/notes"}, Case{"", ""}, Case{QString(70000, 'a') + ".htm", "htm"}}) {
        QString argument = name;
        EXPECT_EQ(Main::GetFileExtension(argument), extension) << name.left(40).toStdString();
        EXPECT_EQ(argument, extension) << name.left(40).toStdString();
    }
}

TEST(FileExists, TellsAnExistingFileFromNamesOfNothing)
{
    QTemporaryDir dir;
    QFile file(dir.filePath("Ünïcödé report.doc"));
    // Write-only: asking about a file must not need to read it.
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.setPermissions(QFileDevice::WriteOwner));
    EXPECT_TRUE(Main::FileExists(file.fileName()));
    for (const QString &missing : {QString(), dir.filePath("missing.doc"), dir.filePath("no such folder/report.doc"),
                                   file.fileName() + QChar(0) + "junk"})
        EXPECT_FALSE(Main::FileExists(missing)) << missing.toStdString();
}
