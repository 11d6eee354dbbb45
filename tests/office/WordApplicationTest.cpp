#include "convert/automation/ObjectRegistry.h"
#include "office/OfficeTestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include <signal.h>

using namespace std::chrono_literals;
namespace Error = AutomationErrorNumber;

namespace {
constexpr int Normal = 8;
constexpr int Filtered = 10;

class WordApplicationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        RegisterOfficeEngine(TestOfficeSettings());
    }
    void TearDown() override
    {
        // Offices kept warm end after a few idle seconds; the tests end them at once.
        EndIdleOfficeProcesses();
        EXPECT_EQ(OfficeChildren(), QList<qint64>()) << "an office process outlived the test";
    }

    // The one office process of this test, for the cases that stop or kill it.
    static qint64 onlyOffice()
    {
        const QList<qint64> children = OfficeChildren();
        EXPECT_EQ(children.size(), 1);
        return children.value(0);
    }

    static ObjectRef open(const ObjectRef &word, const QString &path)
    {
        return word->Invoke(QStringLiteral("Documents")).toObject()->Invoke(QStringLiteral("Open"), {path}).toObject();
    }

    QTemporaryDir folder;
};

QString pageBeside(const QString &document)
{
    const QFileInfo info(document);
    return info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".htm");
}

// The page's text as a reader sees it: tags dropped, blanks collapsed.
QString visibleText(const QString &html)
{
    QString text = html;
    text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    text.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    return text.simplified();
}

QStringList linkedPictures(const QString &html)
{
    QStringList sources;
    const QRegularExpression image(QStringLiteral("<img[^>]*\\ssrc=\"([^\"]+)\""), QRegularExpression::CaseInsensitiveOption);
    for (auto match = image.globalMatch(html); match.hasNext();)
        sources.append(match.next().captured(1));
    return sources;
}

bool declaresUtf8(const QString &html)
{
    return html.contains(QRegularExpression(QStringLiteral("<meta[^>]*charset=\"?utf-8"), QRegularExpression::CaseInsensitiveOption));
}

QStringList filesIn(const QString &path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}
} // namespace

TEST_F(WordApplicationTest, WritesDocDocxAndRtfAsBothWebPageFlavoursWithTheirTextInUtf8)
{
    const struct {
        const char *name;
        const char *text;
    } documents[] = {{"Lists.doc", "This document has different lists in it for testing"},
                     {"delins.docx", "A Nepalese name for Tilaka"},
                     {"testRTFVarious.rtf", "Here is a numbered list"}};
    for (const auto &document : documents) {
        for (const int format : {Normal, Filtered}) {
            const QString path = CopyCorpusDocument(QString::fromUtf8(document.name), folder.filePath(QString::number(format)));
            ConvertWithWord(path, pageBeside(path), format);
            const QString html = ReadText(pageBeside(path));
            EXPECT_TRUE(visibleText(html).contains(QString::fromUtf8(document.text))) << document.name << " as " << format;
            EXPECT_TRUE(declaresUtf8(html)) << document.name << " as " << format;
        }
    }
}

TEST_F(WordApplicationTest, NormalWritesPicturesBesideThePageAndFilteredEmbedsThem)
{
    const QString normal = CopyCorpusDocument(QStringLiteral("FloatingPictures.doc"), folder.filePath(QStringLiteral("normal")));
    const QString filtered = CopyCorpusDocument(QStringLiteral("testRTFRegularImages.rtf"), folder.filePath(QStringLiteral("filtered")));
    ConvertWithWord(normal, pageBeside(normal), Normal);
    ConvertWithWord(filtered, pageBeside(filtered), Filtered);

    const QStringList pictures = linkedPictures(ReadText(pageBeside(normal)));
    ASSERT_FALSE(pictures.isEmpty());
    for (const QString &picture : pictures)
        EXPECT_TRUE(QFileInfo(QFileInfo(normal).dir().filePath(QUrl::fromPercentEncoding(picture.toUtf8()))).isFile())
            << qPrintable(picture);

    const QStringList embedded = linkedPictures(ReadText(pageBeside(filtered)));
    ASSERT_FALSE(embedded.isEmpty());
    for (const QString &picture : embedded)
        EXPECT_TRUE(picture.startsWith(QStringLiteral("data:image/"))) << qPrintable(picture.left(40));
    EXPECT_EQ(filesIn(QFileInfo(filtered).path()), (QStringList{QStringLiteral("testRTFRegularImages.htm"),
                                                               QStringLiteral("testRTFRegularImages.rtf")}));
}

