#include "convert/automation/ObjectRegistry.h"
#include "office/OfficeTestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

#include <chrono>

#include <signal.h>

using namespace std::chrono_literals;
namespace Error = AutomationErrorNumber;

namespace {
class WordApplicationTest : public OfficeTest {
protected:
    void SetUp() override
    {
        OfficeTest::SetUp();
        RegisterOfficeEngine(TestOfficeSettings());
    }
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
    const QRegularExpression image(QStringLiteral("<img[^>]*\\ssrc=\"([^\"]+)\""), QRegularExpression::CaseInsensitiveOption);
    for (auto match = image.globalMatch(html); match.hasNext();)
        sources.append(match.next().captured(1));
    return sources;
}

QStringList filesIn(const QString &path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}
} // namespace

TEST_F(WordApplicationTest, WritesDocDocxAndRtfInBothFlavoursWithTextUtf8AndPicturesUnderAnyPath)
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
            const QString path = CopyCorpusDocument(name, folder.filePath(QString::number(format)), awkward + name);
            ConvertWithWord(path, PageBeside(path), format);
            const QString html = ReadText(PageBeside(path));
            EXPECT_TRUE(visibleText(html).contains(QString::fromUtf8(document.text))) << document.name << " as " << format;
            EXPECT_TRUE(html.contains(QRegularExpression(QStringLiteral("<meta[^>]*charset=\"?utf-8"),
                                                         QRegularExpression::CaseInsensitiveOption)))
                << document.name << " as " << format;
        }
    }

    const QString normal = CopyCorpusDocument(QStringLiteral("FloatingPictures.doc"), folder.filePath(QStringLiteral("normal")));
    const QString filtered = CopyCorpusDocument(QStringLiteral("testRTFRegularImages.rtf"), folder.filePath(QStringLiteral("filtered")));
    ConvertWithWord(normal, PageBeside(normal), Normal);
    ConvertWithWord(filtered, PageBeside(filtered), Filtered);
    const QStringList files = pictureSources(ReadText(PageBeside(normal)));
    ASSERT_FALSE(files.isEmpty());
    for (const QString &picture : files)
        EXPECT_TRUE(QFileInfo(QFileInfo(normal).dir().filePath(QUrl::fromPercentEncoding(picture.toUtf8()))).isFile()) << qPrintable(picture);
    const QStringList embedded = pictureSources(ReadText(PageBeside(filtered)));
    ASSERT_FALSE(embedded.isEmpty());
    for (const QString &picture : embedded)
        EXPECT_TRUE(picture.startsWith(QStringLiteral("data:image/"))) << qPrintable(picture.left(40));
    EXPECT_EQ(filesIn(QFileInfo(filtered).path()),
              (QStringList{QStringLiteral("testRTFRegularImages.htm"), QStringLiteral("testRTFRegularImages.rtf")}));
}

TEST_F(WordApplicationTest, EncryptedCorruptAndMissingDocumentsFailAtOnceSayingWhyAndTheNextStillConverts)
{
    const ObjectRef word = CreateObject(QStringLiteral("Word.Application"));
    const struct {
        const char *name;
        int number;
        const char *says;
    } failures[] = {{"password_password_cryptoapi.doc", Error::PasswordProtected, "password-protected"},
                    {"bug53475-password-is-pass.docx", Error::PasswordProtected, "password-protected"},
                    {"testWORD_truncated.docx", Error::DocumentDamaged, "damaged"},
                    {"clusterfuzz-testcase-minimized-POIHWPFFuzzer-5074346559012864.doc", Error::DocumentDamaged, "damaged"},
                    {nullptr, Error::DocumentNotFound, "not found"}};
    for (const auto &failure : failures) {
        const QString path = failure.name ? CopyCorpusDocument(QString::fromUtf8(failure.name), folder.path())
                                          : folder.filePath(QStringLiteral("gone.doc"));
        const AutomationError error = ErrorOf([&] { OpenDocument(word, path); });
        EXPECT_EQ(error.number(), failure.number) << qPrintable(path);
        EXPECT_TRUE(error.description().contains(QString::fromUtf8(failure.says))) << qPrintable(error.description());
        EXPECT_TRUE(error.description().contains(path)) << qPrintable(error.description());
    }
    const QString good = CopyCorpusDocument(QStringLiteral("Lists.doc"), folder.path());
    SaveAsWebPage(OpenDocument(word, good), PageBeside(good), Normal);
    word->Invoke(QStringLiteral("Quit"));
    EXPECT_TRUE(QFileInfo(PageBeside(good)).isFile());
    EXPECT_FALSE(QFileInfo::exists(folder.filePath(QStringLiteral("password_password_cryptoapi.htm"))));
}

