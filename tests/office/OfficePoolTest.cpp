// How application objects share office processes: a cleanly quit one's process serves the
// next, any failure or bound replaces it, and nothing idles or outlives the program.

#include "convert/automation/ObjectRegistry.h"
#include "office/OfficeTestSupport.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include <signal.h>

using namespace std::chrono_literals;
namespace Error = AutomationErrorNumber;

namespace {
constexpr int Normal = 8;

// Alive and not merely waiting to be reaped.
bool isRunning(qint64 pid)
{
    const QString state = ReadText(QStringLiteral("/proc/%1/stat").arg(pid));
    return !state.isEmpty() && !state.contains(QStringLiteral(") Z "));
}

// Waits, without running an event loop, until pid no longer runs; false after 15 s.
bool endsSoon(qint64 pid)
{
    for (int wait = 0; wait < 150 && isRunning(pid); ++wait)
        std::this_thread::sleep_for(100ms);
    return !isRunning(pid);
}

QSet<qint64> officeSet()
{
    const QList<qint64> children = OfficeChildren();
    return QSet<qint64>(children.begin(), children.end());
}

class OfficePoolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        use(OfficeReuse{});
    }
    void TearDown() override
    {
        EndIdleOfficeProcesses();
        EXPECT_EQ(OfficeChildren(), QList<qint64>()) << "an office process outlived the test";
    }

    static void use(const OfficeReuse &reuse, const OfficeLimits &limits = OfficeLimits{})
    {
        OfficeSettings settings = TestOfficeSettings(limits);
        settings.reuse = reuse;
        RegisterOfficeEngine(settings);
    }
    static OfficeReuse withoutSpare()
    {
        OfficeReuse reuse;
        reuse.standby = false;
        return reuse;
    }

    // A copy of a corpus document in a folder of its own (numbered by copy); returns its path.
    QString document(const char *name, int copy = 0)
    {
        return CopyCorpusDocument(QString::fromUtf8(name), folder.filePath(QString::number(copy)));
    }
    static QString pageOf(const QString &path)
    {
        const QFileInfo info(path);
        return info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".htm");
    }
    static void convert(const QString &path) { ConvertWithWord(path, pageOf(path), Normal); }
    static ObjectRef open(const ObjectRef &word, const QString &path)
    {
        return word->Invoke(QStringLiteral("Documents")).toObject()->Invoke(QStringLiteral("Open"), {path}).toObject();
    }

    QTemporaryDir folder;
};
} // namespace

TEST_F(OfficePoolTest, EachDocumentGetsANewApplicationObjectListedAsRunningOnlyUntilItQuits)
{
    use(withoutSpare());
    const ObjectRef first = CreateObject(QStringLiteral("Word.Application"));
    const qint64 office = OfficeChildren().value(0);
    const QString path = document("Lists.doc");
    const ObjectRef opened = open(first, path);
    EXPECT_EQ(GetObject(QStringLiteral("Word.Application")), first);
    SaveAsWebPage(opened, pageOf(path), Normal);
    first->Invoke(QStringLiteral("Quit"));
    EXPECT_EQ(ErrorOf([] { GetObject(QStringLiteral("Word.Application")); }).number(), Error::NoRunningInstance);
    EXPECT_EQ(ErrorOf([&] { open(first, path); }).number(), Error::EngineGone);
    EXPECT_EQ(ErrorOf([&] { SaveAsWebPage(opened, pageOf(path), Normal); }).number(), Error::EngineGone);

    const ObjectRef second = CreateObject(QStringLiteral("Word.Application"));
    EXPECT_NE(second, first);
    EXPECT_EQ(GetObject(QStringLiteral("Word.Application")), second);
    EXPECT_EQ(OfficeChildren(), QList<qint64>{office}) << "the quit object's office serves the next one";
    second->Invoke(QStringLiteral("Quit"));
    EXPECT_TRUE(QFileInfo(pageOf(path)).isFile());
}

TEST_F(OfficePoolTest, AnOfficeKilledInTheMiddleOfACallLeavesTheNextDocumentUnaffectedOnANewProcess)
{
    use(withoutSpare());
    convert(document("Lists.doc", 1));
    const qint64 office = OfficeChildren().value(0);

    const ObjectRef word = CreateObject(QStringLiteral("Word.Application"));
    ::kill(static_cast<pid_t>(office), SIGSTOP); // holds the call open until the kill below
    std::thread killer([office] {
        std::this_thread::sleep_for(500ms);
        ::kill(static_cast<pid_t>(office), SIGKILL);
    });
    EXPECT_EQ(ErrorOf([&] { open(word, document("delins.docx", 2)); }).number(), Error::EngineGone);
    killer.join();
    word->Invoke(QStringLiteral("Quit"));

    const QString next = document("delins.docx", 3);
    convert(next);
    EXPECT_TRUE(ReadText(pageOf(next)).contains(QStringLiteral("Tilaka")));
    const QList<qint64> now = OfficeChildren();
    EXPECT_EQ(now.size(), 1);
    EXPECT_FALSE(now.contains(office));
}

