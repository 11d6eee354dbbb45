// The automation layer: values, argument binding, the class registry and running objects, seen
// also from another process of this user, which this program plays with two more roles:
// --print-running <progId> prints what GetObject finds (or the error number);
// --hold-running <progId> <name> keeps such an object running until its standard input closes.

#include "BoundArguments.h"
#include "ErrorOf.h"
#include "ObjectRegistry.h"
#include "RunningObjects.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <iostream>
#include <string>

#include <sys/stat.h>

namespace Error = AutomationErrorNumber;

namespace {
const QString ProgId = QStringLiteral("Test.Running");

// An object with nothing but a default member: its name.
class NamedObject : public AutomationObject {
public:
    explicit NamedObject(QString name)
        : name_(std::move(name))
    {
    }
    Variant Invoke(const QString &member, const PositionalArguments &, const NamedArguments &) override
    {
        throw AutomationError(Error::UnknownMember, member);
    }
    Variant DefaultMember() override { return name_; }

private:
    QString name_;
};

QString seenFromAnotherProcess(const QString &progId)
{
    QProcess other;
    other.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--print-running"), progId});
    other.waitForFinished();
    return QString::fromUtf8(other.readAllStandardOutput());
}
} // namespace

TEST(Variant, BooleansCrossAsMinusOneAndZeroAndOtherTypesDoNotConvert)
{
    EXPECT_EQ(Variant::fromBool(true).toInt(), -1);
    EXPECT_EQ(Variant::fromBool(false).toInt(), 0);
    EXPECT_TRUE(Variant(5).toBool());
    EXPECT_NE(Variant::fromBool(true), Variant(-1));
    EXPECT_EQ(ErrorOf([] { Variant(QStringLiteral("8")).toInt(); }).number(), Error::TypeMismatch);
    EXPECT_EQ(ErrorOf([] { Variant().toText(); }).number(), Error::TypeMismatch);
    EXPECT_EQ(ErrorOf([] { Variant(ObjectRef()).toObject(); }).number(), Error::TypeMismatch);
}

TEST(BoundArguments, BindsByPositionAndByNameInAnyCaseAndRejectsWhatDoesNotFit)
{
    const auto bind = [](const PositionalArguments &positional, const NamedArguments &named) {
        return BoundArguments(QStringLiteral("SaveAs"), {QStringLiteral("FileName"), QStringLiteral("FileFormat")},
                              positional, named);
    };
    const BoundArguments arguments = bind({QStringLiteral("a.htm")}, {{QStringLiteral("fileformat"), 8}});
    EXPECT_EQ(arguments.value(QStringLiteral("FileName")), Variant(QStringLiteral("a.htm")));
    EXPECT_EQ(arguments.value(QStringLiteral("FILEFORMAT")), Variant(8));
    EXPECT_TRUE(arguments.value(QStringLiteral("Unlisted")).isEmpty());
    EXPECT_FALSE(bind({}, {}).has(QStringLiteral("FileName")));

    EXPECT_EQ(ErrorOf([&] { bind({}, {{QStringLiteral("Encoding"), 1}}); }).number(), Error::UnknownNamedArgument);
    EXPECT_EQ(ErrorOf([&] { bind({1, 2, 3}, {}); }).number(), Error::WrongArgumentCount);
    EXPECT_EQ(ErrorOf([&] {
                  bind({QStringLiteral("a.htm")}, {{QStringLiteral("FileName"), QStringLiteral("b.htm")}});
              }).number(),
              Error::WrongArgumentCount);
}

TEST(ObjectRegistry, CreatesANewObjectOfARegisteredClassInAnyCaseAndNamesAnUnregisteredOne)
{
    RegisterClass(QStringLiteral("Test.Creatable"),
                  [] { return std::make_shared<NamedObject>(QStringLiteral("made")); });
    const ObjectRef first = CreateObject(QStringLiteral("test.CREATABLE"));
    EXPECT_EQ(first->DefaultMember().toText(), QStringLiteral("made"));
    EXPECT_NE(CreateObject(QStringLiteral("Test.Creatable")), first);
    UnregisterClass(QStringLiteral("Test.Creatable"));

    const AutomationError error = ErrorOf([] { CreateObject(QStringLiteral("Test.Creatable")); });
    EXPECT_EQ(error.number(), Error::ClassNotRegistered);
    EXPECT_TRUE(error.description().contains(QStringLiteral("Test.Creatable")));
}

