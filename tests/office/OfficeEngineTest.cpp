// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The office engine behind "Word.Application", against the real LibreOffice. The program also
// plays another program: --hold-word creates a Word, prints its office's pid and waits to be
// killed.

#include "OfficeErrors.h"
#include "OfficeTestSupport.h"
#include "PrintQt.h"
#include "Rows.h"

#include <QCoreApplication>
#include <QImage>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QUrl>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <thread>

#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Error = AutomationErrorNumber;
using ::testing::AllOf, ::testing::HasSubstr, ::testing::Not;

// Every kind of document in both flavours, whatever characters its path holds: its text in
// UTF-8; pictures of every kind (photographs, metafiles, an embedded worksheet, a diagram) kept
// as files beside the Normal page, and each of them embedded in the Filtered page as a picture a
// browser displays, so that the Filtered page stands alone.
struct Kind {
    const char *name;
    const char *document;
    const char *text; // some of the document's text
    bool pictures;
    friend void PrintTo(const Kind &row, std::ostream *out) { *out << row.name; }
};

class EveryKind : public OfficeEngine, public ::testing::WithParamInterface<Kind> {};

TEST_P(EveryKind, IsWrittenInBothFlavoursInUtf8WithItsPicturesBesideOrEmbedded)
{
    const QString name = QString::fromUtf8(GetParam().document);
    const QString awkward = QStringLiteral("Dossier # 100% \"neu\"/Übersicht 'Größe' #2 %20 Ωμέγα ") + name;
    const QString normal = CopyTestDocument(name, folder.filePath(QStringLiteral("normal")), awkward);
    const QString filtered = CopyTestDocument(name, folder.filePath(QStringLiteral("filtered")), awkward);
    ConvertWithWord(normal, Normal);
    ConvertWithWord(filtered, Filtered);
    for (const QString &page : {PageBeside(normal), PageBeside(filtered)}) {
        const QString html = ReadText(page);
        EXPECT_TRUE(visibleText(html).contains(QString::fromUtf8(GetParam().text))) << qPrintable(page);
        EXPECT_TRUE(
            html.contains(QRegularExpression("<meta[^>]*charset=\"?utf-8", QRegularExpression::CaseInsensitiveOption)))
            << qPrintable(page);
    }
    const QStringList files = pictureSources(ReadText(PageBeside(normal)));
    EXPECT_EQ(files.isEmpty(), !GetParam().pictures);
    for (const QString &picture : files)
        EXPECT_TRUE(QFileInfo(QFileInfo(normal).dir().filePath(QUrl::fromPercentEncoding(picture.toUtf8()))).isFile());
    const QStringList embedded = pictureSources(ReadText(PageBeside(filtered)));
    EXPECT_EQ(embedded.size(), files.size());
    for (const QString &picture : embedded) {
        EXPECT_TRUE(picture.startsWith(QStringLiteral("data:image/"))) << qPrintable(picture.left(40));
        EXPECT_FALSE(QImage::fromData(QByteArray::fromBase64(picture.section(',', 1).toLatin1())).isNull());
    }
    QStringList alone{QFileInfo(PageBeside(filtered)).fileName(), QFileInfo(filtered).fileName()};
    alone.sort();
    EXPECT_EQ(filesIn(QFileInfo(filtered).path()), alone);
}

INSTANTIATE_TEST_SUITE_P(OfficeEngine, EveryKind,
                         ::testing::Values(Kind{"Doc", "Lists.doc",
                                                "This document has different lists in it for testing", false},
                                           Kind{"Docx", "delins.docx", "A Nepalese name for Tilaka", false},
                                           Kind{"Rtf", "testRTFVarious.rtf", "Here is a numbered list", false},
                                           Kind{"EmbeddedWorksheet", "EmbeddedDocument.docx", "", true},
                                           Kind{"Diagram", "testWORD_diagramData.docx", "", true},
                                           Kind{"Metafile", "vector_image.doc", "", true},
                                           Kind{"FloatingPictures", "FloatingPictures.doc", "", true},
                                           Kind{"RtfPictures", "testRTFRegularImages.rtf", "", true}),
                         RowName);