TEST_F(OfficePoolTest, AnOfficeThatSawAFailedDocumentIsReplacedWhileTheSpareStays)
{
    convert(document("Lists.doc"));
    const QSet<qint64> before = officeSet();
    EXPECT_EQ(before.size(), 2) << "the warm office and the spare";

    const ObjectRef failing = CreateObject(QStringLiteral("Word.Application"));
    EXPECT_EQ(ErrorOf([&] { open(failing, document("password_password_cryptoapi.doc")); }).number(), Error::PasswordProtected);
    failing->Invoke(QStringLiteral("Quit"));
    const QSet<qint64> afterFailure = officeSet();
    EXPECT_EQ(afterFailure.size(), 1) << "the office that saw the failure ended";
    EXPECT_TRUE(before.contains(afterFailure)) << "the spare stays for the next document";

    const QString next = document("delins.docx");
    convert(next);
    EXPECT_TRUE(ReadText(pageOf(next)).contains(QStringLiteral("Tilaka")));
    EXPECT_TRUE(officeSet().contains(afterFailure));
}

TEST_F(OfficePoolTest, GoodDocumentsConvertAmongEncryptedCorruptAndHangingOnesEachOfWhichFailsOnItsOwn)
{
    OfficeLimits limits;
    limits.call = 2s;
    use(OfficeReuse{}, limits);
    const auto expectConverted = [](const QString &path) {
        convert(path);
        EXPECT_GT(QFileInfo(pageOf(path)).size(), 0) << qPrintable(path);
    };
    const auto failureOf = [](const QString &path) {
        return ErrorOf([&] { ConvertWithWord(path, pageOf(path), Normal); }).number();
    };
    expectConverted(document("Lists.doc", 1));
    EXPECT_EQ(failureOf(document("bug53475-password-is-pass.docx")), Error::PasswordProtected);
    expectConverted(document("Lists.doc", 2));
    EXPECT_EQ(failureOf(document("testWORD_truncated.docx")), Error::DocumentDamaged);
    expectConverted(document("delins.docx", 3));

    // The hanging one: every office of ours stands still while it opens.
    const QString hanging = document("Lists.doc", 4);
    const ObjectRef word = CreateObject(QStringLiteral("Word.Application"));
    const QList<qint64> stopped = OfficeChildren();
    for (const qint64 pid : stopped)
        ::kill(static_cast<pid_t>(pid), SIGSTOP);
    EXPECT_EQ(ErrorOf([&] { open(word, hanging); }).number(), Error::EngineTimeout);
    for (const qint64 pid : stopped)
        ::kill(static_cast<pid_t>(pid), SIGCONT);
    word->Invoke(QStringLiteral("Quit"));
    EXPECT_FALSE(QFileInfo::exists(pageOf(hanging)));

    expectConverted(document("testRTFVarious.rtf", 5));
}

TEST_F(OfficePoolTest, AnOfficeIsReplacedOnceItHasLoadedTheDocumentBound)
{
    OfficeReuse reuse = withoutSpare();
    reuse.documents = 3;
    use(reuse);
    convert(document("Lists.doc", 1));
    const qint64 office = OfficeChildren().value(0);
    convert(document("Lists.doc", 2));
    EXPECT_EQ(OfficeChildren(), QList<qint64>{office});
    convert(document("Lists.doc", 3));
    EXPECT_TRUE(endsSoon(office));

    const QString fourth = document("Lists.doc", 4);
    convert(fourth);
    EXPECT_TRUE(QFileInfo(pageOf(fourth)).isFile());
    EXPECT_FALSE(OfficeChildren().contains(office));
}

TEST_F(OfficePoolTest, AnOfficeIsReplacedOnceItsMemoryPassesTheBound)
{
    OfficeReuse reuse = withoutSpare();
    reuse.memoryBytes = 1024;
    use(reuse);
    convert(document("Lists.doc", 1));
    const QList<qint64> first = OfficeChildren();
    ASSERT_EQ(first.size(), 1);
    EXPECT_TRUE(endsSoon(first.first()));
    const QString second = document("Lists.doc", 2);
    convert(second);
    EXPECT_TRUE(QFileInfo(pageOf(second)).isFile());
}

TEST_F(OfficePoolTest, IdleOfficesEndAfterTheIdleLimitWithoutAnEventLoop)
{
    OfficeReuse reuse;
    reuse.idle = 1s;
    use(reuse);
    convert(document("Lists.doc", 1));
    const QList<qint64> offices = OfficeChildren();
    EXPECT_EQ(offices.size(), 2) << "the warm office and the spare";
    for (const qint64 pid : offices)
        EXPECT_TRUE(endsSoon(pid)) << pid;
    QCoreApplication::processEvents(); // lets the pool reap what it ended
    EXPECT_EQ(OfficeChildren(), QList<qint64>());

    const QString later = document("Lists.doc", 2);
    convert(later);
    EXPECT_TRUE(QFileInfo(pageOf(later)).isFile());
}

TEST_F(OfficePoolTest, NoOfficeOutlivesAProgramThatEndsNormally)
{
    QProcess program;
    program.start(QCoreApplication::applicationFilePath(),
                  {QString::fromLatin1(ConvertAndReturnFlag), document("Lists.doc")});
    ASSERT_TRUE(program.waitForFinished(60'000));
    const QStringList offices = QString::fromUtf8(program.readAllStandardOutput()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    EXPECT_EQ(offices.size(), 2) << "the warm office and the spare";
    for (const QString &office : offices)
        EXPECT_TRUE(endsSoon(office.toLongLong())) << qPrintable(office);
}
