// The office engine behind "Word.Application", against the real LibreOffice. The program also
// plays another program: --print-running-word prints the running Word's default member (or the
// error number); --hold-word creates one, prints its office's pid and waits to be killed;
// --convert-and-return path converts path, prints the pids of the offices it leaves and ends.

#include "OfficeEngine.h"
#include "ErrorOf.h"
#include "ObjectRegistry.h"
#include "OfficeChildren.h"
#include "OfficeErrors.h"
#include "PrintQt.h"
#include "TestDocuments.h"
#include "WordSaveAs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <thread>

#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace std::chrono_literals;
namespace Error = AutomationErrorNumber;

namespace {
constexpr int Normal = WordSaveFormat::Html;
constexpr int Filtered = WordSaveFormat::FilteredHtml;

const char PrintRunningWordFlag[] = "--print-running-word";
const char HoldWordFlag[] = "--hold-word";
const char ConvertAndReturnFlag[] = "--convert-and-return";

// The test build's own profile root.
OfficeSettings TestOfficeSettings()
{
    OfficeSettings settings = DefaultOfficeSettings();
    settings.profileRoot = QStringLiteral(QUORVANE_TEST_PROFILE_ROOT);
    return settings;
}

// Waits, without an event loop, until count office children run; false after 30 s.
bool OfficesRunning(int count)
{
    for (int wait = 0; wait < 300 && OfficeChildren().size() != count; ++wait)
        std::this_thread::sleep_for(100ms);
    return OfficeChildren().size() == count;
}

ObjectRef OpenDocument(const ObjectRef &word, const QString &path)
{
    return word->Invoke(QStringLiteral("Documents")).toObject()->Invoke(QStringLiteral("Open"), {path}).toObject();
}

void SaveAsWebPage(const ObjectRef &document, const QString &fileName, int format)
{
    document->Invoke(QStringLiteral("SaveAs"), {}, SaveAsArguments(fileName, format));
}

// Create, open, save, quit: one conversion as the program makes it.
void ConvertWithWord(const QString &path, const QString &output, int format)
{
    const ObjectRef word = CreateObject(QStringLiteral("Word.Application"));
    SaveAsWebPage(OpenDocument(word, path), output, format);
    word->Invoke(QStringLiteral("Quit"));
}

QString ReadText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Waits, without an event loop, until pid no longer runs (or is a zombie); false after 15 s.
bool EndsSoon(qint64 pid)
{
    const auto running = [pid] {
        const QString state = ReadText(QStringLiteral("/proc/%1/stat").arg(pid));
        return !state.isEmpty() && !state.contains(QStringLiteral(") Z "));
    };
    for (int wait = 0; wait < 150 && running(); ++wait)
        std::this_thread::sleep_for(100ms);
    return !running();
}

// A folder of the test's own and the engine with test settings; after the test no office of
// ours may be left.
class OfficeEngine : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        RegisterOfficeEngine(TestOfficeSettings());
    }
    void TearDown() override
    {
        EndIdleOfficeProcesses(); // those kept warm would end after a few idle seconds
        EXPECT_EQ(OfficeChildren(), QList<qint64>()) << "an office process outlived the test";
    }
    // Registers the engine with the test settings as change leaves them.
    static void use(const std::function<void(OfficeSettings &)> &change)
    {
        OfficeSettings settings = TestOfficeSettings();
        change(settings);
        RegisterOfficeEngine(settings);
    }
    // A copy of a test document in a folder of its own (numbered by copy); returns its path.
    QString document(const char *name, int copy = 0)
    {
        return CopyTestDocument(QString::fromUtf8(name), folder.filePath(QString::number(copy)));
    }
    // Converts path as a Normal page and expects the page.
    static void convert(const QString &path)
    {
        ConvertWithWord(path, PageBeside(path), Normal);
        EXPECT_GT(QFileInfo(PageBeside(path)).size(), 0) << qPrintable(path);
    }
    QTemporaryDir folder;
};

