// quorvane-convert as installed, run as a script on a server would: without a display, on real
// documents through the real office, the office profiles in the tests' own cache folder, a
// runtime folder of its own. Every office process it starts is noted while it runs, and none may
// be left once it has ended.
#include "OfficeChildren.h"
#include "PrintQt.h"
#include "Rows.h"
#include "TestDocuments.h"

#include <QDeadlineTimer>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <csignal>
#include <cstring>
#include <functional>

#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

namespace {

const QString UsageLine
    = "Usage: quorvane-convert [--filtered] [--extension EXT] [--jobs N] [--keep-going] [--quiet] PATH...";

struct Outcome {
    QProcess::ExitStatus exitStatus;
    int exitCode; // the signal's number when a signal ended it
    QString out, err;
    QSet<qint64> offices; // its office processes, as seen while it ran
};

// watch runs every 20 ms while the command runs, given its process id; the command's standard
// error goes to terminal when one is given.
Outcome run(const QStringList &arguments, const std::function<void(qint64)> &watch = {}, int terminal = -1)
{
    const QTemporaryDir runtime;
    QProcess command;
    QStringList environment = QProcess::systemEnvironment().filter(
        QRegularExpression("^(?!(DISPLAY|WAYLAND_DISPLAY|QT_QPA_PLATFORM|XDG_CACHE_HOME|XDG_RUNTIME_DIR)=)"));
    command.setEnvironment(environment << "XDG_CACHE_HOME=" QUORVANE_TEST_CACHE << "XDG_RUNTIME_DIR=" + runtime.path());
    if (terminal >= 0)
        command.setChildProcessModifier([terminal] { ::dup2(terminal, STDERR_FILENO); });
    command.start(QUORVANE_CONVERT_COMMAND, arguments);
    EXPECT_TRUE(command.waitForStarted()) << qPrintable(command.errorString());
    QSet<qint64> offices;
    for (const QDeadlineTimer deadline(240000); !command.waitForFinished(20) && !deadline.hasExpired();) {
        for (const qint64 office : OfficeChildren(command.processId()))
            offices << office;
        if (watch)
            watch(command.processId());
    }
    if (command.state() != QProcess::NotRunning) {
        ADD_FAILURE() << "quorvane-convert did not end: " << qPrintable(arguments.join(' '));
        command.kill();
        command.waitForFinished();
    }
    for (const qint64 office : offices)
        EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/proc/%1").arg(office))) << "office " << office << " was left";
    return {command.exitStatus(), command.exitCode(), command.readAllStandardOutput(), command.readAllStandardError(),
            offices};
}

TEST(ConvertCommand, ConvertsTheDocumentsOfAFolderTreeBesideEachInWalkOrder)
{
    const QTemporaryDir tree;
    const QString root = tree.path();
    const char *const copies[][2] = {
        {"Word6.doc", "sub/deeper/first.doc"},  {"delins.docx", "sub/Zweite Straße 文書.docx"},
        {"FloatingPictures.doc", "third.doc"},  {"footnote.doc", "~third.doc"},
        {"footnote.doc", ".hidden/hidden.doc"}, {"footnote.doc", "notes.txt"}};
    for (const auto &[document, copy] : copies)
        CopyTestDocument(document, root, copy);

    const Outcome outcome = run({root});

    EXPECT_EQ(outcome.exitCode, 0) << qPrintable(outcome.err);
    EXPECT_EQ(outcome.out,
              QStringLiteral("[1/3] converted %1/third.doc\n[2/3] converted %1/sub/Zweite Straße 文書.docx\n"
                             "[3/3] converted %1/sub/deeper/first.doc\n")
                  .arg(root));
    QStringList pages;
    for (QDirIterator found(root, {"*.htm"}, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
         found.hasNext();)
        pages << QDir(root).relativeFilePath(found.next());
    pages.sort();
    EXPECT_EQ(pages, QStringList({"sub/Zweite Straße 文書.htm", "sub/deeper/first.htm", "third.htm"}));
    EXPECT_FALSE(QDir(root).entryList({"third_htm_*"}, QDir::Files).isEmpty()) << "no picture beside it";
}

// The bar is drawn in place on standard error when that is a terminal; Filtered HTML has its
// pictures embedded, none beside it.
TEST(ConvertCommand, ConvertsADocumentNamedWithSpacesAndNonAsciiLettersToFilteredHtmlDrawingABarOnATerminal)
{
    const QTemporaryDir folder;
    const QString document = CopyTestDocument("testRTFRegularImages.rtf", folder.path(), "Über die Straße 文書.rtf");
    int terminal = -1, terminalSide = -1;
    const winsize size{24, 200, 0, 0}; // room for the whole line
    ASSERT_EQ(::openpty(&terminal, &terminalSide, nullptr, nullptr, &size), 0);
    ::fcntl(terminal, F_SETFL, O_NONBLOCK);
    QByteArray drawn;
    const auto readTerminal = [&](qint64) {
        char buffer[4096];
        for (ssize_t got; (got = ::read(terminal, buffer, sizeof buffer)) > 0;)
            drawn.append(buffer, got);
    };

    const Outcome outcome = run({"--filtered", document}, readTerminal, terminalSide);
    readTerminal(0);
    ::close(terminalSide);
    ::close(terminal);

    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.out, "") << "one line per document only without a terminal";
    EXPECT_TRUE(drawn.contains("\r[....................] 0/1  00:00 elapsed, --:-- left  " + document.toUtf8()))
        << drawn.constData();
    EXPECT_TRUE(QRegularExpression("\r\\[#{20}\\] 1/1  00:0\\d elapsed, 00:00 left\\e\\[K\r?\n$")
                    .match(QString::fromUtf8(drawn))
                    .hasMatch())
        << drawn.constData();
    QFile page(PageBeside(document));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(page.readAll().contains("src=\"data:image/")) << "not Filtered HTML";
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2) << "pictures beside a Filtered page";
}