TEST_F(WordApplicationTest, EncryptedAndCorruptDocumentsFailAtOnceAndTheNextDocumentStillConverts)
{
    const ObjectRef word = CreateObject(QStringLiteral("Word.Application"));
    const struct {
        const char *name;
        int number;
        const char *says;
    } failures[] = {{"password_password_cryptoapi.doc", Error::PasswordProtected, "password-protected"},
                    {"bug53475-password-is-pass.docx", Error::PasswordProtected, "password-protected"},
                    {"testWORD_truncated.docx", Error::DocumentDamaged, "damaged"},
                    {"clusterfuzz-testcase-minimized-POIHWPFFuzzer-5074346559012864.doc", Error::DocumentDamaged, "damaged"}};
    for (const auto &failure : failures) {
        const QString path = CopyCorpusDocument(QString::fromUtf8(failure.name), folder.path());
        const AutomationError error = ErrorOf([&] { open(word, path); });
        EXPECT_EQ(error.number(), failure.number) << failure.name;
        EXPECT_TRUE(error.description().contains(QString::fromUtf8(failure.says))) << qPrintable(error.description());
        EXPECT_TRUE(error.description().contains(path)) << qPrintable(error.description());
    }
    const QString good = CopyCorpusDocument(QStringLiteral("Lists.doc"), folder.path());
    SaveAsWebPage(open(word, good), pageBeside(good), Normal);
    word->Invoke(QStringLiteral("Quit"));
    EXPECT_TRUE(QFileInfo(pageBeside(good)).isFile());
    EXPECT_FALSE(QFileInfo::exists(folder.filePath(QStringLiteral("password_password_cryptoapi.htm"))));
}

TEST_F(WordApplicationTest, AMissingDocumentIsNotFound)
{
    const ObjectRef word = CreateObject(QStringLiteral("Word.Application"));
    const QString missing = folder.filePath(QStringLiteral("gone.doc"));
    const AutomationError error = ErrorOf([&] { open(word, missing); });
    EXPECT_EQ(error.number(), Error::DocumentNotFound);
    EXPECT_TRUE(error.description().contains(missing)) << qPrintable(error.description());
    EXPECT_TRUE(error.description().contains(QStringLiteral("not found"))) << qPrintable(error.description());
    word->Invoke(QStringLiteral("Quit"));
}

TEST_F(WordApplicationTest, PathsWithBlanksHashesPercentsQuotesAndNonAsciiLettersWork)
{
    const QString path = CopyCorpusDocument(QStringLiteral("Lists.doc"), folder.path(),
                                            QStringLiteral("Dossier # 100% \"neu\"/Übersicht 'Größe' #2 %20 Ωμέγα.doc"));
    ConvertWithWord(path, pageBeside(path), Normal);
    EXPECT_TRUE(visibleText(ReadText(pageBeside(path))).contains(QStringLiteral("different lists in it for testing")));
}

