// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Closing the window ends the program at once, also while a command waits in a nested event loop
// or a conversion run works. Each window lives in a child forked for the case (a death test),
// since the ending is the whole process's: the child must end with the close's status 0, as
// nothing after the close may run.
#include "FakePlatform.h"
#include "Form1.h"
#include "OfficeChildren.h"
#include "OfficeEngine.h"
#include "TestDocuments.h"

#include <QEventLoop>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <gtest/gtest.h>

#include <sys/prctl.h>

// Waits as how says: in a command that yields with processEvents, as the folder walk does
// ("Walk"); in a command's nested event loop ("NestedLoop"); or with nothing running, in the main
// loop, which a close that did not end the program ends with the last window. A minute on, the
// program ends with status 3, so that a close that did not end it fails.
static void wait(const std::string &how)
{
    QTimer::singleShot(60000, [] { std::_Exit(3); });
    if (how == "Walk")
        for (;;)
            QCoreApplication::processEvents();
    else if (how == "NestedLoop")
        QEventLoop().exec();
    else
        QCoreApplication::exec();
}

class ClosingTheWindow : public testing::TestWithParam<std::string> {};

TEST_P(ClosingTheWindow, EndsTheProgramThereAndNothingMoreRuns)
{
    EXPECT_EXIT(
        {
            FakePlatform platform;
            Form1 form(platform.bundle());
            form.show();
            QTimer::singleShot(200, &form, [&] { form.windowHandle()->close(); });
            wait(GetParam());
        },
        testing::ExitedWithCode(0), "");
}

INSTANTIATE_TEST_SUITE_P(FormUnload, ClosingTheWindow, testing::Values("Walk", "NestedLoop", "MainLoop"),
                         [](const auto &row) { return row.param; });

// Ctrl+Q closes the window, and so ends the program.
TEST(FormUnload, CtrlQClosesTheWindowAndEndsTheProgram)
{
    EXPECT_EXIT(
        {
            FakePlatform platform;
            Form1 form(platform.bundle());
            form.show();
            form.activateWindow();
            QTimer::singleShot(200, &form, [&] { QTest::keyClick(&form, Qt::Key_Q, Qt::ControlModifier); });
            wait("MainLoop");
        },
        testing::ExitedWithCode(0), "");
}

// The run converts the documents of a folder with the real office, and the window is closed once
// the first page is in place. An office that the child leaves, running or ended but not collected,
// falls to this process, which takes it in as a subreaper.
TEST(FormUnload, ClosingDuringARunLeavesNoOfficeNoStagingFolderAndNoHalfWrittenPage)
{
    const QTemporaryDir folder;
    for (int copy = 1; copy <= 20; ++copy)
        CopyTestDocument("Lists.doc", folder.path(), QStringLiteral("Lists %1.doc").arg(copy, 2, 10, QLatin1Char('0')));
    const QDir listed(folder.path(), {}, QDir::Name, QDir::AllEntries | QDir::Hidden);
    ASSERT_EQ(::prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    EXPECT_EXIT(
        {
            qputenv("XDG_CACHE_HOME", QUORVANE_TEST_CACHE); // the office profiles in the tests' folder
            RegisterOfficeEngine();
            FakePlatform platform;
            platform.dialogs.inputAnswers = {"doc"};
            platform.dialogs.folderAnswers = {folder.path()};
            Form1 form(platform.bundle());
            form.show();
            form.findChild<QToolButton *>("Check4")->click();
            QTimer::singleShot(0, &form, [&] { form.findChild<QToolButton *>("Check2")->click(); });
            QTimer watch;
            watch.callOnTimeout([&] {
                if (!listed.entryList({"*.htm"}).isEmpty())
                    form.windowHandle()->close();
            });
            watch.start(20);
            wait("MainLoop");
        },
        testing::ExitedWithCode(0), "");

    EXPECT_EQ(OfficeChildren(), QList<qint64>()) << "offices were left";
    EXPECT_FALSE(listed.entryList({"*.htm"}).isEmpty());
    EXPECT_LT(listed.entryList({"*.htm"}).size(), 20) << "closed in the middle of the run";
    for (const QString &page : listed.entryList({"*.htm"})) {
        QFile f(folder.filePath(page)); // a half-written page has no end tag
        EXPECT_TRUE(f.open(QIODevice::ReadOnly) && f.readAll().toLower().contains("</html>")) << qPrintable(page);
    }
    EXPECT_EQ(listed.entryList({".quorvane-save-*"}), QStringList());
    EXPECT_EQ(QDir(qEnvironmentVariable("XDG_RUNTIME_DIR") + "/quorvane-running").entryList(QDir::Files), QStringList())
        << "running-object entries were left";
}
