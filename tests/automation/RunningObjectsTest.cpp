#include "automation/NamedObject.h"
#include "convert/automation/ObjectRegistry.h"
#include "convert/automation/RunningObjects.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {
const QString ProgId = QStringLiteral("Test.Running");

// Every case gets a runtime folder of its own, so it sees only its own entries.
class RunningObjects : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
    }
    void TearDown() override { qputenv("XDG_RUNTIME_DIR", saved_); }

    static int errorOfGetObject(const QString &progId)
    {
        try {
            GetObject(progId);
        } catch (const AutomationError &error) {
            return error.number();
        }
        return 0;
    }

    static QString seenFromAnotherProcess(const QString &progId)
    {
        QProcess other;
        other.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--print-running"), progId});
        other.waitForFinished();
        return QString::fromUtf8(other.readAllStandardOutput());
    }

    QTemporaryDir runtime_;
    QByteArray saved_;
};
} // namespace

TEST_F(RunningObjects, ARegisteredObjectIsFoundHereAndByAnotherProcessUntilItsRegistrationEnds)
{
    const ObjectRef object = std::make_shared<NamedObject>(QStringLiteral("Microsoft Word"));
    {
        const RunningObjectRegistration registration(ProgId, object);
        EXPECT_EQ(GetObject(QStringLiteral("test.running")), object);
        EXPECT_EQ(seenFromAnotherProcess(ProgId), QStringLiteral("Microsoft Word"));
        EXPECT_EQ(errorOfGetObject(QStringLiteral("Test.Other")), AutomationErrorNumber::NoRunningInstance);
    }
    EXPECT_EQ(errorOfGetObject(ProgId), AutomationErrorNumber::NoRunningInstance);
    EXPECT_EQ(seenFromAnotherProcess(ProgId), QString::number(AutomationErrorNumber::NoRunningInstance));
}

TEST_F(RunningObjects, AnObjectOfAnotherProcessShowsItsDefaultMemberAndRefusesOtherCalls)
{
    QProcess other;
    other.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold-running"), ProgId, QStringLiteral("Microsoft Word")});
    ASSERT_TRUE(other.waitForReadyRead());
    const ObjectRef found = GetObject(ProgId);
    EXPECT_EQ(found->DefaultMember(), Variant(QStringLiteral("Microsoft Word")));
    try {
        found->Invoke(QStringLiteral("Quit"));
        ADD_FAILURE() << "a member of another process's object was called";
    } catch (const AutomationError &error) {
        EXPECT_EQ(error.number(), AutomationErrorNumber::UnknownMember);
    }
    other.closeWriteChannel();
    ASSERT_TRUE(other.waitForFinished());
    EXPECT_EQ(errorOfGetObject(ProgId), AutomationErrorNumber::NoRunningInstance);
}

TEST_F(RunningObjects, EntriesOfEndedProcessesOrOfAReusedPidDoNotCountAndStaleOnesAreRemoved)
{
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 endedPid = ended.processId();
    ASSERT_TRUE(ended.waitForFinished());
    const struct {
        const char *entry;
        qint64 pid;
        const char *startTime;
    } entries[] = {{"stale", endedPid, "12345"},
                   {"reused", QCoreApplication::applicationPid(), "1"}}; // this pid, a start time it never had
    for (const auto &entry : entries) {
        QFile file(RunningObjectFolder() + QLatin1Char('/') + QLatin1String(entry.entry) + QStringLiteral(".running"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("%1\n%2\n%3\nMicrosoft Word\n").arg(ProgId).arg(entry.pid).arg(QLatin1String(entry.startTime)).toUtf8());
    }
    EXPECT_EQ(errorOfGetObject(ProgId), AutomationErrorNumber::NoRunningInstance);
    EXPECT_FALSE(QFile::exists(RunningObjectFolder() + QStringLiteral("/stale.running")));
}

TEST_F(RunningObjects, TheFolderOfEntriesIsPrivateAndWithoutARuntimeFolderLiesUnderTmp)
{
    EXPECT_EQ(QFileInfo(RunningObjectFolder()).permissions()
                  & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
              QFile::Permissions());
    qunsetenv("XDG_RUNTIME_DIR");
    const QString folder = RunningObjectFolder();
    EXPECT_EQ(folder, QStringLiteral("/tmp/quorvane-running-%1").arg(::getuid()));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(folder).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(info.st_uid, ::getuid());
}