namespace {
bool holds(const QString &page, const QString &pattern)
{
    return page.contains(QRegularExpression(pattern));
}

// The text of the page's elements named element, run together as a reader sees it.
QString textOf(const QString &page, const QString &element)
{
    QString text;
    const QRegularExpression elements(QStringLiteral("<%1>(.*?)</%1>").arg(element),
                                      QRegularExpression::DotMatchesEverythingOption);
    for (auto match = elements.globalMatch(page); match.hasNext();)
        text += match.next().captured(1);
    return visibleText(text);
}

// The labels the page gives its list items, in order.
QStringList listLabels(const QString &page)
{
    QStringList labels;
    const QRegularExpression label(QStringLiteral("<li [^>]*list-style-type: '([^']*) '"));
    for (auto match = label.globalMatch(page); match.hasNext();)
        labels << match.next().captured(1);
    return labels;
}

void readsRightToLeft(const QString &page, const QString &)
{
    const QString styleSheet = page.section(QStringLiteral("<style"), 1).section(QStringLiteral("</style>"), 0, 0);
    EXPECT_FALSE(styleSheet.contains(QStringLiteral("direction"))) << qPrintable(styleSheet);
    EXPECT_TRUE(holds(page, QStringLiteral("<table dir=\"rtl\"")));
    EXPECT_TRUE(
        holds(page, QStringLiteral("<p [^>]*dir=\"rtl\"[^>]*style=\"text-align: right;[^>]*>\\s*(<[^>]*>)*وثيقة")));
}

void keepsHighlighting(const QString &page, const QString &)
{
    EXPECT_TRUE(holds(page, QStringLiteral("background: #ffff00\">yellow<")));
    EXPECT_TRUE(holds(page, QStringLiteral("background: #008000\">green<")));
    EXPECT_TRUE(holds(page, QStringLiteral("color=\"#ffffff\"><span style=\"background: #008000\">green<")));
    EXPECT_TRUE(holds(page, QStringLiteral("background: #ff0000\">(<[^>]*>)*custom<")));
}

// The items whose labels a browser draws alike keep the browser's: the first level's • and 1.,
// the third level's ▪.
void labelsListItems(const QString &page, const QString &)
{
    const QString bullet = QStringLiteral("•"), tick = QStringLiteral("✓"), diamond = QStringLiteral("❖"),
                  arrow = QStringLiteral("➢"), suit = QStringLiteral("♦");
    EXPECT_EQ(listLabels(page),
              (QStringList{tick, tick, diamond, diamond, arrow, arrow, arrow, bullet, suit, suit, arrow, diamond,
                           "2.1.", "2.2.", "2.2.1.", "2.2.2.", "2.2.2.1.", "2.2.3."}));
    EXPECT_EQ(page.count(QStringLiteral("<li")), 28);
}

void marksTrackedChanges(const QString &page, const QString &)
{
    EXPECT_TRUE(
        textOf(page, QStringLiteral("del")).contains(QStringLiteral("A pendant worn in place of the red spot")));
    EXPECT_TRUE(textOf(page, QStringLiteral("del")).contains(QStringLiteral("Also known as Maang Tika.")));
    EXPECT_TRUE(textOf(page, QStringLiteral("ins")).contains(QStringLiteral("March 2009: Apache Tika Release")));
    const QString unchanged = visibleText(QString(page).remove(
        QRegularExpression(QStringLiteral("<(del|ins)>.*?</\\1>"), QRegularExpression::DotMatchesEverythingOption)));
    EXPECT_TRUE(unchanged.contains(QStringLiteral("A Nepalese name for Tilaka")));
    EXPECT_FALSE(unchanged.contains(QStringLiteral("Maang Tika")));
}

// Changes by several authors, some next to each other, each marked as what it is.
void marksEachChangeOfSeveralAuthors(const QString &page, const QString &)
{
    EXPECT_TRUE(textOf(page, QStringLiteral("del"))
                    .contains(QStringLiteral("The two top level models making up the framework")));
    EXPECT_TRUE(textOf(page, QStringLiteral("ins")).contains(QStringLiteral("other than unforeseen catastrophes")));
    const QString unchanged = visibleText(QString(page).remove(
        QRegularExpression(QStringLiteral("<(del|ins)>.*?</\\1>"), QRegularExpression::DotMatchesEverythingOption)));
    EXPECT_TRUE(unchanged.contains(QStringLiteral("iControl Project Management frame"))) << qPrintable(unchanged);
    EXPECT_FALSE(unchanged.contains(QStringLiteral("The two top level models")));
}

void showsNoPageNumbers(const QString &page, const QString &)
{
    EXPECT_EQ(page.count(QStringLiteral("<sdfield type=PAGE ")), 1048);
    EXPECT_FALSE(holds(page, QStringLiteral("<sdfield type=PAGE [^>]*>[^<]")));
}

void namesTheDocumentOnly(const QString &page, const QString &folder)
{
    EXPECT_TRUE(holds(page, QStringLiteral("<sdfield type=FILENAME format=NAME>test-fields.doc</sdfield>")));
    EXPECT_FALSE(page.contains(folder));
}
} // namespace

struct Shows {
    const char *name;
    const char *document;
    // Checks the page of the document, converted in folder.
    void (*check)(const QString &page, const QString &folder);
    friend void PrintTo(const Shows &row, std::ostream *out) { *out << row.name; }
};

class PageShows : public OfficeEngine, public ::testing::WithParamInterface<std::tuple<Shows, int>> {};

// Right-to-left text reads and aligns right to left, highlighting keeps its colour, list items
// their labels, tracked changes are marked as such, page numbers show nothing and file names no
// folder: in both flavours.
TEST_P(PageShows, WhatTheDocumentShows)
{
    const auto &[row, format] = GetParam();
    const QString path = document(row.document);
    ConvertWithWord(path, format);
    row.check(ReadText(PageBeside(path)), QFileInfo(path).absolutePath());
}

