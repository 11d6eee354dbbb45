// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Closing the window ends the program at once, also while a command waits in a nested event loop
// or a conversion run works, and so does the window destroyed from outside. Each window lives in
// a child forked for the case (a death test), or on a real display in a program of its own, since
// the ending is the whole process's: the child must end with the close's status 0, as nothing
// after the close may run.
#include "FolderRun.h"
#include "OfficeChildren.h"
#include "OfficeEngine.h"
#include "Rows.h"
#include "TestDocuments.h"

#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
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

// Twenty documents in folder: a run long enough to be ended in the middle.
static void copyTwentyDocuments(const QString &folder)
{
    for (int copy = 1; copy <= 20; ++copy)
        CopyTestDocument("Lists.doc", folder, QStringLiteral("Lists %1.doc").arg(copy, 2, 10, QLatin1Char('0')));
}

// An ended program whose runtime folder was runtime left no office (one that it left, running or
// ended but not collected, falls to this process, which takes it in as a subreaper) and no
// running-object entry.
static void expectNoOfficeAndNoRunningEntry(const QString &runtime)
{
    EXPECT_EQ(OfficeChildren(), QList<qint64>()) << "offices were left";
    EXPECT_EQ(QDir(runtime + "/quorvane-running").entryList(QDir::Files | QDir::Hidden), QStringList())
        << "running-object entries were left";
}

// What a program ended in the middle of a run over the twenty documents of listed left: besides
// the above, some pages, each whole, and no staging folder.
static void expectEndedMidRunLeavingNothing(const QDir &listed, const QString &runtime)
{
    expectNoOfficeAndNoRunningEntry(runtime);
    EXPECT_FALSE(listed.entryList({"*.htm"}).isEmpty());
    EXPECT_LT(listed.entryList({"*.htm"}).size(), 20) << "ended in the middle of the run";
    for (const QString &page : listed.entryList({"*.htm"})) {
        QFile f(listed.filePath(page)); // a half-written page has no end tag
        EXPECT_TRUE(f.open(QIODevice::ReadOnly) && f.readAll().toLower().contains("</html>")) << qPrintable(page);
    }
    EXPECT_EQ(listed.entryList({".quorvane-save-*"}), QStringList());
}

// The run converts the documents of a folder with the real office, and the window is closed once
// the first page is in place.
TEST(FormUnload, ClosingDuringARunLeavesNoOfficeNoStagingFolderAndNoHalfWrittenPage)
{
    const QTemporaryDir folder, runtime;
    copyTwentyDocuments(folder.path());
    const QDir listed(folder.path(), {}, QDir::Name, QDir::AllEntries | QDir::Hidden);
    ASSERT_EQ(::prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    EXPECT_EXIT(
        {
            qputenv("XDG_CACHE_HOME", QUORVANE_TEST_CACHE); // the office profiles in the tests' folder
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
            RegisterOfficeEngine();
            FakePlatform platform;
            Form1 form(platform.bundle());
            form.show();
            ConvertFolder(form, platform.dialogs, folder.path());
            QTimer watch;
            watch.callOnTimeout([&] {
                if (!listed.entryList({"*.htm"}).isEmpty())
                    form.windowHandle()->close();
            });
            watch.start(20);
            wait("MainLoop");
        },
        testing::ExitedWithCode(0), "");

    expectEndedMidRunLeavingNothing(listed, runtime.path());
}

// The window's X window destroyed by another program, which sends the program no close request
// (as `xdotool windowclose` does), ends the program as a close does: while it waits with nothing
// running ("Idle"), and once the first page of a run is in place ("DuringARun"). The window runs
// in a program of its own on the X display (a forked child would share the display's
// connection), its offices in this process's care as above.
struct Destroyed {
    const char *name;
    bool duringARun;
    friend void PrintTo(const Destroyed &row, std::ostream *out) { *out << row.name; }
};
class DestroyingTheWindow : public testing::TestWithParam<Destroyed> {};

TEST_P(DestroyingTheWindow, EndsTheProgramAsAClosingDoes)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") || QStandardPaths::findExecutable("xdotool").isEmpty())
        GTEST_SKIP() << "needs an X display and xdotool";
    const QTemporaryDir folder, runtime;
    const QDir listed(folder.path(), {}, QDir::Name, QDir::AllEntries | QDir::Hidden);
    QStringList arguments;
    if (GetParam().duringARun) {
        copyTwentyDocuments(folder.path());
        arguments << folder.path();
    }
    ASSERT_EQ(::prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    QProcess window;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("XDG_CACHE_HOME", QUORVANE_TEST_CACHE);
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    window.setProcessEnvironment(environment);
    window.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    window.start(QUORVANE_WINDOW_PROGRAM, arguments);
    ASSERT_TRUE(window.waitForReadyRead(30000)) << "the window did not show";
    const QString id = QString::fromLatin1(window.readLine()).trimmed();
    while (GetParam().duringARun && listed.entryList({"*.htm"}).isEmpty() && !window.waitForFinished(20)) {}

    EXPECT_EQ(QProcess::execute("xdotool", {"windowclose", id}), 0);

    EXPECT_TRUE(window.waitForFinished(90000));
    EXPECT_EQ(std::pair(window.exitStatus(), window.exitCode()), std::pair(QProcess::NormalExit, 0))
        << "3: the program went on without its window";
    if (GetParam().duringARun)
        expectEndedMidRunLeavingNothing(listed, runtime.path());
    else
        expectNoOfficeAndNoRunningEntry(runtime.path());
}

INSTANTIATE_TEST_SUITE_P(FormUnload, DestroyingTheWindow,
                         testing::Values(Destroyed{"Idle", false}, Destroyed{"DuringARun", true}), RowName);
