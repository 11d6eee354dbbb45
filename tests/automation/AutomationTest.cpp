// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The automation layer: values, argument binding, the class registry and running objects, also
// those of another process of this user, which this program plays with a second role:
// --hold-running <progId> <name> keeps such an object running until its standard input closes.

#include "BoundArguments.h"
#include "ErrorOf.h"
#include "ObjectRegistry.h"
#include "RunningObjects.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <iostream>

#include <sys/stat.h>
#include <unistd.h>

namespace Error = AutomationErrorNumber;

namespace {
// An object with nothing but a default member: its name.
struct NamedObject : AutomationObject {
    explicit NamedObject(QString name)
        : name(std::move(name))
    {
    }
    // Its other members are never called here.
    Variant Invoke(const QString &, const PositionalArguments &, const NamedArguments &) override { return {}; }
    Variant DefaultMember() override { return name; }
    QString name;
};
} // namespace

TEST(Variant, BooleansCrossAsMinusOneAndZeroAndOtherTypesDoNotConvert)
{
    EXPECT_EQ(Variant::fromBool(true).toInt(), -1);
    EXPECT_EQ(Variant::fromBool(false).toInt(), 0);
    EXPECT_TRUE(Variant(5).toBool());
    EXPECT_NE(Variant::fromBool(true), Variant(-1));
    EXPECT_EQ(ErrorOf([] { Variant("8").toInt(); }).number(), Error::TypeMismatch);
    EXPECT_EQ(ErrorOf([] { Variant().toText(); }).number(), Error::TypeMismatch);
    EXPECT_EQ(ErrorOf([] { Variant(ObjectRef()).toObject(); }).number(), Error::TypeMismatch);
}

TEST(BoundArguments, BindsByPositionAndByNameInAnyCaseAndRejectsWhatDoesNotFit)
{
    const auto bind = [](const PositionalArguments &positional, const NamedArguments &named) {
        return BoundArguments("SaveAs", {"FileName", "FileFormat"}, positional, named);
    };
    const BoundArguments arguments = bind({"a.htm"}, {{"fileformat", 8}});
    EXPECT_EQ(arguments.value("FileName"), Variant("a.htm"));
    EXPECT_EQ(arguments.value("FILEFORMAT"), Variant(8));
    EXPECT_TRUE(arguments.value("Unlisted").isEmpty());
    EXPECT_FALSE(bind({}, {}).has("FileName"));
    EXPECT_EQ(ErrorOf([&] { bind({}, {{"Encoding", 1}}); }).number(), Error::UnknownNamedArgument);
    EXPECT_EQ(ErrorOf([&] { bind({1, 2, 3}, {}); }).number(), Error::WrongArgumentCount);
    EXPECT_EQ(ErrorOf([&] { bind({"a.htm"}, {{"FileName", "b.htm"}}); }).number(), Error::WrongArgumentCount);
}

TEST(ObjectRegistry, CreatesANewObjectOfARegisteredClassInAnyCaseAndNamesAnUnregisteredOne)
{
    RegisterClass("Test.Creatable", [] { return std::make_shared<NamedObject>("made"); });
    const ObjectRef first = CreateInstance("test.CREATABLE");
    EXPECT_EQ(first->DefaultMember(), Variant("made"));
    EXPECT_NE(CreateInstance("Test.Creatable"), first);
    UnregisterClass("Test.Creatable");
    const AutomationError error = ErrorOf([] { CreateInstance("Test.Creatable"); });
    EXPECT_EQ(error.number(), Error::ClassNotRegistered);
    EXPECT_TRUE(error.description().contains("Test.Creatable"));
}

TEST(RunningObjects, ARegisteredObjectIsFoundUntilItsRegistrationEnds)
{
    const ObjectRef object = std::make_shared<NamedObject>("Microsoft Word");
    auto registration = std::make_unique<RunningObjectRegistration>("Test.Running", object);
    EXPECT_EQ(FindRunningInstance("test.running"), object);
    EXPECT_EQ(ErrorOf([] { FindRunningInstance("Test.Other"); }).number(), Error::NoRunningInstance);
    registration.reset();
    EXPECT_EQ(ErrorOf([] { FindRunningInstance("Test.Running"); }).number(), Error::NoRunningInstance);
}

TEST(RunningObjects, AnObjectOfAnotherProcessShowsItsDefaultMemberAndRefusesOtherCalls)
{
    QProcess other;
    other.start(QCoreApplication::applicationFilePath(), {"--hold-running", "Test.Running", "Microsoft Word"});
    ASSERT_TRUE(other.waitForReadyRead());
    const ObjectRef found = FindRunningInstance("Test.Running");
    EXPECT_EQ(found->DefaultMember(), Variant("Microsoft Word"));
    EXPECT_EQ(ErrorOf([&] { found->Invoke("Quit"); }).number(), Error::UnknownMember);
    other.closeWriteChannel();
    ASSERT_TRUE(other.waitForFinished());
    EXPECT_EQ(ErrorOf([] { FindRunningInstance("Test.Running"); }).number(), Error::NoRunningInstance);
}

TEST(RunningObjects, EntriesOfEndedProcessesOrOfAReusedPidDoNotCountAndAreRemoved)
{
    // No process has so large a pid (the kernel's limit is 2^22); this one never had the start time 1.
    for (const qint64 pid : {qint64(99999999), QCoreApplication::applicationPid()}) {
        QFile entry(QStringLiteral("%1/%2.running").arg(RunningObjectFolder()).arg(pid));
        ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
        entry.write(QStringLiteral("Test.Running\n%1\n1\nMicrosoft Word\n").arg(pid).toUtf8());
    }
    EXPECT_EQ(ErrorOf([] { FindRunningInstance("Test.Running"); }).number(), Error::NoRunningInstance);
    EXPECT_TRUE(QDir(RunningObjectFolder()).isEmpty());
}

TEST(RunningObjects, TheFolderOfEntriesIsPrivateAndWithoutARuntimeFolderLiesUnderTmp)
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QString inRuntime = RunningObjectFolder();
    qunsetenv("XDG_RUNTIME_DIR");
    const QString underTmp = RunningObjectFolder();
    qputenv("XDG_RUNTIME_DIR", runtime);
    EXPECT_EQ(inRuntime, QFile::decodeName(runtime) + "/quorvane-running");
    EXPECT_EQ(underTmp, "/tmp/quorvane-running-" + QString::number(::getuid()));
    for (const QString &folder : {inRuntime, underTmp}) {
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(folder).constData(), &info), 0) << qPrintable(folder);
        EXPECT_EQ(info.st_mode & 0777, 0700u) << qPrintable(folder);
        EXPECT_EQ(info.st_uid, ::getuid());
    }
}

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc == 4 && argv[1] == QByteArray("--hold-running")) {
        const RunningObjectRegistration registration(argv[2], std::make_shared<NamedObject>(argv[3]));
        std::cout << "ready" << std::endl;
        std::cin.get(); // returns when the test closes standard input
        return 0;
    }
    // Entries go to a runtime folder of this run only (its children inherit it).
    const QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