TEST_F(WordApplicationTest, AnUnsupportedFormatOrArgumentIsAnErrorThatWritesNothing)
{
    const QString path = CopyCorpusDocument(QStringLiteral("Lists.doc"), folder.path());
    const ObjectRef word = CreateObject(QStringLiteral("Word.Application"));
    const ObjectRef document = open(word, path);

    EXPECT_EQ(ErrorOf([&] { SaveAsWebPage(document, pageBeside(path), 9); }).number(), Error::BadArgumentValue);
    EXPECT_EQ(ErrorOf([&] {
                  document->Invoke(QStringLiteral("SaveAs"), {},
                                   {{QStringLiteral("FileName"), pageBeside(path)}, {QStringLiteral("FileFormat"), Normal},
                                    {QStringLiteral("Encoding"), 65001}});
              }).number(),
              Error::UnknownNamedArgument);
    EXPECT_EQ(ErrorOf([&] {
                  document->Invoke(QStringLiteral("SaveAs"), {},
                                   {{QStringLiteral("FileName"), pageBeside(path)}, {QStringLiteral("FileFormat"), QStringLiteral("8")}});
              }).number(),
              Error::TypeMismatch);
    EXPECT_EQ(ErrorOf([&] { SaveAsWebPage(document, path, Normal); }).number(), Error::WouldOverwriteSource);
    EXPECT_EQ(ErrorOf([&] { document->Invoke(QStringLiteral("PrintOut")); }).number(), Error::UnknownMember);
    EXPECT_EQ(ErrorOf([&] { word->Invoke(QStringLiteral("Visible")); }).number(), Error::UnknownMember);
    EXPECT_EQ(filesIn(folder.path()), QStringList{QStringLiteral("Lists.doc")});

    word->Invoke(QStringLiteral("Quit"));
    EXPECT_EQ(ErrorOf([&] { SaveAsWebPage(document, pageBeside(path), Normal); }).number(), Error::EngineGone);
    EXPECT_EQ(filesIn(folder.path()), QStringList{QStringLiteral("Lists.doc")});
}

TEST_F(WordApplicationTest, ASecondSaveOfOneDocumentWritesBothPages)
{
    const QString path = CopyCorpusDocument(QStringLiteral("Lists.doc"), folder.path());
    const ObjectRef word = CreateObject(QStringLiteral("Word.Application"));
    const ObjectRef document = open(word, path);
    SaveAsWebPage(document, folder.filePath(QStringLiteral("normal.htm")), Normal);
    SaveAsWebPage(document, folder.filePath(QStringLiteral("filtered.htm")), Filtered);
    word->Invoke(QStringLiteral("Quit"));
    EXPECT_TRUE(visibleText(ReadText(folder.filePath(QStringLiteral("normal.htm")))).contains(QStringLiteral("different lists")));
    EXPECT_TRUE(visibleText(ReadText(folder.filePath(QStringLiteral("filtered.htm")))).contains(QStringLiteral("different lists")));
}

TEST_F(WordApplicationTest, ADocumentWhoseOpeningWouldRunAMacroRunsNone)
{
    const QString marker = folder.filePath(QStringLiteral("macro-ran"));
    const QString path = folder.filePath(QStringLiteral("macro.fodt"));
    const QString basic = QStringLiteral(
        "Sub Marker\n  Dim n As Integer\n  n = FreeFile\n  Open &quot;%1&quot; For Output As #n\n"
        "  Print #n, &quot;ran&quot;\n  Close #n\nEnd Sub\n").arg(marker);
    const QString call = QStringLiteral("vnd.sun.star.script:Standard.Module1.Marker?language=Basic&amp;location=document");
    QFile document(path);
    ASSERT_TRUE(document.open(QIODevice::WriteOnly));
    document.write(QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<office:document xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
        "xmlns:script=\"urn:oasis:names:tc:opendocument:xmlns:script:1.0\" xmlns:ooo=\"http://openoffice.org/2004/office\" "
        "xmlns:xlink=\"http://www.w3.org/1999/xlink\" xmlns:dom=\"http://www.w3.org/2001/xml-events\" "
        "office:version=\"1.3\" office:mimetype=\"application/vnd.oasis.opendocument.text\">"
        "<office:scripts><office:script script:language=\"ooo:Basic\"><ooo:libraries>"
        "<ooo:library-embedded ooo:name=\"Standard\"><ooo:module ooo:name=\"Module1\">"
        "<ooo:source-code>%1</ooo:source-code></ooo:module></ooo:library-embedded></ooo:libraries></office:script>"
        "<office:event-listeners>"
        "<script:event-listener script:language=\"ooo:script\" script:event-name=\"dom:load\" xlink:href=\"%2\"/>"
        "<script:event-listener script:language=\"ooo:script\" script:event-name=\"office:load-finished\" xlink:href=\"%2\"/>"
        "</office:event-listeners></office:scripts>"
        "<office:body><office:text><text:p>Opening this runs a macro.</text:p></office:text></office:body>"
        "</office:document>\n").arg(basic, call).toUtf8());
    document.close();

    ConvertWithWord(path, pageBeside(path), Normal);
    EXPECT_TRUE(visibleText(ReadText(pageBeside(path))).contains(QStringLiteral("Opening this runs a macro.")));
    EXPECT_FALSE(QFile::exists(marker));
}