TEST_F(WordApplicationTest, AWrongFormatArgumentOrMemberWritesNothingAndOneDocumentCanBeSavedTwice)
{
    const QString path = CopyCorpusDocument(QStringLiteral("Lists.doc"), folder.path());
    const ObjectRef word = CreateObject(QStringLiteral("Word.Application"));
    const ObjectRef document = OpenDocument(word, path);
    const auto saveAs = [&](const QString &name, const Variant &format, const NamedArguments &more = {}) {
        NamedArguments arguments{{QStringLiteral("FileName"), name}, {QStringLiteral("FileFormat"), format}};
        arguments.insert(arguments.end(), more.begin(), more.end());
        document->Invoke(QStringLiteral("SaveAs"), {}, arguments);
    };
    EXPECT_EQ(ErrorOf([&] { SaveAsWebPage(document, PageBeside(path), 9); }).number(), Error::BadArgumentValue);
    EXPECT_EQ(ErrorOf([&] { saveAs(PageBeside(path), Normal, {{QStringLiteral("Encoding"), 65001}}); }).number(),
              Error::UnknownNamedArgument);
    EXPECT_EQ(ErrorOf([&] { saveAs(PageBeside(path), QStringLiteral("8")); }).number(), Error::TypeMismatch);
    EXPECT_EQ(ErrorOf([&] { SaveAsWebPage(document, path, Normal); }).number(), Error::WouldOverwriteSource);
    EXPECT_EQ(ErrorOf([&] { document->Invoke(QStringLiteral("PrintOut")); }).number(), Error::UnknownMember);
    EXPECT_EQ(ErrorOf([&] { word->Invoke(QStringLiteral("Visible")); }).number(), Error::UnknownMember);
    EXPECT_EQ(filesIn(folder.path()), QStringList{QStringLiteral("Lists.doc")});

    SaveAsWebPage(document, folder.filePath(QStringLiteral("normal.htm")), Normal);
    SaveAsWebPage(document, folder.filePath(QStringLiteral("filtered.htm")), Filtered);
    word->Invoke(QStringLiteral("Quit"));
    EXPECT_EQ(ErrorOf([&] { SaveAsWebPage(document, PageBeside(path), Normal); }).number(), Error::EngineGone);
    EXPECT_EQ(filesIn(folder.path()), (QStringList{QStringLiteral("Lists.doc"), QStringLiteral("filtered.htm"),
                                                   QStringLiteral("normal.htm")}));
    for (const char *page : {"normal.htm", "filtered.htm"})
        EXPECT_TRUE(visibleText(ReadText(folder.filePath(QString::fromUtf8(page)))).contains(QStringLiteral("different lists")));
}