TEST(RunningObjects, ARegisteredObjectIsFoundHereAndByAnotherProcessUntilItsRegistrationEnds)
{
    const ObjectRef object = std::make_shared<NamedObject>(QStringLiteral("Microsoft Word"));
    {
        const RunningObjectRegistration registration(ProgId, object);
        EXPECT_EQ(GetObject(QStringLiteral("test.running")), object);
        EXPECT_EQ(seenFromAnotherProcess(ProgId), QStringLiteral("Microsoft Word"));
        EXPECT_EQ(ErrorOf([] { GetObject(QStringLiteral("Test.Other")); }).number(), Error::NoRunningInstance);
    }
    EXPECT_EQ(ErrorOf([] { GetObject(ProgId); }).number(), Error::NoRunningInstance);
    EXPECT_EQ(seenFromAnotherProcess(ProgId), QString::number(Error::NoRunningInstance));
}

TEST(RunningObjects, AnObjectOfAnotherProcessShowsItsDefaultMemberAndRefusesOtherCalls)
{
    QProcess other;
    other.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--hold-running"), ProgId, QStringLiteral("Microsoft Word")});
    ASSERT_TRUE(other.waitForReadyRead());
    const ObjectRef found = GetObject(ProgId);
    EXPECT_EQ(found->DefaultMember(), Variant(QStringLiteral("Microsoft Word")));
    EXPECT_EQ(ErrorOf([&] { found->Invoke(QStringLiteral("Quit")); }).number(), Error::UnknownMember);
    other.closeWriteChannel();
    ASSERT_TRUE(other.waitForFinished());
    EXPECT_EQ(ErrorOf([] { GetObject(ProgId); }).number(), Error::NoRunningInstance);
}

TEST(RunningObjects, EntriesOfEndedProcessesOrOfAReusedPidDoNotCountAndStaleOnesAreRemoved)
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
        file.write(QStringLiteral("%1\n%2\n%3\nMicrosoft Word\n")
                       .arg(ProgId)
                       .arg(entry.pid)
                       .arg(QLatin1String(entry.startTime))
                       .toUtf8());
    }
    EXPECT_EQ(ErrorOf([] { GetObject(ProgId); }).number(), Error::NoRunningInstance);
    EXPECT_FALSE(QFile::exists(RunningObjectFolder() + QStringLiteral("/stale.running")));
    QFile::remove(RunningObjectFolder() + QStringLiteral("/reused.running"));
}

TEST(RunningObjects, TheFolderOfEntriesIsPrivateAndWithoutARuntimeFolderLiesUnderTmp)
{
    EXPECT_EQ(QFileInfo(RunningObjectFolder()).permissions()
                  & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
              QFile::Permissions());
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    qunsetenv("XDG_RUNTIME_DIR");
    const QString folder = RunningObjectFolder();
    qputenv("XDG_RUNTIME_DIR", runtime);
    EXPECT_EQ(folder, QStringLiteral("/tmp/quorvane-running-%1").arg(::getuid()));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(folder).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(info.st_uid, ::getuid());
}

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--print-running") == 0) {
        try {
            std::printf("%s", qPrintable(GetObject(QString::fromLocal8Bit(argv[2]))->DefaultMember().toText()));
        } catch (const AutomationError &error) {
            std::printf("%d", error.number());
        }
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "--hold-running") == 0) {
        const RunningObjectRegistration registration(QString::fromLocal8Bit(argv[2]),
                                                     std::make_shared<NamedObject>(QString::fromLocal8Bit(argv[3])));
        std::cout << "ready" << std::endl;
        for (std::string line; std::getline(std::cin, line);) {}
        return 0;
    }
    // Entries go to a runtime folder of this run only (its children inherit it).
    const QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
