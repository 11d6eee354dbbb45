// quorvane-convert interrupted mid-run by Ctrl-C (SIGINT) or SIGTERM ends by that signal and
// leaves no office process, no staging folder and no half-written page.
#include "InstalledCommand.h"
#include "TestDocuments.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <cstring>

namespace {

void interruptMidRun(int signal)
{
    QTemporaryDir folder;
    for (int copy = 1; copy <= 20; ++copy)
        CopyTestDocument(QStringLiteral("Lists.doc"), folder.path(),
                         QStringLiteral("Lists %1.doc").arg(copy, 2, 10, QLatin1Char('0')));
    const auto pages = [&] { return QDir(folder.path()).entryList({QStringLiteral("*.htm")}, QDir::Files); };
    const auto staging = [&] {
        return QDir(folder.path()).entryList({QStringLiteral(".quorvane-save-*")}, QDir::AllEntries | QDir::Hidden);
    };
    bool sent = false;
    // Once a page is in place, while the next is being saved.
    const auto interruptDuringASave = [&](qint64 pid) {
        if (!sent && !pages().isEmpty() && !staging().isEmpty())
            sent = ::kill(pid_t(pid), signal) == 0;
    };

    const Outcome outcome = RunInstalledCommand({folder.path()}, interruptDuringASave);

    ASSERT_TRUE(sent);
    EXPECT_EQ(outcome.exitStatus, QProcess::CrashExit);
    EXPECT_EQ(outcome.exitCode, signal);
    EXPECT_FALSE(outcome.offices.isEmpty()) << "its offices were not seen";
    EXPECT_LT(pages().size(), 20) << "interrupted in the middle of the run";
    for (const QString &page : pages()) {
        QFile file(folder.filePath(page));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.readAll().trimmed().toLower().endsWith("</html>")) << qPrintable(page);
    }
    EXPECT_TRUE(staging().isEmpty()) << qPrintable(staging().join(' '));
}

TEST(InterruptedConversion, EndsByTheSignalWithItsOfficesEndedAndOnlyWholePagesLeft)
{
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(strsignal(signal));
        interruptMidRun(signal);
    }
}

} // namespace