// Five documents, the second and the fourth failing. What a run of them writes: the lines on
// standard output, without the folder and each failure's description; the list on standard
// error, as patterns where FOLDER stands for the folder; the pages.
const char *const FiveDocuments[] = {"Word6.doc", "password_password_cryptoapi.doc", "footnote.doc",
                                     "testWORD_truncated.docx", "Lists.doc"};
const QStringList EveryLine = {"[1/5] converted Word6.doc\n", "[2/5] failed password_password_cryptoapi.doc: error\n",
                               "[3/5] converted footnote.doc\n", "[4/5] failed testWORD_truncated.docx: error\n",
                               "[5/5] converted Lists.doc\n"};
const QString FirstFailure = "  FOLDER/password_password_cryptoapi.doc: error 5408: [^\n]+\n";
const QString EndedThere = "quorvane-convert: not converted \\(1 of 5\\):\n" + FirstFailure
                           + "The 3 documents after it were not converted \\(--keep-going tries every document\\).\n";
const QStringList EveryPage = {"Lists.htm", "Word6.htm", "footnote.htm"};
const QString EveryFailure = "quorvane-convert: not converted \\(2 of 5\\):\n" + FirstFailure
                             + "  FOLDER/testWORD_truncated.docx: error 5792: [^\n]+\n";

struct Failing {
    const char *name;
    QStringList options;
    int linesShown; // the first of EveryLine
    QString listedAtEnd;
    QStringList pagesWritten;
    friend void PrintTo(const Failing &row, std::ostream *out) { *out << row.name; }
};
class AFailure : public ::testing::TestWithParam<Failing> {};

TEST_P(AFailure, EndsTheRunThereOrWithKeepGoingEveryDocumentIsTriedAndTheFailuresListed)
{
    const QTemporaryDir folder;
    QStringList arguments = GetParam().options + QStringList{"--jobs", "2"};
    for (const char *name : FiveDocuments)
        arguments << CopyTestDocument(name, folder.path());

    const Outcome outcome = run(arguments);

    EXPECT_EQ(outcome.exitCode, 1);
    QString lines = outcome.out;
    EXPECT_EQ(lines.remove(folder.path() + '/').replace(QRegularExpression(": error \\d+: [^\n]+"), ": error"),
              EveryLine.mid(0, GetParam().linesShown).join(""));
    const QString listed = QString(GetParam().listedAtEnd).replace("FOLDER", QRegularExpression::escape(folder.path()));
    EXPECT_TRUE(QRegularExpression('^' + listed + '$').match(outcome.err).hasMatch()) << qPrintable(outcome.err);
    EXPECT_EQ(QDir(folder.path()).entryList({"*.htm"}, QDir::Files, QDir::Name), GetParam().pagesWritten);
}

