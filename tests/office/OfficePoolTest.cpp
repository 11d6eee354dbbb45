// How application objects share office processes: a cleanly quit one's process serves the
// next, any failure or bound replaces it, and nothing idles or outlives the program.

#include "convert/automation/ObjectRegistry.h"
#include "office/OfficeTestSupport.h"

#include <QCoreApplication>

#include <chrono>
#include <thread>

#include <signal.h>

using namespace std::chrono_literals;
namespace Error = AutomationErrorNumber;

namespace {
class OfficePoolTest : public OfficeTest {
protected:
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
    // Converts path and expects its page.
    static void convert(const QString &path)
    {
        ConvertWithWord(path, PageBeside(path), Normal);
        EXPECT_GT(QFileInfo(PageBeside(path)).size(), 0) << qPrintable(path);
    }
};
} // namespace

TEST_F(OfficePoolTest, EachDocumentGetsANewApplicationObjectListedAsRunningOnlyUntilItQuits)
{
    use(withoutSpare());
    const ObjectRef first = CreateObject(QStringLiteral("Word.Application"));
    const qint64 office = OfficeChildren().value(0);
    const QString path = document("Lists.doc");
    const ObjectRef opened = OpenDocument(first, path);
    EXPECT_EQ(GetObject(QStringLiteral("Word.Application")), first);
    SaveAsWebPage(opened, PageBeside(path), Normal);
    first->Invoke(QStringLiteral("Quit"));
    EXPECT_EQ(ErrorOf([] { GetObject(QStringLiteral("Word.Application")); }).number(), Error::NoRunningInstance);
    EXPECT_EQ(ErrorOf([&] { OpenDocument(first, path); }).number(), Error::EngineGone);
    EXPECT_EQ(ErrorOf([&] { SaveAsWebPage(opened, PageBeside(path), Normal); }).number(), Error::EngineGone);

    const ObjectRef second = CreateObject(QStringLiteral("Word.Application"));
    EXPECT_NE(second, first);
    EXPECT_EQ(GetObject(QStringLiteral("Word.Application")), second);
    EXPECT_EQ(OfficeChildren(), QList<qint64>{office}) << "the quit object's office serves the next one";
    second->Invoke(QStringLiteral("Quit"));
    EXPECT_TRUE(QFileInfo(PageBeside(path)).isFile());
}

// Encrypted, corrupt, killed in the middle of a call, hanging: each fails on its own, and the
// next document converts on an office that never saw the failure.
TEST_F(OfficePoolTest, EachFailingDocumentFailsOnItsOwnAndTheNextGetsAFreshOffice)
{
    OfficeLimits limits;
    limits.call = 2s;
    use(withoutSpare(), limits);
    std::thread killer;
    const std::function<void(pid_t)> leave = [](pid_t) {};
    const std::function<void(pid_t)> hang = [](pid_t office) { ::kill(office, SIGSTOP); };
    const std::function<void(pid_t)> killLater = [&killer](pid_t office) {
        ::kill(office, SIGSTOP); // holds the call open until the kill
        killer = std::thread([office] {
            std::this_thread::sleep_for(500ms);
            ::kill(office, SIGKILL);
        });
    };
    const struct {
        const char *name;
        std::function<void(pid_t)> disturb;
        int number;
    } failures[] = {{"bug53475-password-is-pass.docx", leave, Error::PasswordProtected},
                    {"testWORD_truncated.docx", leave, Error::DocumentDamaged},
                    {"delins.docx", killLater, Error::EngineGone},
                    {"Lists.doc", hang, Error::EngineTimeout}};
    int copy = 0;
    convert(document("Lists.doc", ++copy));
    for (const auto &failure : failures) {
        const QString path = document(failure.name, ++copy);
        const ObjectRef word = CreateObject(QStringLiteral("Word.Application"));
        ASSERT_EQ(OfficeChildren().size(), 1);
        const auto office = static_cast<pid_t>(OfficeChildren().value(0));
        failure.disturb(office);
        const AutomationError error = ErrorOf([&] { OpenDocument(word, path); });
        if (killer.joinable())
            killer.join();
        ::kill(office, SIGCONT);
        EXPECT_EQ(error.number(), failure.number) << failure.name;
        EXPECT_TRUE(error.description().contains(path)) << qPrintable(error.description());
        word->Invoke(QStringLiteral("Quit"));
        EXPECT_FALSE(QFileInfo::exists(PageBeside(path)));

        const QString next = document("delins.docx", ++copy);
        convert(next);
        EXPECT_TRUE(ReadText(PageBeside(next)).contains(QStringLiteral("Tilaka")));
        EXPECT_FALSE(OfficeChildren().contains(office)) << "after " << failure.name;
    }
}

TEST_F(OfficePoolTest, AnOfficeIsReplacedOnceItHasLoadedTheDocumentBoundOrPassedTheMemoryBound)
{
    OfficeReuse reuse = withoutSpare();
    reuse.documents = 3;
    use(reuse);
    convert(document("Lists.doc", 1));
    const qint64 office = OfficeChildren().value(0);
    convert(document("Lists.doc", 2));
    EXPECT_EQ(OfficeChildren(), QList<qint64>{office});
    convert(document("Lists.doc", 3));
    EXPECT_TRUE(EndsSoon(office));
    convert(document("Lists.doc", 4));
    EXPECT_FALSE(OfficeChildren().contains(office));

    EndIdleOfficeProcesses();
    reuse = withoutSpare();
    reuse.memoryBytes = 1024;
    use(reuse);
    convert(document("Lists.doc", 5));
    const QList<qint64> first = OfficeChildren();
    ASSERT_EQ(first.size(), 1);
    EXPECT_TRUE(EndsSoon(first.first()));
    convert(document("Lists.doc", 6));
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
        EXPECT_TRUE(EndsSoon(pid)) << pid;
    QCoreApplication::processEvents(); // lets the pool reap what it ended
    EXPECT_EQ(OfficeChildren(), QList<qint64>());
    convert(document("Lists.doc", 2));
}
