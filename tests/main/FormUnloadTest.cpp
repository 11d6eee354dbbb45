// Closing the window ends the program at once, also while a command waits in a nested event loop
// or a conversion run works. The window runs in a child program (UnloadChild.cpp), since the
// ending is the whole process's.
#include "TestDocuments.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>

// Runs the child with arguments; what it printed, once it has ended of itself with 0.
static QString childSays(const QStringList &arguments)
{
    QProcess child; // offscreen, as this program is
    child.start(QStringLiteral(QUORVANE_UNLOAD_CHILD), arguments);
    EXPECT_TRUE(child.waitForFinished(90000)) << "still running: " << qPrintable(arguments.join(' '));
    EXPECT_EQ(std::pair(child.exitStatus(), child.exitCode()), std::pair(QProcess::NormalExit, 0))
        << qPrintable(arguments.join(' '));
    return QString::fromLocal8Bit(child.readAllStandardOutput());
}

TEST(FormUnload, ClosingTheWindowEndsTheProgramThereAndNothingMoreRuns)
{
    for (const char *scenario : {"walk", "loop", "idle"})
        EXPECT_EQ(childSays({scenario}), "waiting\n") << scenario; // and never "carried on"
}

TEST(FormUnload, ClosingDuringARunLeavesNoOfficeNoStagingFolderAndNoHalfWrittenPage)
{
    QTemporaryDir folder;
    for (int copy = 1; copy <= 20; ++copy)
        CopyTestDocument(QStringLiteral("Lists.doc"), folder.path(),
                         QStringLiteral("Lists %1.doc").arg(copy, 2, 10, QLatin1Char('0')));

    const QStringList said = childSays({QStringLiteral("run"), folder.path()}).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(said.size(), 2) << qPrintable(said.join('|'));
    EXPECT_EQ(said[0], "waiting");
    for (const QString &office : said[1].split(' ', Qt::SkipEmptyParts))
        EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/proc/") + office)) << qPrintable(office);

    const QStringList pages = QDir(folder.path()).entryList({QStringLiteral("*.htm")}, QDir::Files);
    EXPECT_FALSE(pages.isEmpty());
    EXPECT_LT(pages.size(), 20) << "closed in the middle of the run";
    for (const QString &page : pages) {
        QFile file(folder.filePath(page));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.readAll().trimmed().toLower().endsWith("</html>")) << qPrintable(page);
    }
    EXPECT_TRUE(
        QDir(folder.path()).entryList({QStringLiteral(".quorvane-save-*")}, QDir::AllEntries | QDir::Hidden).isEmpty());
}