INSTANTIATE_TEST_SUITE_P(
    OfficeEngine, PageShows,
    ::testing::Combine(::testing::Values(Shows{"RightToLeft", "arabic_align.docx", readsRightToLeft},
                                         Shows{"Highlighting", "FloatingPictures.doc", keepsHighlighting},
                                         Shows{"ListLabels", "Lists.doc", labelsListItems},
                                         Shows{"TrackedChanges", "delins.docx", marksTrackedChanges},
                                         Shows{"ChangesOfSeveralAuthors", "MarkAuthorsTable.doc",
                                               marksEachChangeOfSeveralAuthors},
                                         Shows{"PageNumbers", "this-file-crashes-msword.doc", showsNoPageNumbers},
                                         Shows{"FileName", "test-fields.doc", namesTheDocumentOnly}),
                       ::testing::Values(Normal, Filtered)),
    [](const auto &info) {
        return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) == Normal ? "Normal" : "Filtered");
    });

// Highlighting that covers a whole paragraph is kept as the highlighting of a part is, in both
// flavours.
TEST_F(OfficeEngine, AParagraphHighlightedThroughoutKeepsItsColourAsAPartDoes)
{
    for (const int format : {Normal, Filtered}) {
        const QString path = folder.filePath(QStringLiteral("highlighted-%1.rtf").arg(format));
        QFile document(path);
        ASSERT_TRUE(document.open(QIODevice::WriteOnly));
        document.write("{\\rtf1\\ansi{\\fonttbl{\\f0 Times New Roman;}}"
                       "{\\colortbl;\\red255\\green255\\blue0;\\red0\\green255\\blue0;}\n"
                       "\\pard\\plain\\highlight1 Highlighted throughout.\\par\n"
                       "\\pard\\plain Plain and \\highlight2 partly\\highlight0  highlighted.\\par\n}\n");
        document.close();
        ConvertWithWord(path, format);
        const QString page = ReadText(PageBeside(path));
        EXPECT_TRUE(holds(page, QStringLiteral("background: #ffff00\">\\s*Highlighted throughout.<"))) << format;
        EXPECT_TRUE(holds(page, QStringLiteral("background: #00ff00\">partly<"))) << format;
    }
}

// The script that reads paragraphs inside the office is kept in the office's profile, which
// every office writes, and which may hold another version's copy. A copy altered there to find
// nothing is put right before it runs: the next office's page still labels the list items.
TEST_F(OfficeEngine, AScriptLeftAlteredInAProfileIsPutRightBeforeItRuns)
{
    const QString root = folder.filePath(QStringLiteral("profiles"));
    use([&root](OfficeSettings &settings) { settings.profileRoot = root; });
    const QString path = document("Lists.doc");
    ConvertWithWord(path);
    EndIdleOfficeProcesses();
    const QString kept = root + QStringLiteral("/slot-0/user/basic/Quorvane/PreparationScript.xba");
    const QString script = ReadText(kept);
    ASSERT_TRUE(script.contains(QStringLiteral("Function Paragraphs("))) << qPrintable(kept);
    QFile altered(kept);
    ASSERT_TRUE(altered.open(QIODevice::WriteOnly | QIODevice::Truncate));
    const QString findsNothing = script.section(QStringLiteral("Function Paragraphs("), 0, 0)
                                 + QStringLiteral("Function Paragraphs(document, names, numberedAt, highlightAt)\n"
                                                  "    Paragraphs = Array()\nEnd Function\n</script:module>\n");
    altered.write(findsNothing.toUtf8());
    altered.close();

    QFile::remove(PageBeside(path));
    ConvertWithWord(path);
    labelsListItems(ReadText(PageBeside(path)), QString());
    EndIdleOfficeProcesses();
    EXPECT_EQ(ReadText(kept), script);
}