// The page's text as a reader sees it: tags dropped, blanks collapsed.
QString visibleText(const QString &html)
{
    QString text = html;
    text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    text.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    return text.simplified();
}

QStringList pictureSources(const QString &html)
{
    QStringList sources;
    const QRegularExpression image(QStringLiteral("<img[^>]*\\ssrc=\"([^\"]+)\""),
                                   QRegularExpression::CaseInsensitiveOption);
    for (auto match = image.globalMatch(html); match.hasNext();)
        sources.append(match.next().captured(1));
    return sources;
}

QStringList filesIn(const QString &path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}
} // namespace

TEST_F(OfficeEngine, WritesDocDocxAndRtfInBothFlavoursWithTextUtf8AndPicturesUnderAnyPath)
{
    const struct {
        const char *name;
        const char *text;
    } documents[] = {{"Lists.doc", "This document has different lists in it for testing"},
                     {"delins.docx", "A Nepalese name for Tilaka"},
                     {"testRTFVarious.rtf", "Here is a numbered list"}};
    const QString awkward = QStringLiteral("Dossier # 100% \"neu\"/Übersicht 'Größe' #2 %20 Ωμέγα ");
    for (const auto &document : documents) {
        for (const int format : {Normal, Filtered}) {
            const QString name = QString::fromUtf8(document.name);
            const QString path = CopyTestDocument(name, folder.filePath(QString::number(format)), awkward + name);
            ConvertWithWord(path, PageBeside(path), format);
            const QString html = ReadText(PageBeside(path));
            EXPECT_TRUE(visibleText(html).contains(QString::fromUtf8(document.text)))
                << document.name << " as " << format;
            EXPECT_TRUE(html.contains(QRegularExpression(QStringLiteral("<meta[^>]*charset=\"?utf-8"),
                                                         QRegularExpression::CaseInsensitiveOption)))
                << document.name << " as " << format;
        }
    }
}

// Pictures of every kind, photographs, metafiles, an embedded worksheet, a diagram: Normal keeps
// them as files beside the page, Filtered embeds every one the Normal page shows as a picture a
// browser displays, and the Filtered page stands alone.
class Pictures : public OfficeEngine, public ::testing::WithParamInterface<const char *> {};

TEST_P(Pictures, NormalKeepsThemBesideThePageFilteredEmbedsEachOne)
{
    const QString name = QString::fromUtf8(GetParam());
    const QString normal = CopyTestDocument(name, folder.filePath(QStringLiteral("normal")));
    const QString filtered = CopyTestDocument(name, folder.filePath(QStringLiteral("filtered")));
    ConvertWithWord(normal, PageBeside(normal), Normal);
    ConvertWithWord(filtered, PageBeside(filtered), Filtered);

    const QStringList files = pictureSources(ReadText(PageBeside(normal)));
    ASSERT_FALSE(files.isEmpty());
    for (const QString &picture : files)
        EXPECT_TRUE(QFileInfo(QFileInfo(normal).dir().filePath(QUrl::fromPercentEncoding(picture.toUtf8()))).isFile())
            << qPrintable(picture);
    const QStringList embedded = pictureSources(ReadText(PageBeside(filtered)));
    EXPECT_EQ(embedded.size(), files.size());
    for (const QString &picture : embedded) {
        EXPECT_TRUE(picture.startsWith(QStringLiteral("data:image/"))) << qPrintable(picture.left(40));
        EXPECT_FALSE(QImage::fromData(QByteArray::fromBase64(picture.section(QLatin1Char(','), 1).toLatin1())).isNull())
            << qPrintable(picture.left(40));
    }
    QStringList alone{QFileInfo(PageBeside(filtered)).fileName(), name};
    alone.sort();
    EXPECT_EQ(filesIn(QFileInfo(filtered).path()), alone);
}