TEST_F(WordApplicationTest, AHangingOfficeEndsInAnErrorAtTheDeadlineWithItsProcessGone)
{
    OfficeLimits limits;
    limits.call = 2s;
    RegisterOfficeEngine(TestOfficeSettings(limits));
    const QString path = CopyCorpusDocument(QStringLiteral("Lists.doc"), folder.path());
    const ObjectRef word = CreateObject(QStringLiteral("Word.Application"));
    ::kill(static_cast<pid_t>(onlyOffice()), SIGSTOP);

    const AutomationError error = ErrorOf([&] { open(word, path); });
    EXPECT_EQ(error.number(), Error::EngineTimeout);
    EXPECT_TRUE(error.description().contains(path)) << qPrintable(error.description());
    EXPECT_EQ(OfficeChildren(), QList<qint64>());
    word->Invoke(QStringLiteral("Quit"));
}

TEST_F(WordApplicationTest, AFailedSaveKeepsTheEarlierPageAndLeavesNothingHalfWritten)
{
    OfficeLimits limits;
    limits.call = 2s;
    RegisterOfficeEngine(TestOfficeSettings(limits));
    const QString path = CopyCorpusDocument(QStringLiteral("FloatingPictures.doc"), folder.path());
    QFile earlier(pageBeside(path));
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("<html><body>the earlier good page</body></html>");
    earlier.close();

    const ObjectRef word = CreateObject(QStringLiteral("Word.Application"));
    const ObjectRef document = open(word, path);
    ::kill(static_cast<pid_t>(onlyOffice()), SIGSTOP);
    EXPECT_EQ(ErrorOf([&] { SaveAsWebPage(document, pageBeside(path), Normal); }).number(), Error::EngineTimeout);
    word->Invoke(QStringLiteral("Quit"));

    EXPECT_EQ(ReadText(pageBeside(path)), QStringLiteral("<html><body>the earlier good page</body></html>"));
    EXPECT_EQ(filesIn(folder.path()), (QStringList{QStringLiteral("FloatingPictures.doc"), QStringLiteral("FloatingPictures.htm")}));
}

TEST_F(WordApplicationTest, AnOfficeKilledDuringACallGivesAnErrorAndTheNextCallAFreshOffice)
{
    const QString path = CopyCorpusDocument(QStringLiteral("Lists.doc"), folder.path());
    const ObjectRef word = CreateObject(QStringLiteral("Word.Application"));
    const auto office = static_cast<pid_t>(onlyOffice());
    ::kill(office, SIGSTOP); // holds the call open until the kill below
    std::thread killer([office] {
        std::this_thread::sleep_for(500ms);
        ::kill(office, SIGKILL);
    });
    const AutomationError error = ErrorOf([&] { open(word, path); });
    killer.join();
    EXPECT_EQ(error.number(), Error::EngineGone);
    EXPECT_TRUE(error.description().contains(path)) << qPrintable(error.description());

    SaveAsWebPage(open(word, path), pageBeside(path), Normal);
    word->Invoke(QStringLiteral("Quit"));
    EXPECT_TRUE(QFileInfo(pageBeside(path)).isFile());
}

TEST_F(WordApplicationTest, AnotherProcessFindsTheRunningApplicationByItsName)
{
    const auto runningWord = [] {
        QProcess probe;
        probe.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(PrintRunningWordFlag)});
        probe.waitForFinished();
        return QString::fromUtf8(probe.readAllStandardOutput());
    };
    const ObjectRef word = CreateObject(QStringLiteral("Word.Application"));
    EXPECT_EQ(runningWord(), QStringLiteral("Microsoft Word"));
    EXPECT_EQ(GetObject(QStringLiteral("Word.Application")), word);
    word->Invoke(QStringLiteral("Quit"));
    EXPECT_EQ(runningWord(), QString::number(Error::NoRunningInstance));
}