INSTANTIATE_TEST_SUITE_P(
    ConvertCommand, AFailure,
    ::testing::Values(Failing{"EndsTheRun", {}, 2, EndedThere, {"Word6.htm"}},
                      Failing{"KeepGoing", {"--keep-going"}, 5, EveryFailure, EveryPage},
                      Failing{"KeepGoingQuietly", {"--keep-going", "--quiet"}, 0, EveryFailure, EveryPage}),
    RowName);

struct Usage {
    const char *name;
    QStringList arguments; // DOC stands for a good document, MISSING for a path that names nothing
    QString message;
    friend void PrintTo(const Usage &row, std::ostream *out) { *out << row.name; }
};
class BadUsage : public ::testing::TestWithParam<Usage> {};

TEST_P(BadUsage, IsRefusedWithStatusTwoOneLineAndTheUsageAndNothingIsConverted)
{
    const QTemporaryDir folder;
    const QString document = CopyTestDocument("Word6.doc", folder.path()), missing = folder.filePath("missing.doc");
    QStringList arguments = GetParam().arguments;

    const Outcome outcome = run(arguments.replaceInStrings("DOC", document).replaceInStrings("MISSING", missing));

    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err,
              "quorvane-convert: " + QString(GetParam().message).replace("MISSING", missing) + '\n' + UsageLine + '\n');
    EXPECT_FALSE(QFileInfo::exists(PageBeside(document)));
}

INSTANTIATE_TEST_SUITE_P(
    ConvertCommand, BadUsage,
    ::testing::Values(
        Usage{"MissingPath", {"DOC", "MISSING"}, "'MISSING' does not exist."},
        Usage{"NoPath", {}, "No document or folder given."},
        Usage{"UnknownOption", {"--frobnicate", "DOC"}, "Unknown option 'frobnicate'."},
        Usage{"JobsWithoutValue", {"DOC", "--jobs"}, "Missing value after '--jobs'."},
        Usage{"NoJobs", {"--jobs", "0", "DOC"}, "--jobs needs a positive whole number, not '0'."},
        Usage{"JobsInWords", {"--jobs", "two", "DOC"}, "--jobs needs a positive whole number, not 'two'."},
        Usage{"NoExtension", {"--extension", "", "DOC"}, "--extension needs an extension, such as doc or do*."}),
    RowName);

TEST(ConvertCommand, PrintsItsUsageOnHelp)
{
    const Outcome help = run({"--help"});
    EXPECT_TRUE(help.exitCode == 0 && help.out.startsWith(UsageLine + "\n\n")) << help.exitCode << qPrintable(help.out);
}

// Ctrl-C (SIGINT) or SIGTERM mid-run ends the command by that signal and leaves no office
// process, no staging folder and no half-written page.
class Interrupted : public ::testing::TestWithParam<int> {};

TEST_P(Interrupted, EndsByTheSignalWithItsOfficesEndedAndOnlyWholePagesLeft)
{
    const QTemporaryDir folder;
    for (int copy = 1; copy <= 20; ++copy)
        CopyTestDocument("Lists.doc", folder.path(), QStringLiteral("Lists %1.doc").arg(copy, 2, 10, QLatin1Char('0')));
    const auto listed = [&](const char *pattern) {
        return QDir(folder.path()).entryList({pattern}, QDir::AllEntries | QDir::Hidden);
    };
    bool sent = false;
    // Once a page is in place, while the next is being saved.
    const auto interruptDuringASave = [&](qint64 pid) {
        if (!sent && !listed("*.htm").isEmpty() && !listed(".quorvane-save-*").isEmpty())
            sent = ::kill(pid_t(pid), GetParam()) == 0;
    };

    const Outcome outcome = run({folder.path()}, interruptDuringASave);

    ASSERT_TRUE(sent);
    EXPECT_EQ(outcome.exitStatus, QProcess::CrashExit);
    EXPECT_EQ(outcome.exitCode, GetParam());
    EXPECT_FALSE(outcome.offices.isEmpty()) << "its offices were not seen";
    EXPECT_LT(listed("*.htm").size(), 20) << "interrupted in the middle of the run";
    for (const QString &page : listed("*.htm")) {
        QFile file(folder.filePath(page));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.readAll().trimmed().toLower().endsWith("</html>")) << qPrintable(page);
    }
    EXPECT_EQ(listed(".quorvane-save-*"), QStringList());
}

INSTANTIATE_TEST_SUITE_P(ConvertCommand, Interrupted, ::testing::Values(SIGINT, SIGTERM),
                         [](const auto &row) { return std::string(sigabbrev_np(row.param)); });

} // namespace