INSTANTIATE_TEST_SUITE_P(
    OfficeEngine, Pictures,
    ::testing::Values("EmbeddedDocument.docx", "testWORD_diagramData.docx", "vector_image.doc", "FloatingPictures.doc",
                      "testRTFRegularImages.rtf"),
    [](const ::testing::TestParamInfo<const char *> &info) {
        return QString::fromUtf8(info.param).replace(QRegularExpression("[^A-Za-z0-9]"), "_").toStdString();
    });

TEST_F(OfficeEngine, ADocumentWhoseOpeningWouldRunAMacroRunsNone)
{
    const QString marker = folder.filePath(QStringLiteral("macro-ran"));
    const QString path = folder.filePath(QStringLiteral("macro.fodt"));
    QFile document(path);
    ASSERT_TRUE(document.open(QIODevice::WriteOnly));
    document.write(ReadText(QStringLiteral(QUORVANE_OFFICE_TEST_DATA "/macro-on-open.fodt"))
                       .replace(QStringLiteral("MARKER_PATH"), marker)
                       .toUtf8());
    document.close();

    ConvertWithWord(path, PageBeside(path), Normal);
    EXPECT_TRUE(visibleText(ReadText(PageBeside(path))).contains(QStringLiteral("Opening this runs a macro.")));
    EXPECT_FALSE(QFile::exists(marker));
}

// A wrong format or argument is refused and a hanging save ends at the deadline with its
// office gone; neither writes anything, and the earlier page stays as it was.
TEST_F(OfficeEngine, ASaveThatIsRefusedOrHangsKeepsTheEarlierPage)
{
    use([](OfficeSettings &settings) { settings.limits.call = 2s; });
    const QString path = CopyTestDocument(QStringLiteral("FloatingPictures.doc"), folder.path());
    QFile earlier(PageBeside(path));
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("<html><body>the earlier good page</body></html>");
    earlier.close();

    const ObjectRef word = CreateObject(QStringLiteral("Word.Application"));
    const ObjectRef document = OpenDocument(word, path);
    EXPECT_EQ(ErrorOf([&] { SaveAsWebPage(document, PageBeside(path), 9); }).number(), Error::BadArgumentValue);
    EXPECT_EQ(ErrorOf([&] { SaveAsWebPage(document, path, Normal); }).number(), Error::WouldOverwriteSource);
    EXPECT_EQ(ErrorOf([&] {
                  document->Invoke(QStringLiteral("SaveAs"), {},
                                   {{QStringLiteral("FileName"), PageBeside(path)},
                                    {QStringLiteral("FileFormat"), Normal},
                                    {QStringLiteral("Encoding"), 65001}});
              }).number(),
              Error::UnknownNamedArgument);
    ASSERT_EQ(OfficeChildren().size(), 1);
    ::kill(static_cast<pid_t>(OfficeChildren().value(0)), SIGSTOP);
    EXPECT_EQ(ErrorOf([&] { SaveAsWebPage(document, PageBeside(path), Normal); }).number(), Error::EngineTimeout);
    EXPECT_EQ(OfficeChildren(), QList<qint64>());
    word->Invoke(QStringLiteral("Quit"));

    EXPECT_EQ(ReadText(PageBeside(path)), QStringLiteral("<html><body>the earlier good page</body></html>"));
    EXPECT_EQ(filesIn(folder.path()),
              (QStringList{QStringLiteral("FloatingPictures.doc"), QStringLiteral("FloatingPictures.htm")}));
}

// A page that cannot be written says why in the user's words, never in the office's: no source
// locations, no internal names, no staging folder. The document stays as it was and nothing is
// left beside it. Each case needs a file system of its own, mounted for the test (root only).
struct Unwritable {
    const char *name;
    // Places a copy of the test document in a folder of its own below root; empty when the
    // file system it needs cannot be mounted here.
    std::function<QString(const QString &root, QStringList &mounts)> place;
    const char *says;
};

