// Closing the window ends the program at once, also while a command waits in a nested event loop.
// The window runs in a child program (UnloadChild.cpp), since the ending is the whole process's.
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace {

TEST(FormUnload, ClosingTheWindowEndsTheProgramThereAndNothingMoreRuns)
{
    for (const char *scenario : {"walk", "loop", "idle"}) {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        child.setProcessEnvironment(environment);
        child.start(QStringLiteral(QUORVANE_UNLOAD_CHILD), {scenario});
        if (!child.waitForFinished(60000)) {
            child.kill();
            child.waitForFinished();
        }
        const std::string output = QString::fromLocal8Bit(child.readAllStandardOutput()).toStdString();
        EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << scenario;
        EXPECT_EQ(child.exitCode(), 0) << scenario;
        EXPECT_EQ(output, "waiting\n") << scenario; // and never "carried on"
    }
}

} // namespace