TEST_F(WordApplicationTest, ADocumentWhoseOpeningWouldRunAMacroRunsNone)
{
    const QString marker = folder.filePath(QStringLiteral("macro-ran"));
    const QString path = folder.filePath(QStringLiteral("macro.fodt"));
    const QString basic = QStringLiteral("Sub Marker\n  Dim n As Integer\n  n = FreeFile\n  Open &quot;%1&quot; For Output As #n\n"
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

    ConvertWithWord(path, PageBeside(path), Normal);
    EXPECT_TRUE(visibleText(ReadText(PageBeside(path))).contains(QStringLiteral("Opening this runs a macro.")));
    EXPECT_FALSE(QFile::exists(marker));
}

TEST_F(WordApplicationTest, ASaveThatHangsEndsAtTheDeadlineWithTheOfficeGoneAndTheEarlierPageKept)
{
    OfficeLimits limits;
    limits.call = 2s;
    RegisterOfficeEngine(TestOfficeSettings(limits));
    const QString path = CopyCorpusDocument(QStringLiteral("FloatingPictures.doc"), folder.path());
    QFile earlier(PageBeside(path));
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("<html><body>the earlier good page</body></html>");
    earlier.close();

    const ObjectRef word = CreateObject(QStringLiteral("Word.Application"));
    const ObjectRef document = OpenDocument(word, path);
    ASSERT_EQ(OfficeChildren().size(), 1);
    ::kill(static_cast<pid_t>(OfficeChildren().value(0)), SIGSTOP);
    EXPECT_EQ(ErrorOf([&] { SaveAsWebPage(document, PageBeside(path), Normal); }).number(), Error::EngineTimeout);
    EXPECT_EQ(OfficeChildren(), QList<qint64>());
    word->Invoke(QStringLiteral("Quit"));

    EXPECT_EQ(ReadText(PageBeside(path)), QStringLiteral("<html><body>the earlier good page</body></html>"));
    EXPECT_EQ(filesIn(folder.path()), (QStringList{QStringLiteral("FloatingPictures.doc"), QStringLiteral("FloatingPictures.htm")}));
}

TEST_F(WordApplicationTest, AnotherProcessFindsTheRunningApplicationUntilItIsReleasedWhichEndsItsOffice)
{
    const auto runningWord = [] {
        QProcess probe;
        probe.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(PrintRunningWordFlag)});
        probe.waitForFinished();
        return QString::fromUtf8(probe.readAllStandardOutput());
    };
    {
        const ObjectRef word = CreateObject(QStringLiteral("Word.Application"));
        EXPECT_EQ(runningWord(), QStringLiteral("Microsoft Word"));
        EXPECT_EQ(GetObject(QStringLiteral("Word.Application")), word);
        OpenDocument(word, CopyCorpusDocument(QStringLiteral("Lists.doc"), folder.path()));
        EXPECT_EQ(OfficeChildren().size(), 1);
    } // released without Quit
    EXPECT_EQ(OfficeChildren(), QList<qint64>());
    EXPECT_EQ(runningWord(), QString::number(Error::NoRunningInstance));
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

TEST_F(WordApplicationTest, NoOfficeOutlivesItsProgramWhetherItEndsNormallyOrIsKilled)
{
    QProcess ending;
    ending.start(QCoreApplication::applicationFilePath(),
                 {QString::fromLatin1(ConvertAndReturnFlag), CopyCorpusDocument(QStringLiteral("Lists.doc"), folder.path())});
    ASSERT_TRUE(ending.waitForFinished(60'000));
    const QStringList offices = QString::fromUtf8(ending.readAllStandardOutput()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    EXPECT_EQ(offices.size(), 2) << "the warm office and the spare";
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

TEST_F(WordApplicationTest, AnOfficeTheUserHasOpenIsLeftAlone)
{
    const QStringList usersOffice{QStringLiteral("--headless"), QStringLiteral("--norestore"),
                                  QStringLiteral("-env:UserInstallation=")
                                      + QUrl::fromLocalFile(folder.filePath(QStringLiteral("users-profile"))).toString()};
    QProcess prepare;
    prepare.start(TestOfficeSettings().program, usersOffice + QStringList{QStringLiteral("--terminate_after_init")});
    ASSERT_TRUE(prepare.waitForFinished(60'000));
    QProcess user;
    user.start(TestOfficeSettings().program, usersOffice);
    ASSERT_TRUE(user.waitForStarted());

    const QString path = CopyCorpusDocument(QStringLiteral("Lists.doc"), folder.filePath(QStringLiteral("documents")));
    ConvertWithWord(path, PageBeside(path), Normal);
    CreateObject(QStringLiteral("Word.Application")); // released at once, without Quit

    EXPECT_TRUE(QFileInfo(PageBeside(path)).isFile());
    EXPECT_EQ(user.state(), QProcess::Running);
    user.kill();
    user.waitForFinished();
}