TEST_F(WordApplicationTest, ReleasingTheApplicationWithoutQuitEndsItsOffice)
{
    const QString path = CopyCorpusDocument(QStringLiteral("Lists.doc"), folder.path());
    {
        const ObjectRef word = CreateObject(QStringLiteral("Word.Application"));
        open(word, path);
        EXPECT_EQ(OfficeChildren().size(), 1);
    }
    EXPECT_EQ(OfficeChildren(), QList<qint64>());
    EXPECT_EQ(ErrorOf([] { GetObject(QStringLiteral("Word.Application")); }).number(), Error::NoRunningInstance);
}

TEST_F(WordApplicationTest, AMissingOfficeSaysWhichPackageToInstall)
{
    OfficeSettings settings = TestOfficeSettings();
    settings.program = folder.filePath(QStringLiteral("no-office/soffice.bin"));
    RegisterOfficeEngine(settings);
    const AutomationError error = ErrorOf([] { CreateObject(QStringLiteral("Word.Application")); });
    EXPECT_EQ(error.number(), Error::EngineNotInstalled);
    EXPECT_TRUE(error.description().contains(QStringLiteral("libreoffice-writer-nogui"))) << qPrintable(error.description());
}

TEST_F(WordApplicationTest, TheOfficeEndsWhenTheProgramThatStartedItIsKilled)
{
    QProcess program;
    program.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(HoldWordFlag)});
    ASSERT_TRUE(program.waitForReadyRead(60'000));
    const qint64 office = program.readLine().trimmed().toLongLong();
    ASSERT_GT(office, 0);
    ASSERT_TRUE(QFileInfo::exists(QStringLiteral("/proc/%1").arg(office)));
    program.kill();
    program.waitForFinished();

    const auto officeLives = [office] {
        const QString state = ReadText(QStringLiteral("/proc/%1/stat").arg(office));
        return !state.isEmpty() && !state.contains(QStringLiteral(") Z "));
    };
    for (int wait = 0; wait < 100 && officeLives(); ++wait)
        std::this_thread::sleep_for(100ms);
    EXPECT_FALSE(officeLives());
}

TEST_F(WordApplicationTest, AProfileWhoseSettingsWereCutShortIsMadeAnew)
{
    OfficeSettings settings = TestOfficeSettings();
    settings.profileRoot = folder.filePath(QStringLiteral("profiles"));
    RegisterOfficeEngine(settings);
    const QString path = CopyCorpusDocument(QStringLiteral("Lists.doc"), folder.filePath(QStringLiteral("documents")));
    ConvertWithWord(path, pageBeside(path), Normal);
    const QString settingsFile = settings.profileRoot + QStringLiteral("/slot-0/user/registrymodifications.xcu");
    ASSERT_TRUE(QFile::resize(settingsFile, 200));
    QFile::remove(pageBeside(path));

    ConvertWithWord(path, pageBeside(path), Normal);
    EXPECT_TRUE(declaresUtf8(ReadText(pageBeside(path))));
}

TEST_F(WordApplicationTest, AnOfficeTheUserHasOpenIsLeftAlone)
{
    const OfficeSettings settings = TestOfficeSettings();
    const QStringList usersOffice{QStringLiteral("--headless"), QStringLiteral("--norestore"),
                                  QStringLiteral("-env:UserInstallation=")
                                      + QUrl::fromLocalFile(folder.filePath(QStringLiteral("users-profile"))).toString()};
    QProcess prepare;
    prepare.start(settings.program, usersOffice + QStringList{QStringLiteral("--terminate_after_init")});
    ASSERT_TRUE(prepare.waitForFinished(60'000));
    QProcess user;
    user.start(settings.program, usersOffice);
    ASSERT_TRUE(user.waitForStarted());

    const QString path = CopyCorpusDocument(QStringLiteral("Lists.doc"), folder.filePath(QStringLiteral("documents")));
    ConvertWithWord(path, pageBeside(path), Normal);
    CreateObject(QStringLiteral("Word.Application")); // released at once, without Quit

    EXPECT_TRUE(QFileInfo(pageBeside(path)).isFile());
    EXPECT_EQ(user.state(), QProcess::Running);
    EXPECT_FALSE(user.waitForFinished(100));
    user.kill();
    user.waitForFinished();
}