// A headless office never records its version in its profile, and one that finds none there runs
// a graphics self-test of seconds at every start: a new profile is given the version of the
// office installed, as "LibreOffice 7.4.7.2" names it "7.4".
TEST_F(OfficeEngine, ANewProfileRecordsTheVersionOfItsOffice)
{
    const QString root = folder.filePath(QStringLiteral("profiles"));
    use([&root](OfficeSettings &settings) { settings.profileRoot = root; });
    ConvertWithWord(document("Lists.doc"));
    EndIdleOfficeProcesses();
    QProcess office;
    office.start(DefaultOfficeSettings().program, {QStringLiteral("--version")});
    ASSERT_TRUE(office.waitForFinished(30'000));
    const QString version = QRegularExpression(QStringLiteral("LibreOffice (\\d+\\.\\d+)\\."))
                                .match(QString::fromUtf8(office.readAllStandardOutput()))
                                .captured(1);
    ASSERT_FALSE(version.isEmpty());
    const QString settings = ReadText(root + QStringLiteral("/slot-0/user/registrymodifications.xcu"));
    EXPECT_TRUE(settings.contains(QRegularExpression(QStringLiteral("\"ooSetupLastVersion\"[^>]*><value>")
                                                     + QRegularExpression::escape(version) + QStringLiteral("<"))))
        << qPrintable(settings);
}

// A file-name field that asks for the folder shows none of it, the folder being the converting
// machine's, not the document's.
TEST_F(OfficeEngine, AFileNameFieldShowsNoFolder)
{
    for (const int format : {Normal, Filtered}) {
        const QString path = folder.filePath(QStringLiteral("%1/file-name-fields.fodt").arg(format));
        QDir().mkpath(QFileInfo(path).path());
        ASSERT_TRUE(QFile::copy(QUORVANE_OFFICE_TEST_DATA "/file-name-fields.fodt", path));
        ConvertWithWord(path, format);
        const QString text = visibleText(ReadText(PageBeside(path)));
        EXPECT_TRUE(text.contains(QStringLiteral("Path and name: file-name-fields.fodt Path: Name: file-name-fields "
                                                 "Name and extension: file-name-fields.fodt")))
            << qPrintable(text);
        EXPECT_FALSE(text.contains(folder.path()));
    }
}

// A wrong format or a save over the document itself is refused, and a hanging save ends at the deadline with its
// office gone; neither writes anything, and the earlier page stays as it was.
TEST_F(OfficeEngine, ASaveThatIsRefusedOrHangsKeepsTheEarlierPage)
{
    use([](OfficeSettings &settings) { settings.limits.call = 2s; });
    const QString path = CopyTestDocument(QStringLiteral("FloatingPictures.doc"), folder.path());
    QFile earlier(PageBeside(path));
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("the earlier page");
    earlier.close();

    const ObjectRef word = CreateInstance(Word);
    const ObjectRef document = OpenDocument(word, path);
    EXPECT_EQ(ErrorOf([&] { SaveAsWebPage(document, PageBeside(path), 9); }).number(), Error::BadArgumentValue);
    EXPECT_EQ(ErrorOf([&] { SaveAsWebPage(document, path, Normal); }).number(), Error::WouldOverwriteSource);
    ::kill(static_cast<pid_t>(OfficeChildren().value(0)), SIGSTOP);
    EXPECT_EQ(ErrorOf([&] { SaveAsWebPage(document, PageBeside(path), Normal); }).number(), Error::EngineTimeout);
    EXPECT_EQ(OfficeChildren(), QList<qint64>());
    word->Invoke(QStringLiteral("Quit"));
    EXPECT_EQ(ReadText(PageBeside(path)), "the earlier page");
    EXPECT_EQ(filesIn(folder.path()), (QStringList{"FloatingPictures.doc", "FloatingPictures.htm"}));
}

// A page that cannot be written says why in the user's words, never in the office's: no source
// locations, no internal names, no staging folder. The document stays as it was and nothing is
// left beside it. Each case needs a file system of its own, mounted for the test (root only).
struct Unwritable {
    const char *name;
    // Places a copy of a test document below root; empty when its file system cannot be mounted.
    std::function<QString(const QString &root, QStringList &mounts)> place;
    const char *says;
    friend void PrintTo(const Unwritable &row, std::ostream *out) { *out << row.name; }
};

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

    const AutomationError error = ErrorOf([&] { ConvertWithWord(path); });
    EXPECT_EQ(error.number(), Error::SaveFailed);
    for (const char *says : {GetParam().says, "could not be saved"})
        EXPECT_TRUE(error.description().contains(QLatin1String(says))) << qPrintable(error.description());
    for (const char *internal : {"file://", ".cxx", "::", ".quorvane-save", "com.sun.star"})
        EXPECT_FALSE(error.description().contains(QLatin1String(internal))) << qPrintable(error.description());
    EXPECT_EQ(ReadText(path), before);
    EXPECT_EQ(filesIn(QFileInfo(path).path()), filesBefore);
}

namespace {
// Mounts what at folder (created): a file system, or another folder bound there; flags as for
// mount(2). False without the right to.
bool mountAt(const QString &folder, const char *what, const char *type, unsigned long flags, const char *options,
             QStringList &mounts)
{
    QDir().mkpath(folder);
    if (::mount(what, QFile::encodeName(folder).constData(), type, flags, options) != 0)
        return false;
    if (!mounts.contains(folder))
        mounts << folder;
    return true;
}

// A 600 KB file system holding the test document, filled to the last bytes.
QString onAFullDisk(const QString &root, QStringList &mounts)
{
    if (!mountAt(root + "/disk", "tmpfs", "tmpfs", 0, "size=600k", mounts))
        return {};
    const QString path = CopyTestDocument(QStringLiteral("FloatingPictures.doc"), root + "/disk");
    QFile filler(root + "/disk/filler");
    filler.open(QIODevice::WriteOnly);
    while (filler.write(QByteArray(4096, 'x')) == 4096 && filler.flush()) {}
    return path;
}

// The test document in a folder bound read-only.
QString inAReadOnlyFolder(const QString &root, QStringList &mounts)
{
    CopyTestDocument(QStringLiteral("Lists.doc"), root + "/writable");
    const QByteArray writable = QFile::encodeName(root + "/writable");
    if (!mountAt(root + "/read-only", writable.constData(), nullptr, MS_BIND, nullptr, mounts)
        || !mountAt(root + "/read-only", nullptr, nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr, mounts))
        return {};
    return root + "/read-only/Lists.doc";
}

// A document whose name leaves no room for the names of its pictures.
QString withALongName(const QString &root, QStringList &)
{
    return CopyTestDocument(QStringLiteral("FloatingPictures.doc"), root, QString(236, 'L') + QStringLiteral(".doc"));
}
} // namespace

INSTANTIATE_TEST_SUITE_P(OfficeEngine, UnwritablePage,
                         ::testing::Values(Unwritable{"FullDisk", onAFullDisk, "no space left on the device"},
                                           Unwritable{"ReadOnlyFolder", inAReadOnlyFolder,
                                                      "cannot be written to (Read-only file system)"},
                                           Unwritable{"NameTooLong", withALongName, "is too long for the file system"}),
                         RowName);

// A page whose name fits is written, its name the longest the file system takes: Filtered
// whatever the document holds, Normal where no picture needs a longer name.
TEST_F(OfficeEngine, APageWhoseNameFitsIsWrittenWhereNoPictureNeedsALongerName)
{
    const QString longest = QString(251, 'L') + QStringLiteral(".doc"); // its page's name takes 255 bytes
    ConvertWithWord(CopyTestDocument(QStringLiteral("FloatingPictures.doc"), folder.path(), longest), Filtered);
    ConvertWithWord(CopyTestDocument(QStringLiteral("Lists.doc"), folder.filePath(QStringLiteral("plain")), longest),
                    Normal);
}

TEST(OfficeErrorWords, AStoreTheOfficeCouldNotDoIsToldByItsErrorAreaAndCodeOnly)
{
    const QString office = QStringLiteral(
        "SfxBaseModel::impl_store <file:///docs/.quorvane-save-12-34-vjCFIX/FloatingPictures.htm> failed: "
        "0x507(Error Area:Io Class:Access Code:7) at ./sfx2/source/doc/sfxbasemodel.cxx:3207");
    EXPECT_EQ(OfficeErrors::pageNotWritten(office), "LibreOffice could not write the page (error area Io, code 7)");
    EXPECT_EQ(OfficeErrors::plainOfficeMessage(office), "failed: 0x507(Error Area:Io Class:Access Code:7)");
    EXPECT_EQ(OfficeErrors::plainOfficeMessage("com.sun.star.uno.RuntimeException: Binary URP bridge disposed"),
              "Binary URP bridge disposed");
}

// An office that cannot start says what the user can do: install the package when it is
// missing, wait when every private profile is taken by other conversions.
TEST_F(OfficeEngine, AnOfficeThatCannotStartSaysWhatToDo)
{
    use([this](OfficeSettings &settings) {
        settings.program = folder.filePath(QStringLiteral("no-office/soffice.bin"));
    });
    const AutomationError missing = ErrorOf([] { CreateInstance(Word); });
    EXPECT_EQ(missing.number(), Error::EngineNotInstalled);
    EXPECT_THAT(missing.description().toStdString(), HasSubstr("libreoffice-writer-nogui"));

    const QString root = folder.filePath(QStringLiteral("profiles"));
    use([&root](OfficeSettings &settings) { settings.profileRoot = root; });
    QDir().mkpath(root);
    std::vector<std::unique_ptr<QLockFile>> held;
    for (int slot = 0; slot < 64; ++slot) {
        held.push_back(std::make_unique<QLockFile>(root + QStringLiteral("/slot-%1.lock").arg(slot)));
        ASSERT_TRUE(held.back()->tryLock(0));
    }
    const AutomationError busy = ErrorOf([] { CreateInstance(Word); });
    EXPECT_EQ(busy.number(), Error::EngineBusy);
    EXPECT_THAT(busy.description().toStdString(),
                AllOf(HasSubstr("All 64 private LibreOffice profiles are in use"), Not(HasSubstr("nstall"))));
}

// An office start that fails while another office is busy fails nobody: the object created
// meanwhile waits for the busy office and gets it once that one's object has quit.
TEST_F(OfficeEngine, AStartThatFailsWhileAnOfficeIsBusyLetsTheNextObjectWaitForIt)
{
    const QString root = folder.filePath(QStringLiteral("profiles"));
    use([&root](OfficeSettings &settings) { settings.profileRoot = root; });
    const ObjectRef first = CreateInstance(Word);
    std::vector<std::unique_ptr<QLockFile>> held; // every other profile, taken by other conversions
    for (int slot = 0; slot < 64; ++slot) {
        auto lock = std::make_unique<QLockFile>(root + QStringLiteral("/slot-%1.lock").arg(slot));
        if (lock->tryLock(0))
            held.push_back(std::move(lock));
    }
    ASSERT_EQ(held.size(), 63u);
    std::atomic_bool ended = false;
    std::optional<AutomationError> failure;
    std::thread second([&] {
        try {
            CreateInstance(Word)->Invoke(QStringLiteral("Quit"));
        } catch (const AutomationError &error) {
            failure = error;
        }
        ended = true;
    });
    std::this_thread::sleep_for(2s); // time for the start that fails
    EXPECT_FALSE(ended) << "the object failed rather than wait for the busy office";
    first->Invoke(QStringLiteral("Quit"));
    second.join();
    EXPECT_FALSE(failure) << qPrintable(failure->description());
}

// A program killed without the time to end its offices leaves none either.
TEST_F(OfficeEngine, NoOfficeOutlivesItsProgramKilled)
{
    QProcess killed;
    killed.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold-word")});
    ASSERT_TRUE(killed.waitForReadyRead(60'000));
    const qint64 office = killed.readLine().trimmed().toLongLong();
    ASSERT_FALSE(Ended(office));
    killed.kill();
    killed.waitForFinished();
    EXPECT_TRUE(Soon([&] { return Ended(office); }));
}

TEST_F(OfficeEngine, AnOfficeTheUserHasOpenIsLeftAlone)
{
    const QStringList usersOffice{
        QStringLiteral("--headless"), QStringLiteral("--norestore"),
        "-env:UserInstallation=" + QUrl::fromLocalFile(folder.filePath(QStringLiteral("users-profile"))).toString()};
    QProcess prepare;
    prepare.start(TestOfficeSettings().program, usersOffice + QStringList{QStringLiteral("--terminate_after_init")});
    ASSERT_TRUE(prepare.waitForFinished(60'000));
    QProcess user;
    user.start(TestOfficeSettings().program, usersOffice);
    ASSERT_TRUE(user.waitForStarted());

    ConvertWithWord(document("Lists.doc"));
    CreateInstance(Word); // released at once, without Quit
    EXPECT_EQ(user.state(), QProcess::Running);
    user.kill();
    user.waitForFinished();
}

// Each document gets a new application object, listed as running until it quits; a cleanly quit one's office serves the
// next, one released without Quit ends.
TEST_F(OfficeEngine, EachDocumentGetsANewApplicationObjectListedAsRunningOnlyWhileItLives)
{
    const ObjectRef first = CreateInstance(Word);
    const qint64 office = OfficeChildren().value(0);
    const QString path = document("Lists.doc");
    const ObjectRef opened = OpenDocument(first, path);
    EXPECT_EQ(FindRunningInstance(Word), first);
    EXPECT_EQ(FindRunningInstance(Word)->DefaultMember().toText(), QStringLiteral("Microsoft Word"));
    SaveAsWebPage(opened, PageBeside(path), Normal);
    first->Invoke(QStringLiteral("Quit"));
    EXPECT_EQ(ErrorOf([] { FindRunningInstance(Word); }).number(), Error::NoRunningInstance);
    EXPECT_EQ(ErrorOf([&] { OpenDocument(first, path); }).number(), Error::EngineGone);
    EXPECT_EQ(ErrorOf([&] { SaveAsWebPage(opened, PageBeside(path), Normal); }).number(), Error::EngineGone);
    {
        const ObjectRef second = CreateInstance(Word);
        EXPECT_EQ(FindRunningInstance(Word), second);
        EXPECT_EQ(OfficeChildren(), QList<qint64>{office}) << "the quit object's office serves the next one";
        OpenDocument(second, path);
    } // released without Quit
    EXPECT_EQ(OfficeChildren(), QList<qint64>());
    EXPECT_EQ(ErrorOf([] { FindRunningInstance(Word); }).number(), Error::NoRunningInstance);
}

// Encrypted, corrupt, missing, not a file, killed in the middle of a call, hanging: each fails
// at once (or at the deadline) saying why, writes nothing, and the next document converts on an
// office that never saw it.
struct Failing {
    const char *name;
    const char *document; // empty: no such file
    int number;
    const char *says;
    // Done to the document's path or to its office before the document is opened.
    void (*disturb)(const QString &path, pid_t office) = [](const QString &, pid_t) {};
    friend void PrintTo(const Failing &row, std::ostream *out) { *out << row.name; }
};

class FailingDocument : public OfficeEngine, public ::testing::WithParamInterface<Failing> {};

TEST_P(FailingDocument, FailsOnItsOwnSayingWhyAndTheNextGetsAnotherOffice)
{
    use([](OfficeSettings &settings) { settings.limits.call = 2s; });
    const QString path = *GetParam().document ? document(GetParam().document, 1)
                                              : folder.filePath(QStringLiteral("x.doc"));
    const ObjectRef word = CreateInstance(Word);
    const auto office = static_cast<pid_t>(OfficeChildren().value(0));
    GetParam().disturb(path, office);
    const AutomationError error = ErrorOf([&] { OpenDocument(word, path); });
    ::kill(office, SIGCONT);
    EXPECT_EQ(error.number(), GetParam().number);
    EXPECT_TRUE(error.description().contains(path)) << qPrintable(error.description());
    EXPECT_TRUE(error.description().contains(QLatin1String(GetParam().says))) << qPrintable(error.description());
    word->Invoke(QStringLiteral("Quit"));
    EXPECT_FALSE(QFileInfo(PageBeside(path)).isFile());

    const QString next = document("delins.docx", 2);
    ConvertWithWord(next);
    EXPECT_TRUE(ReadText(PageBeside(next)).contains(QStringLiteral("Tilaka")));
    // A file the office never read leaves it clean; any other ends it.
    EXPECT_TRUE(error.number() == Error::DocumentNotFound || !OfficeChildren().contains(office));
}

namespace {
// Holds the call open, then ends the office under it.
void killLater(const QString &, pid_t office)
{
    ::kill(office, SIGSTOP);
    std::thread([office] {
        std::this_thread::sleep_for(500ms);
        ::kill(office, SIGKILL);
    }).detach();
}
} // namespace

INSTANTIATE_TEST_SUITE_P(
    OfficeEngine, FailingDocument,
    ::testing::Values(
        Failing{"EncryptedDoc", "password_password_cryptoapi.doc", Error::PasswordProtected, "password-protected"},
        Failing{"EncryptedDocx", "bug53475-password-is-pass.docx", Error::PasswordProtected, "password-protected"},
        Failing{"TruncatedDocx", "testWORD_truncated.docx", Error::DocumentDamaged, "damaged"},
        Failing{"FuzzedDoc", "clusterfuzz-testcase-minimized-POIHWPFFuzzer-5074346559012864.doc",
                Error::DocumentDamaged, "damaged"},
        Failing{"Missing", "", Error::DocumentNotFound, "not found"},
        Failing{"Pipe", "", Error::DocumentNotFound, "is not a document file",
                [](const QString &path, pid_t) { ::mkfifo(QFile::encodeName(path).constData(), 0600); }},
        Failing{"Folder", "", Error::DocumentNotFound, "is a folder",
                [](const QString &path, pid_t) { QDir().mkpath(path); }},
        Failing{"OfficeKilled", "delins.docx", Error::EngineGone, "", killLater},
        Failing{"OfficeHangs", "Lists.doc", Error::EngineTimeout, "",
                [](const QString &, pid_t office) { ::kill(office, SIGSTOP); }}),
    RowName);

TEST_F(OfficeEngine, AnOfficeIsReplacedOnceItHasLoadedTheDocumentBoundOrPassedTheMemoryBound)
{
    use([](OfficeSettings &settings) { settings.reuse.documents = 2; });
    ConvertWithWord(document("Lists.doc", 1));
    const qint64 office = OfficeChildren().value(0);
    ConvertWithWord(document("Lists.doc", 2));
    EXPECT_TRUE(Soon([&] { return Ended(office); }));

    use([](OfficeSettings &settings) { settings.reuse.memoryBytes = 1024; });
    ConvertWithWord(document("Lists.doc", 3));
    const qint64 large = OfficeChildren().value(0);
    EXPECT_TRUE(Soon([&] { return Ended(large); }));
}

// Offices prepared ahead serve the next application objects, two at once on two threads, are
// not application objects themselves, and end once they are kept no longer. While they wait they
// have read in what imports each kind of Word document, and are left holding nothing.
TEST_F(OfficeEngine, PreparedOfficesServeTheNextObjectsAndEndWhenKeptLongEnough)
{
    use([](OfficeSettings &settings) { settings.reuse.idle = 1s; });
    PrepareObjects(Word, 2, 60s);
    ASSERT_TRUE(Soon([] { return ReadyOfficeProcesses() == 2; }));
    const QList<qint64> prepared = OfficeChildren();
    for (const qint64 office : prepared) {
        const QString read = ReadText(QStringLiteral("/proc/%1/maps").arg(office));
        for (const QString &importer : {QStringLiteral("libmswordlo.so"), QStringLiteral("libwriterfilterlo.so")})
            EXPECT_TRUE(read.contains(importer)) << "office " << office << " has not read in " << qPrintable(importer);
    }
    EXPECT_EQ(ErrorOf([] { FindRunningInstance(Word); }).number(), Error::NoRunningInstance);

    std::thread other([this, second = document("delins.docx", 2)] { ConvertWithWord(second); });
    ConvertWithWord(document("Lists.doc", 1));
    other.join();
    EXPECT_EQ(OfficeChildren(), prepared) << "no further office was started";
    PrepareObjects(Word, 2, 0s); // kept no longer than the idle limit
    EXPECT_TRUE(Soon([] { return OfficeChildren().isEmpty(); }));
}

// The processors a process may run on, as the system lists them ("0-1", "3").
QString processorsOf(const QString &process)
{
    const QString status = ReadText(QStringLiteral("/proc/%1/status").arg(process));
    return status.section(QStringLiteral("Cpus_allowed_list:"), 1).section('\n', 0, 0).trimmed();
}

// Whether an office process runs with argument on its command line (gone once it begins to exit).
bool runsWith(qint64 office, const QString &argument)
{
    return ReadText(QStringLiteral("/proc/%1/cmdline").arg(office)).contains(argument);
}

// Whether an office process only completes a new profile, converting nothing.
bool completesAProfile(qint64 office)
{
    return runsWith(office, QStringLiteral("--terminate_after_init"));
}

// Whether an office process is one that converts: it takes our calls.
bool converts(qint64 office)
{
    return runsWith(office, QStringLiteral("--accept="));
}

// Offices on a machine of several processors, with profiles and processors of their own: those
// that other programs' offices hold are theirs.
class Processors : public OfficeEngine {
protected:
    void SetUp() override
    {
        OfficeEngine::SetUp();
        cpu_set_t allowed;
        ASSERT_EQ(::sched_getaffinity(0, sizeof allowed, &allowed), 0);
        processors = CPU_COUNT(&allowed);
        if (processors < 2)
            GTEST_SKIP() << "one processor: every office keeps to it";
        use([this](OfficeSettings &settings) { settings.profileRoot = ownRoot(); });
    }
    QString ownRoot() const { return folder.filePath(QStringLiteral("profiles")); }

    const QString all = processorsOf(QStringLiteral("self")); // the processors the program may use
    int processors = 0;
};

// Each of the first offices keeps to a processor of its own, one for each processor the program
// may use, and so do the threads of ours that answer it; an office beyond them goes wherever the
// system puts it. They start side by side, one a processor, new profiles and all. A thread that
// calls into an office keeps to its processor only while it calls.
TEST_F(Processors, TheFirstOfficesKeepToAProcessorEachAndTheOthersToNone)
{
    PrepareObjects(Word, processors + 1, 60s);
    int startingAtOnce = 0;  // offices running before the first is ready
    int preparingAtOnce = 0; // of them, those completing a new profile
    for (int wait = 0; wait < 3000 && ReadyOfficeProcesses() == 0; ++wait) {
        const QList<qint64> running = OfficeChildren();
        startingAtOnce = std::max(startingAtOnce, int(running.size()));
        preparingAtOnce = std::max(preparingAtOnce,
                                   int(std::count_if(running.begin(), running.end(), completesAProfile)));
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_EQ(startingAtOnce, processors) << "side by side, one a processor";
    EXPECT_EQ(preparingAtOnce, processors) << "their new profiles too";
    ASSERT_TRUE(Soon([&] { return ReadyOfficeProcesses() == processors + 1; }));
    QStringList kept;
    for (const qint64 office : OfficeChildren())
        kept << processorsOf(QString::number(office));
    EXPECT_EQ(kept.count(all), 1) << qPrintable(kept.join(' '));
    kept.removeAll(all);
    EXPECT_EQ(QSet<QString>(kept.begin(), kept.end()).size(), processors) << "each its own";
    for (const QString &one : std::as_const(kept)) {
        bool single = false;
        one.toInt(&single);
        EXPECT_TRUE(single) << qPrintable(one);
    }
    QSet<QString> answering;
    for (const QString &thread : QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        answering << processorsOf(QStringLiteral("self/task/") + thread);
    answering.remove(all);
    EXPECT_EQ(answering, QSet<QString>(kept.begin(), kept.end())) << "our ends of the bridges";

    // One conversion for each office, side by side: each thread keeps to every processor after.
    QStringList afterwards;
    std::mutex noted;
    std::vector<std::thread> converting;
    for (int copy = 1; copy <= processors + 1; ++copy) {
        converting.emplace_back([&, path = document("Lists.doc", copy)] {
            ConvertWithWord(path);
            const std::lock_guard lock(noted);
            afterwards << processorsOf(QStringLiteral("thread-self"));
        });
    }
    for (std::thread &thread : converting)
        thread.join();
    EXPECT_EQ(afterwards, QStringList(processors + 1, all));
    EndIdleOfficeProcesses();
}

// An office replaced once it reaches its document bound hands its processor to the office that
// replaces it, which starts while it ends: a long run's offices keep to a processor each
// throughout, however often they are replaced.
TEST_F(Processors, AReplacedOfficeHandsItsProcessorToTheOfficeThatReplacesIt)
{
    use([this](OfficeSettings &settings) {
        settings.profileRoot = ownRoot();
        settings.reuse.documents = 1;
    });
    std::atomic_bool converting = true;
    int unpinned = 0; // the most offices at once that kept to no processor
    std::thread watch([&] {
        while (converting) {
            const QList<qint64> offices = OfficeChildren();
            unpinned = std::max(unpinned, int(std::count_if(offices.begin(), offices.end(), [&](qint64 office) {
                                    return converts(office) && processorsOf(QString::number(office)) == all;
                                })));
            std::this_thread::sleep_for(10ms);
        }
    });
    // Each job asks for its next office as soon as it gives one back, as a run does.
    std::vector<QStringList> documents(processors);
    for (int job = 0; job < processors; ++job) {
        for (int copy = 1; copy <= 12; ++copy)
            documents[job] << document("Lists.doc", 100 * job + copy);
    }
    std::vector<std::thread> jobs;
    for (const QStringList &each : documents) {
        jobs.emplace_back([each] {
            for (const QString &path : each)
                ConvertWithWord(path);
        });
    }
    for (std::thread &job : jobs)
        job.join();
    converting = false;
    watch.join();
    EXPECT_EQ(unpinned, 0);
}

// With less memory available than the reserve, one office runs at a time: the objects wait
// for it in turn, and the documents still convert.
TEST_F(OfficeEngine, NoFurtherOfficeStartsWhereItWouldCrossTheMemoryReserve)
{
    use([](OfficeSettings &settings) { settings.memory.reserve = qint64(1) << 50; });
    PrepareObjects(Word, 2, 10s);
    ASSERT_TRUE(Soon([] { return ReadyOfficeProcesses() == 1; }));
    std::atomic_bool converting = true;
    int most = 0;
    std::thread watch([&] {
        while (converting)
            most = std::max(most, int(OfficeChildren().size()));
    });
    std::thread other([this, second = document("delins.docx", 2)] { ConvertWithWord(second); });
    ConvertWithWord(document("Lists.doc", 1));
    other.join();
    converting = false;
    watch.join();
    EXPECT_EQ(most, 1);
}

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    RegisterOfficeEngine(TestOfficeSettings());
    if (argc > 1 && argv[1] == QByteArray("--hold-word")) {
        const ObjectRef word = CreateInstance(Word);
        std::printf("%lld\n", OfficeChildren().value(0));
        std::fflush(stdout);
        for (;;)
            ::pause();
    }
    // Instances are registered where only this program and its children look, so other test
    // programs running meanwhile do not find a Word of ours.
    const QTemporaryDir runtimeFolder;
    qputenv("XDG_RUNTIME_DIR", runtimeFolder.path().toLocal8Bit());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
