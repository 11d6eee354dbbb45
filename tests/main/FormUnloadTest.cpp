// Closing the window ends the program at once, also in the middle of a command that waits in a
// nested event loop. The window runs in a child program (UnloadChild.cpp), since the ending is
// the whole process's.
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace {

struct ChildRun {
    QProcess::ExitStatus status;
    int exitCode;
    QString output;
};

ChildRun runChild(const QString &scenario)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QStringLiteral(QUORVANE_UNLOAD_CHILD), {scenario});
    if (!child.waitForFinished(60000)) {
        child.kill();
        child.waitForFinished();
    }
    return {child.exitStatus(), child.exitCode(), QString::fromLocal8Bit(child.readAll())};
}

// The child closed its window and ended normally, without running anything after the close.
void expectEndedAtTheClose(const ChildRun &run, bool closedInsideACommand)
{
    EXPECT_EQ(run.status, QProcess::NormalExit);
    EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
    if (closedInsideACommand) {
        EXPECT_TRUE(run.output.contains("waiting")) << run.output.toStdString();
    }
    EXPECT_FALSE(run.output.contains("carried on")) << run.output.toStdString();
}

TEST(FormUnload, ClosingDuringAFolderWalkThatYieldsEndsTheProgramThere)
{
    expectEndedAtTheClose(runChild("walk"), true);
}

TEST(FormUnload, ClosingDuringANestedEventLoopEndsTheProgramThere)
{
    expectEndedAtTheClose(runChild("loop"), true);
}

TEST(FormUnload, ClosingTheIdleWindowEndsTheProgram)
{
    expectEndedAtTheClose(runChild("idle"), false);
}

} // namespace