void PrintTo(const Unwritable &unwritable, std::ostream *out)
{
    *out << unwritable.name;
}

class UnwritablePage : public OfficeEngine, public ::testing::WithParamInterface<Unwritable> {
protected:
    void TearDown() override
    {
        for (const QString &mount : std::as_const(mounts))
            ::umount2(QFile::encodeName(mount).constData(), MNT_DETACH);
        OfficeEngine::TearDown();
    }
    QStringList mounts;
};

TEST_P(UnwritablePage, SaysWhyInPlainWordsAndLeavesNothingBehind)
{
    const QString path = GetParam().place(folder.path(), mounts);
    if (path.isEmpty())
        GTEST_SKIP() << "mounting a file system needs more rights than this test has";
    const QString before = ReadText(path);
    const QStringList filesBefore = filesIn(QFileInfo(path).path());

    const AutomationError error = ErrorOf([&] { ConvertWithWord(path, PageBeside(path), Normal); });
    EXPECT_EQ(error.number(), Error::SaveFailed);
    for (const char *says : {GetParam().says, "could not be saved"})
        EXPECT_TRUE(error.description().contains(QLatin1String(says))) << qPrintable(error.description());
    for (const char *internal : {"file://", ".cxx", "::", ".quorvane-save", "com.sun.star"})
        EXPECT_FALSE(error.description().contains(QLatin1String(internal))) << qPrintable(error.description());
    EXPECT_EQ(ReadText(path), before);
    EXPECT_EQ(filesIn(QFileInfo(path).path()), filesBefore);
}

namespace {
// A tmpfs of size at folder/disk holding the test document; then filled to the last bytes.
QString onAFullDisk(const QString &root, QStringList &mounts)
{
    const QString disk = root + QStringLiteral("/disk");
    QDir().mkpath(disk);
    if (::mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=600k") != 0)
        return {};
    mounts << disk;
    const QString path = CopyTestDocument(QStringLiteral("FloatingPictures.doc"), disk);
    QFile filler(disk + QStringLiteral("/filler"));
    filler.open(QIODevice::WriteOnly);
    while (filler.write(QByteArray(4096, 'x')) == 4096 && filler.flush()) {}
    return path;
}

// The test document in a folder bound read-only at folder/read-only.
QString inAReadOnlyFolder(const QString &root, QStringList &mounts)
{
    const QString source = root + QStringLiteral("/writable");
    const QString readOnly = root + QStringLiteral("/read-only");
    const QString path = CopyTestDocument(QStringLiteral("Lists.doc"), source);
    QDir().mkpath(readOnly);
    const QByteArray at = QFile::encodeName(readOnly);
    if (::mount(QFile::encodeName(source).constData(), at.constData(), nullptr, MS_BIND, nullptr) != 0)
        return {};
    mounts << readOnly;
    if (::mount(nullptr, at.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
        return {};
    return readOnly + QStringLiteral("/Lists.doc");
}

// A document whose name leaves no room for the names of its pictures.
QString withALongName(const QString &root, QStringList &)
{
    return CopyTestDocument(QStringLiteral("FloatingPictures.doc"), root + QStringLiteral("/long"),
                            QString(236, QLatin1Char('L')) + QStringLiteral(".doc"));
}
} // namespace

INSTANTIATE_TEST_SUITE_P(OfficeEngine, UnwritablePage,
                         ::testing::Values(Unwritable{"FullDisk", onAFullDisk, "no space left on the device"},
                                           Unwritable{"ReadOnlyFolder", inAReadOnlyFolder,
                                                      "cannot be written to (Read-only file system)"},
                                           Unwritable{"NameTooLong", withALongName, "is too long for the file system"}),
                         [](const ::testing::TestParamInfo<Unwritable> &info) { return std::string(info.param.name); });

TEST(OfficeErrorWords, AStoreTheOfficeCouldNotDoIsToldByItsErrorAreaAndCodeOnly)
{
    const QString office = QStringLiteral(
        "SfxBaseModel::impl_store <file:///docs/.quorvane-save-12-34-vjCFIX/FloatingPictures.htm> failed: "
        "0x507(Error Area:Io Class:Access Code:7) at ./sfx2/source/doc/sfxbasemodel.cxx:3207 at "
        "./sfx2/source/doc/sfxbasemodel.cxx:1783");
    EXPECT_EQ(OfficeErrors::pageNotWritten(office), "LibreOffice could not write the page (error area Io, code 7)");
    EXPECT_EQ(OfficeErrors::plainOfficeMessage(office), "failed: 0x507(Error Area:Io Class:Access Code:7)");
    EXPECT_EQ(OfficeErrors::plainOfficeMessage("com.sun.star.uno.RuntimeException: Binary URP bridge disposed"),
              "Binary URP bridge disposed");
}

TEST_F(OfficeEngine, AWriteToAnOfficeThatDroppedItsPipeFailsInsteadOfEndingTheProgram)
{
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ::close(ends[0]);
    EXPECT_EQ(::write(ends[1], "x", 1), -1);
    EXPECT_EQ(errno, EPIPE);
    ::close(ends[1]);
}

TEST_F(OfficeEngine, AMissingOfficeSaysWhichPackageToInstall)
{
    use([this](OfficeSettings &settings) {
        settings.program = folder.filePath(QStringLiteral("no-office/soffice.bin"));
    });
    const AutomationError error = ErrorOf([] { CreateObject(QStringLiteral("Word.Application")); });
    EXPECT_EQ(error.number(), Error::EngineNotInstalled);
    EXPECT_TRUE(error.description().contains(QStringLiteral("libreoffice-writer-nogui")))
        << qPrintable(error.description());
}

TEST_F(OfficeEngine, WithEveryPrivateProfileInUseTheMessageSaysSo)
{
    const QString root = folder.filePath(QStringLiteral("profiles"));
    use([&root](OfficeSettings &settings) { settings.profileRoot = root; });
    QDir().mkpath(root);
    std::vector<std::unique_ptr<QLockFile>> held;
    for (int slot = 0; slot < 64; ++slot) {
        held.push_back(std::make_unique<QLockFile>(root + QStringLiteral("/slot-%1.lock").arg(slot)));
        ASSERT_TRUE(held.back()->tryLock(0));
    }
    const AutomationError error = ErrorOf([] { CreateObject(QStringLiteral("Word.Application")); });
    EXPECT_EQ(error.number(), Error::EngineBusy);
    EXPECT_TRUE(error.description().contains(QLatin1String("All 64 private LibreOffice profiles are in use")))
        << qPrintable(error.description());
    EXPECT_FALSE(error.description().contains(QLatin1String("nstall"))) << qPrintable(error.description());
}

TEST_F(OfficeEngine, NoOfficeOutlivesItsProgramWhetherItEndsNormallyOrIsKilled)
{
    QProcess ending;
    ending.start(
        QCoreApplication::applicationFilePath(),
        {QString::fromLatin1(ConvertAndReturnFlag), CopyTestDocument(QStringLiteral("Lists.doc"), folder.path())});
    ASSERT_TRUE(ending.waitForFinished(60'000));
    const QStringList offices
        = QString::fromUtf8(ending.readAllStandardOutput()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    EXPECT_EQ(offices.size(), 2) << "the office that converted and the one prepared beside it";
    for (const QString &office : offices)
        EXPECT_TRUE(EndsSoon(office.toLongLong())) << qPrintable(office);

    QProcess killed;
    killed.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(HoldWordFlag)});
    ASSERT_TRUE(killed.waitForReadyRead(60'000));
    const qint64 office = killed.readLine().trimmed().toLongLong();
    ASSERT_GT(office, 0);
    ASSERT_TRUE(QFileInfo::exists(QStringLiteral("/proc/%1").arg(office)));
    killed.kill();
    killed.waitForFinished();
    EXPECT_TRUE(EndsSoon(office));
}

TEST_F(OfficeEngine, AnOfficeTheUserHasOpenIsLeftAlone)
{
    const QStringList usersOffice{
        QStringLiteral("--headless"), QStringLiteral("--norestore"),
        QStringLiteral("-env:UserInstallation=")
            + QUrl::fromLocalFile(folder.filePath(QStringLiteral("users-profile"))).toString()};
    QProcess prepare;
    prepare.start(TestOfficeSettings().program, usersOffice + QStringList{QStringLiteral("--terminate_after_init")});
    ASSERT_TRUE(prepare.waitForFinished(60'000));
    QProcess user;
    user.start(TestOfficeSettings().program, usersOffice);
    ASSERT_TRUE(user.waitForStarted());

    const QString path = CopyTestDocument(QStringLiteral("Lists.doc"), folder.filePath(QStringLiteral("documents")));
    ConvertWithWord(path, PageBeside(path), Normal);
    CreateObject(QStringLiteral("Word.Application")); // released at once, without Quit

    EXPECT_TRUE(QFileInfo(PageBeside(path)).isFile());
    EXPECT_EQ(user.state(), QProcess::Running);
    user.kill();
    user.waitForFinished();
}

// Each document gets a new application object, listed as running (also for another process)
// until it quits; a cleanly quit one's office serves the next, one released without Quit ends.
TEST_F(OfficeEngine, EachDocumentGetsANewApplicationObjectListedAsRunningOnlyWhileItLives)
{
    const auto runningWord = [] {
        QProcess probe;
        probe.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(PrintRunningWordFlag)});
        probe.waitForFinished();
        return QString::fromUtf8(probe.readAllStandardOutput());
    };
    const ObjectRef first = CreateObject(QStringLiteral("Word.Application"));
    const qint64 office = OfficeChildren().value(0);
    const QString path = document("Lists.doc");
    const ObjectRef opened = OpenDocument(first, path);
    EXPECT_EQ(runningWord(), QStringLiteral("Microsoft Word"));
    EXPECT_EQ(GetObject(QStringLiteral("Word.Application")), first);
    SaveAsWebPage(opened, PageBeside(path), Normal);
    first->Invoke(QStringLiteral("Quit"));
    EXPECT_EQ(ErrorOf([] { GetObject(QStringLiteral("Word.Application")); }).number(), Error::NoRunningInstance);
    EXPECT_EQ(ErrorOf([&] { OpenDocument(first, path); }).number(), Error::EngineGone);
    EXPECT_EQ(ErrorOf([&] { SaveAsWebPage(opened, PageBeside(path), Normal); }).number(), Error::EngineGone);
    EXPECT_TRUE(QFileInfo(PageBeside(path)).isFile());
    {
        const ObjectRef second = CreateObject(QStringLiteral("Word.Application"));
        EXPECT_NE(second, first);
        EXPECT_EQ(GetObject(QStringLiteral("Word.Application")), second);
        EXPECT_EQ(OfficeChildren(), QList<qint64>{office}) << "the quit object's office serves the next one";
        OpenDocument(second, path);
    } // released without Quit
    EXPECT_EQ(OfficeChildren(), QList<qint64>());
    EXPECT_EQ(runningWord(), QString::number(Error::NoRunningInstance));
}

// Encrypted, corrupt, missing, killed in the middle of a call, hanging: each fails at once (or
// at the deadline) saying why, and the next document converts on an office that never saw it.
TEST_F(OfficeEngine, EachFailingDocumentFailsOnItsOwnSayingWhyAndTheNextGetsAFreshOffice)
{
    use([](OfficeSettings &settings) { settings.limits.call = 2s; });
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
        const char *says;
    } failures[] = {
        {"password_password_cryptoapi.doc", leave, Error::PasswordProtected, "password-protected"},
        {"bug53475-password-is-pass.docx", leave, Error::PasswordProtected, "password-protected"},
        {"testWORD_truncated.docx", leave, Error::DocumentDamaged, "damaged"},
        {"clusterfuzz-testcase-minimized-POIHWPFFuzzer-5074346559012864.doc", leave, Error::DocumentDamaged, "damaged"},
        {nullptr, leave, Error::DocumentNotFound, "not found"},
        {"delins.docx", killLater, Error::EngineGone, ""},
        {"Lists.doc", hang, Error::EngineTimeout, ""}};
    int copy = 0;
    convert(document("Lists.doc", ++copy));
    for (const auto &failure : failures) {
        const QString path = failure.name ? document(failure.name, ++copy)
                                          : folder.filePath(QStringLiteral("gone.doc"));
        const ObjectRef word = CreateObject(QStringLiteral("Word.Application"));
        ASSERT_EQ(OfficeChildren().size(), 1);
        const auto office = static_cast<pid_t>(OfficeChildren().value(0));
        failure.disturb(office);
        const AutomationError error = ErrorOf([&] { OpenDocument(word, path); });
        if (killer.joinable())
            killer.join();
        ::kill(office, SIGCONT);
        EXPECT_EQ(error.number(), failure.number) << qPrintable(path);
        EXPECT_TRUE(error.description().contains(path)) << qPrintable(error.description());
        EXPECT_TRUE(error.description().contains(QLatin1String(failure.says))) << qPrintable(error.description());
        word->Invoke(QStringLiteral("Quit"));
        EXPECT_FALSE(QFileInfo::exists(PageBeside(path)));

        const QString next = document("delins.docx", ++copy);
        convert(next);
        EXPECT_TRUE(ReadText(PageBeside(next)).contains(QStringLiteral("Tilaka")));
        if (failure.name) { // a missing document never reaches the office
            EXPECT_FALSE(OfficeChildren().contains(office)) << "after " << qPrintable(path);
        }
    }
}

TEST_F(OfficeEngine, AFolderOrAPipeNamedLikeADocumentIsRefusedBeforeTheOfficeReadsIt)
{
    const QString pipe = folder.filePath(QStringLiteral("pipe.doc"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Reports.doc")));
    const ObjectRef word = CreateObject(QStringLiteral("Word.Application"));
    const AutomationError pipeError = ErrorOf([&] { OpenDocument(word, pipe); });
    EXPECT_EQ(pipeError.number(), Error::DocumentNotFound);
    EXPECT_TRUE(pipeError.description().contains(QLatin1String("is not a document file")))
        << qPrintable(pipeError.description());
    const AutomationError folderError = ErrorOf(
        [&] { OpenDocument(word, folder.filePath(QStringLiteral("Reports.doc"))); });
    EXPECT_TRUE(folderError.description().contains(QLatin1String("is a folder")))
        << qPrintable(folderError.description());
    word->Invoke(QStringLiteral("Quit"));
}

TEST_F(OfficeEngine, AnOfficeIsReplacedOnceItHasLoadedTheDocumentBoundOrPassedTheMemoryBound)
{
    use([](OfficeSettings &settings) { settings.reuse.documents = 3; });
    convert(document("Lists.doc", 1));
    const qint64 office = OfficeChildren().value(0);
    convert(document("Lists.doc", 2));
    EXPECT_EQ(OfficeChildren(), QList<qint64>{office});
    convert(document("Lists.doc", 3));
    EXPECT_TRUE(EndsSoon(office));
    convert(document("Lists.doc", 4));
    EXPECT_FALSE(OfficeChildren().contains(office));

    EndIdleOfficeProcesses();
    use([](OfficeSettings &settings) { settings.reuse.memoryBytes = 1024; });
    convert(document("Lists.doc", 5));
    const QList<qint64> first = OfficeChildren();
    ASSERT_EQ(first.size(), 1);
    EXPECT_TRUE(EndsSoon(first.first()));
    convert(document("Lists.doc", 6));
}

// Offices prepared ahead serve the next application objects, two at once on two threads, are
// not application objects themselves, and end once they are kept no longer and the idle limit
// has passed.
TEST_F(OfficeEngine, PreparedOfficesServeTheNextObjectsAndEndWhenKeptLongEnough)
{
    use([](OfficeSettings &settings) { settings.reuse.idle = 1s; });
    PrepareObjects(QStringLiteral("Word.Application"), 2, 60s);
    ASSERT_TRUE(OfficesRunning(2));
    const QList<qint64> prepared = OfficeChildren();
    EXPECT_EQ(ErrorOf([] { GetObject(QStringLiteral("Word.Application")); }).number(), Error::NoRunningInstance);

    const QString first = document("Lists.doc", 1);
    const QString second = document("delins.docx", 2);
    std::thread other([&] { convert(second); });
    convert(first);
    other.join();
    EXPECT_EQ(OfficeChildren(), prepared) << "no further office was started";
    PrepareObjects(QStringLiteral("Word.Application"), 2, 0s); // kept no longer than the idle limit
    for (const qint64 pid : prepared)
        EXPECT_TRUE(EndsSoon(pid)) << pid;
    EXPECT_EQ(OfficeChildren(), QList<qint64>());
}

// With less memory available than the reserve, one office runs at a time: the objects wait
// for it in turn, and the documents still convert.
TEST_F(OfficeEngine, NoFurtherOfficeStartsWhereItWouldCrossTheMemoryReserve)
{
    use([](OfficeSettings &settings) { settings.memory.reserve = qint64(1) << 50; });
    PrepareObjects(QStringLiteral("Word.Application"), 2, 10s);
    ASSERT_TRUE(OfficesRunning(1));
    std::atomic_bool converting = true;
    int most = 0;
    std::thread watch([&] {
        while (converting)
            most = std::max(most, int(OfficeChildren().size()));
    });
    std::thread other([&] { convert(document("delins.docx", 2)); });
    convert(document("Lists.doc", 1));
    other.join();
    converting = false;
    watch.join();
    EXPECT_EQ(most, 1);
}

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc == 2 && std::strcmp(argv[1], PrintRunningWordFlag) == 0) {
        try {
            std::printf("%s", qPrintable(GetObject(QStringLiteral("Word.Application"))->DefaultMember().toText()));
            return 0;
        } catch (const AutomationError &error) {
            std::printf("%d", error.number());
            return 1;
        }
    }
    if (argc == 2 && std::strcmp(argv[1], HoldWordFlag) == 0) {
        RegisterOfficeEngine(TestOfficeSettings());
        const ObjectRef word = CreateObject(QStringLiteral("Word.Application"));
        std::printf("%lld\n", OfficeChildren().value(0));
        std::fflush(stdout);
        for (;;)
            ::pause();
    }
    if (argc == 3 && std::strcmp(argv[1], ConvertAndReturnFlag) == 0) {
        RegisterOfficeEngine(TestOfficeSettings());
        PrepareObjects(QStringLiteral("Word.Application"), 2, 60s);
        if (!OfficesRunning(2))
            return 1;
        ConvertWithWord(QString::fromLocal8Bit(argv[2]), PageBeside(QString::fromLocal8Bit(argv[2])), Normal);
        for (const qint64 office : OfficeChildren())
            std::printf("%lld ", office);
        return 0;
    }
    // Instances are registered where only this program and its children look, so other test
    // programs running meanwhile do not find a Word of ours.
    const QTemporaryDir runtimeFolder;
    qputenv("XDG_RUNTIME_DIR", runtimeFolder.path().toLocal8Bit());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
