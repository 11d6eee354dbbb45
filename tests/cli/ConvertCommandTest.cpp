// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// quorvane-convert on documents beside which it writes their pages, run as InstalledCommand.h
// tells.
#include "InstalledCommand.h"
#include "PrintQt.h"
#include "Rows.h"
#include "TestDocuments.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSysInfo>
#include <QTemporaryDir>

#include <csignal>
#include <cstring>
#include <functional>
#include <optional>
#include <tuple>

#include <fcntl.h>
#include <pty.h>
#include <sys/syscall.h>
#include <unistd.h>

// A folder tree's documents are converted in walk order, each page beside its document; hidden
// folders, "~" copies and other files are left. On a terminal the bar is drawn in place on
// standard error, naming the document waited for, and standard output stays empty. Filtered HTML
// has its pictures embedded, none beside the page.
TEST(ConvertCommand, ConvertsAFolderTreeInWalkOrderToFilteredHtmlDrawingABarOnATerminal)
{
    const QTemporaryDir tree;
    const QString root = tree.path();
    const char *const copies[][2] = {
        {"Word6.doc", "sub/deeper/first.doc"},  {"delins.docx", "sub/Zweite Straße 文書.docx"},
        {"FloatingPictures.doc", "third.doc"},  {"footnote.doc", "~third.doc"},
        {"footnote.doc", ".hidden/hidden.doc"}, {"footnote.doc", "notes.txt"}};
    for (const auto &[document, copy] : copies)
        CopyTestDocument(document, root, copy);
    int terminal = -1, terminalSide = -1;
    const winsize size{24, 200, 0, 0}; // room for the whole line
    ASSERT_EQ(::openpty(&terminal, &terminalSide, nullptr, nullptr, &size), 0);
    ::fcntl(terminal, F_SETFL, O_NONBLOCK);
    QFile shown;
    ASSERT_TRUE(shown.open(terminal, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle));
    QByteArray drawn;
    const auto readTerminal = [&](qint64) { drawn += shown.readAll(); };

    const Outcome outcome = RunCommand({"--filtered", root},
                                       CommandSetting().watching(readTerminal).erringTo(terminalSide));
    readTerminal(0);
    ::close(terminalSide);

    // One line per document on standard output only without a terminal.
    EXPECT_EQ(std::pair(outcome.status, outcome.out), std::pair(0, QString())) << qPrintable(outcome.err);
    const QRegularExpression bar(
        "\r\\[\\.{20}\\] 0/3  00:00 elapsed, --:-- left  " + QRegularExpression::escape(root)
            + "/third\\.doc\\e\\[K.*/sub/Zweite Straße 文書\\.docx\\e\\[K.*/sub/deeper/first\\.doc\\e\\[K"
              ".*\r\\[#{20}\\] 3/3  \\d\\d:\\d\\d elapsed, 00:00 left\\e\\[K\r?\n$",
        QRegularExpression::DotMatchesEverythingOption);
    EXPECT_TRUE(bar.match(QString::fromUtf8(drawn)).hasMatch()) << drawn.constData();
    QStringList pages;
    for (QDirIterator it(root, {"*.htm"}, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
        pages << QDir(root).relativeFilePath(it.next());
    pages.sort();
    EXPECT_EQ(pages, QStringList({"sub/Zweite Straße 文書.htm", "sub/deeper/first.htm", "third.htm"}));
    QFile page(root + "/third.htm");
    EXPECT_TRUE(page.open(QIODevice::ReadOnly) && page.readAll().contains("src=\"data:image/")) << "not Filtered";
    EXPECT_EQ(QDir(root).entryList({"third*"}, QDir::Files), QStringList({"third.doc", "third.htm"})) << "pictures";
}

// Five documents, the first with pictures, the second and the fourth failing. What a run of them
// writes: the lines on standard output, without the folder and each failure's description; the
// list on standard error, as patterns where FOLDER stands for the folder; the pages, a Normal one
// with its pictures beside it; what the report says of each document.
const char *const FiveDocuments[] = {"FloatingPictures.doc", "password_password_cryptoapi.doc", "footnote.doc",
                                     "testWORD_truncated.docx", "Lists.doc"};
const QStringList EveryLine = {
    "[1/5] converted FloatingPictures.doc\n", "[2/5] failed password_password_cryptoapi.doc: error\n",
    "[3/5] converted footnote.doc\n", "[4/5] failed testWORD_truncated.docx: error\n", "[5/5] converted Lists.doc\n"};
const QString FirstFailure = "  FOLDER/password_password_cryptoapi.doc: error 5408: [^\n]+\n";
const QString EndedThere = "quorvane-convert: not converted \\(4 of 5, 1 failed, 3 not tried\\):\n" + FirstFailure
                           + "The 3 documents after it were not converted \\(--keep-going tries every document\\).\n";
const QStringList EveryPage = {"FloatingPictures.htm", "Lists.htm", "footnote.htm"};
const QString EveryFailure = "quorvane-convert: not converted \\(2 of 5\\):\n" + FirstFailure
                             + "  FOLDER/testWORD_truncated.docx: error 5792: [^\n]+\n";
const QStringList EveryStatus = {"FloatingPictures.doc converted", "password_password_cryptoapi.doc failed",
                                 "footnote.doc converted", "testWORD_truncated.docx failed", "Lists.doc converted"};
const QStringList EndedStatuses = {"FloatingPictures.doc converted", "password_password_cryptoapi.doc failed",
                                   "footnote.doc not_tried", "testWORD_truncated.docx not_tried",
                                   "Lists.doc not_tried"};

struct Failing {
    const char *name;
    QStringList options;
    int linesShown; // the first of EveryLine
    QString listedAtEnd;
    QStringList pagesWritten;
    QStringList reported;
    friend void PrintTo(const Failing &row, std::ostream *out) { *out << row.name; }
};
class AFailure : public ::testing::TestWithParam<Failing> {};

TEST_P(AFailure, EndsTheRunThereOrWithKeepGoingEveryDocumentIsTriedAndTheFailuresListed)
{
    const QTemporaryDir folder;
    const QString report = folder.filePath("report.jsonl");
    QStringList arguments = GetParam().options + QStringList{"--jobs", "2", "--report", report};
    for (const char *name : FiveDocuments)
        arguments << CopyTestDocument(name, folder.path());

    const Outcome outcome = RunCommand(arguments);

    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(
        QString(outcome.out).remove(folder.path() + '/').replace(QRegularExpression(": error \\d+: [^\n]+"), ": error"),
        EveryLine.mid(0, GetParam().linesShown).join(""));
    const QString listed = QString(GetParam().listedAtEnd).replace("FOLDER", QRegularExpression::escape(folder.path()));
    EXPECT_TRUE(QRegularExpression('^' + listed + '$').match(outcome.err).hasMatch()) << qPrintable(outcome.err);
    EXPECT_EQ(QDir(folder.path()).entryList({"*.htm"}, QDir::Files, QDir::Name), GetParam().pagesWritten);
    EXPECT_FALSE(QDir(folder.path()).entryList({"FloatingPictures_htm_*"}, QDir::Files).isEmpty()) << "no picture";
    EXPECT_EQ(ReportStatuses(report), GetParam().reported);
    const QJsonObject failed = ReportLines(report).value(1);
    EXPECT_EQ(std::pair(failed["error"].toInt(), failed["page"].toString()),
              std::pair(5408, folder.filePath("password_password_cryptoapi.htm")));
    EXPECT_FALSE(failed["description"].toString().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    ConvertCommand, AFailure,
    ::testing::Values(Failing{"EndsTheRun", {}, 2, EndedThere, {"FloatingPictures.htm"}, EndedStatuses},
                      Failing{"KeepGoing", {"--keep-going"}, 5, EveryFailure, EveryPage, EveryStatus},
                      Failing{
                          "KeepGoingQuietly", {"--keep-going", "--quiet"}, 0, EveryFailure, EveryPage, EveryStatus}),
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

    const Outcome outcome = RunCommand(
        arguments.replaceInStrings("DOC", document).replaceInStrings("MISSING", missing));

    const QString said = "quorvane-convert: "
                         + QString(GetParam().message).replace("DOC", document).replace("MISSING", missing) + '\n';
    EXPECT_EQ(std::tuple(outcome.status, outcome.out, outcome.err), std::tuple(2, QString(), said + UsageLine + '\n'));
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
        Usage{"TooManyJobs",
              {"--jobs", "1073741824", "DOC"},
              "--jobs takes at most 64, as many offices as can run at once, not 1073741824."},
        Usage{"NoExtension", {"--extension", "", "DOC"}, "--extension needs an extension, such as doc or do*."},
        Usage{"ShardBeyondItsCount",
              {"--shard", "4/3", "DOC"},
              "--shard needs K/N, whole numbers with 1 <= K <= N, not '4/3'."},
        Usage{"ShardWithoutCount",
              {"--shard", "1", "DOC"},
              "--shard needs K/N, whole numbers with 1 <= K <= N, not '1'."},
        Usage{"NullWithoutList", {"--null", "DOC"}, "--null goes with --files-from."},
        Usage{"NoOutputFolder", {"--output-dir", "", "DOC"}, "--output-dir needs a name."},
        Usage{"OutputFolderUnderAFile",
              {"--output-dir", "DOC/pages", "DOC"},
              "the output folder 'DOC/pages' cannot be made."},
        Usage{"ListMissing",
              {"--files-from", "MISSING"},
              "the list 'MISSING' cannot be read (No such file or directory)."},
        Usage{"ReportInAMissingFolder",
              {"--report", "MISSING/report", "DOC"},
              "the report 'MISSING/report' cannot be written (No such file or directory)."}),
    RowName);

TEST(ConvertCommand, PrintsItsUsageOnHelpAndItsVersionOnVersion)
{
    const Outcome help = RunCommand({"--help"});
    EXPECT_TRUE(help.status == 0 && help.out.startsWith(UsageLine + "\n\n")) << help.status << qPrintable(help.out);
    EXPECT_TRUE(help.out.contains("\n  --  ")) << "-- is not told";
    const Outcome version = RunCommand({"--version"});
    EXPECT_EQ(std::tuple(version.status, version.out, version.err),
              std::tuple(0, QString("quorvane-convert 1.0.0\n"), QString()));
}

// Names as they come: one that is not UTF-8, given as an argument, its page and the pictures
// beside it named with the same bytes and shown readably; one holding "%1", its failure told with
// its name as it is; one beginning with "-", after "--"; a page of another name ("Report.html"),
// converted to its own; one holding a line break, on one line all the same.
TEST(ConvertCommand, TakesEveryNameAsItIsAndTellsItReadablyOnOneLine)
{
    const QTemporaryDir folder;
    const QString root = folder.path();
    const QByteArray bad = QFile::encodeName(root) + "/bad\xff.doc";
    ASSERT_EQ(::rename(QFile::encodeName(CopyTestDocument("FloatingPictures.doc", root)).constData(), bad.constData()),
              0);
    const QString percent = CopyTestDocument("password_password_cryptoapi.doc", root, "p%1.doc");
    const QString dash = CopyTestDocument("Lists.doc", root, "-dash.doc");
    const QString broken = CopyTestDocument("footnote.doc", root, "two\nlines.doc");
    QFile html(root + "/Report.html");
    ASSERT_TRUE(html.open(QIODevice::WriteOnly) && html.write("<html><body><p>Tilaka report</p></body></html>") > 0);
    html.close();
    const QString lastArgument = QStringLiteral("exec \"$0\" \"$@\" \"%1/bad$(printf '\\377').doc\"").arg(root);

    const Outcome outcome = RunCommand({"--keep-going", "--jobs", "2", "--", dash, percent, broken, html.fileName()},
                                       CommandSetting().wrappedIn({"sh", "-c", lastArgument}));

    EXPECT_EQ(outcome.status, 1) << qPrintable(outcome.err);
    const QStringList lines = QString(outcome.out).remove(root + '/').split('\n');
    ASSERT_EQ(lines.size(), 6) << qPrintable(outcome.out);
    EXPECT_EQ(lines[0], "[1/5] converted -dash.doc");
    EXPECT_TRUE(lines[1].startsWith("[2/5] failed p%1.doc: error 5408: ")) << qPrintable(lines[1]);
    EXPECT_TRUE(lines[1].contains("\"p%1.doc\"")) << qPrintable(lines[1]);
    EXPECT_EQ(lines.mid(2), QStringList({"[3/5] converted two\\u000Alines.doc", "[4/5] converted Report.html",
                                         "[5/5] converted bad\\xFF.doc", ""}));
    EXPECT_TRUE(outcome.err.startsWith("quorvane-convert: not converted (1 of 5):\n  " + percent + ": error 5408: "))
        << qPrintable(outcome.err);
    for (const QString &page : {root + "/-dash.htm", root + "/two\nlines.htm"})
        EXPECT_TRUE(QFile::exists(page)) << qPrintable(page);
    QFile report(root + "/Report.htm");
    EXPECT_TRUE(report.open(QIODevice::ReadOnly) && report.readAll().contains("Tilaka report"));
    QFile page;
    const int fd = ::open((QFile::encodeName(root) + "/bad\xff.htm").constData(), O_RDONLY);
    ASSERT_TRUE(fd >= 0 && page.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
    const QByteArray written = page.readAll();
    QByteArrayList pictures;
    for (const QByteArray &piece : written.split('"'))
        if (piece.contains("_htm_"))
            pictures << QByteArray::fromPercentEncoding(piece);
    ASSERT_FALSE(pictures.isEmpty()) << "no picture linked";
    for (const QByteArray &picture : pictures) {
        EXPECT_TRUE(picture.startsWith("bad\xff_htm_")) << picture.constData();
        EXPECT_EQ(::access((QFile::encodeName(root) + '/' + picture).constData(), R_OK), 0) << picture.constData();
    }
}

// A stranger who may write into the folder converted cannot make the conversion empty another
// folder: links named like the staging folders of programs that have ended are left alone.
TEST(ConvertCommand, FollowsNoLinkNamedLikeAStagingFolder)
{
    const QTemporaryDir folder, elsewhere;
    CopyTestDocument("Lists.doc", folder.path());
    QFile kept(elsewhere.filePath("kept"));
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly) && kept.write("k") == 1);
    kept.close();
    QProcess ended;
    ended.start("true", {});
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 endedPid = ended.processId();
    ended.waitForFinished();
    const QString machine = QString::fromLatin1(QSysInfo::machineUniqueId().left(12));
    for (const QString &name : {QStringLiteral(".quorvane-save-99999-1-AAAAAA"),
                                QStringLiteral(".quorvane-save-%1-%2-1-AAAAAA").arg(machine).arg(endedPid)})
        ASSERT_TRUE(QFile::link(elsewhere.path(), folder.filePath(name)));

    const Outcome outcome = RunCommand({folder.path()});

    EXPECT_EQ(outcome.status, 0) << qPrintable(outcome.err);
    EXPECT_TRUE(QFile::exists(folder.filePath("Lists.htm")));
    EXPECT_EQ(QDir(elsewhere.path()).entryList(QDir::Files), QStringList{"kept"});
}

// Where the system lets no sandbox be made (run here in a user namespace that may make no
// further one, as on a system that switched them off), the command still converts and says once,
// on standard error, that its offices run without their sandbox.
TEST(ConvertCommand, WithoutUserNamespacesConvertsAndSaysOnceThatTheSandboxIsMissing)
{
    if (QProcess::execute("unshare", {"-U", "-r", "true"}) != 0)
        GTEST_SKIP() << "this test cannot make user namespaces";
    const QTemporaryDir folder;
    const QString document = CopyTestDocument("Lists.doc", folder.path());
    const QStringList noFurtherNamespaces{
        "unshare",
        "-U",
        "-r",
        "sh",
        "-c",
        "echo 1 > /proc/sys/user/max_user_namespaces && exec unshare -U --map-user=1000 --map-group=1000 \"$@\"",
        "sh"};

    const Outcome outcome = RunCommand({document}, CommandSetting().wrappedIn(noFurtherNamespaces));

    EXPECT_EQ(outcome.status, 0) << qPrintable(outcome.err);
    EXPECT_TRUE(QFile::exists(PageBeside(document)));
    const QStringList warnings = outcome.err.split('\n').filter("warning");
    ASSERT_EQ(warnings.size(), 1) << qPrintable(outcome.err);
    EXPECT_TRUE(warnings.front().startsWith("quorvane-convert: warning: LibreOffice runs without its sandbox"));
    EXPECT_TRUE(warnings.front().contains("namespace")) << qPrintable(warnings.front());
}

// Ctrl-C (SIGINT) or SIGTERM mid-run ends the command by that signal and leaves no office
// process, no staging folder and no half-written page.
class Interrupted : public ::testing::TestWithParam<int> {};

TEST_P(Interrupted, EndsByTheSignalWithItsOfficesEndedAndOnlyWholePagesLeft)
{
    const QTemporaryDir folder;
    for (int copy = 1; copy <= 20; ++copy)
        CopyTestDocument("Lists.doc", folder.path(), QStringLiteral("Lists %1.doc").arg(copy, 2, 10, QLatin1Char('0')));
    const QDir listed(folder.path(), {}, QDir::Name, QDir::AllEntries | QDir::Hidden);
    bool sent = false;
    // Once a page is in place, while the next is being saved.
    const auto interruptDuringASave = [&](qint64 pid) {
        if (!sent && !listed.entryList({"*.htm"}).isEmpty() && !listed.entryList({".quorvane-save-*"}).isEmpty())
            sent = ::kill(pid_t(pid), GetParam()) == 0;
    };

    const Outcome outcome = RunCommand({folder.path()}, CommandSetting().watching(interruptDuringASave));

    ASSERT_TRUE(sent);
    EXPECT_EQ(outcome.status, -GetParam());
    EXPECT_FALSE(outcome.offices.isEmpty()) << "its offices were not seen";
    EXPECT_LT(listed.entryList({"*.htm"}).size(), 20) << "interrupted in the middle of the run";
    for (const QString &page : listed.entryList({"*.htm"})) {
        QFile f(folder.filePath(page)); // a half-written page has no end tag
        EXPECT_TRUE(f.open(QIODevice::ReadOnly) && f.readAll().toLower().contains("</html>")) << qPrintable(page);
    }
    EXPECT_EQ(listed.entryList({".quorvane-save-*"}), QStringList());
}

INSTANTIATE_TEST_SUITE_P(ConvertCommand, Interrupted, ::testing::Values(SIGINT, SIGTERM),
                         [](const auto &row) { return std::string(sigabbrev_np(row.param)); });

// SIGTERM that comes as the run ends at a failure, while a later document still converts, ends
// the command at once by that signal, with its offices, not once the conversion under way has
// ended. The command tells the failure on standard output, then the summary on standard error;
// the one the row names goes into a full pipe, and the signal comes while the command waits to
// write it; the pipe is read from then on. The offices at work then are stopped, as a hung office
// would be: a command that waited for them would wait for its call limit, and is killed 20 s
// after the signal.
struct Ending {
    const char *name;
    int stream; // where the command is writing when the signal comes
    friend void PrintTo(const Ending &row, std::ostream *out) { *out << row.name; }
};
class SignalAsTheRunEnds : public ::testing::TestWithParam<Ending> {};

TEST_P(SignalAsTheRunEnds, EndsTheCommandAtOnceByTheSignalWithItsOffices)
{
    const QTemporaryDir folder;
    const QDir listed(folder.path(), {}, QDir::Name, QDir::AllEntries | QDir::Hidden);
    const QStringList documents{
        CopyTestDocument("password_password_cryptoapi.doc", folder.path()), // fails at once
        CopyTestDocument("ca.kwsymphony.www_education_School_Concert_Seat_Booking_Form_2011-12.doc", folder.path())};
    int told[2];
    ASSERT_EQ(::pipe2(told, O_CLOEXEC | O_NONBLOCK), 0);
    const QByteArray filling(::fcntl(told[1], F_GETPIPE_SZ), '.');
    ASSERT_EQ(::write(told[1], filling.constData(), filling.size()), filling.size());
    ::fcntl(told[1], F_SETFL, 0); // the command's writes wait, as on any pipe
    // The system call that the command's main thread waits in: its number, then its arguments.
    const QByteArray writingTold = QByteArray::number(SYS_write) + " 0x" + QByteArray::number(GetParam().stream) + ' ';
    std::optional<QElapsedTimer> sinceSignal;
    const auto signalWhileTheEndIsTold = [&](qint64 pid) {
        if (!sinceSignal) {
            QFile waitingIn(QStringLiteral("/proc/%1/syscall").arg(pid));
            if (!waitingIn.open(QIODevice::ReadOnly) || !waitingIn.readAll().startsWith(writingTold))
                return;
            ASSERT_EQ(::kill(pid_t(pid), SIGTERM), 0);
            sinceSignal.emplace().start();
        }
        const QList<qint64> offices = OfficeChildren(pid);
        for (const qint64 office : offices)
            ::kill(pid_t(office), SIGSTOP);
        char drained[4096];
        while (::read(told[0], drained, sizeof drained) > 0) {}
        if (sinceSignal->hasExpired(20000)) {
            ::kill(pid_t(pid), SIGKILL);
            for (const qint64 office : offices)
                ::kill(pid_t(office), SIGKILL);
        }
    };
    CommandSetting setting = CommandSetting().watching(signalWhileTheEndIsTold);
    if (GetParam().stream == STDOUT_FILENO)
        setting.writingTo(told[1]);
    else
        setting.erringTo(told[1]);

    const Outcome outcome = RunCommand(documents + QStringList{"--jobs", "2"}, setting);
    ::close(told[0]);
    ::close(told[1]);

    ASSERT_TRUE(sinceSignal) << "the command was not seen telling the end of the run";
    EXPECT_EQ(outcome.status, -SIGTERM) << "-9: still running 20 s after the signal";
    EXPECT_EQ(listed.entryList({"*.htm", ".quorvane-save-*"}), QStringList());
}

INSTANTIATE_TEST_SUITE_P(ConvertCommand, SignalAsTheRunEnds,
                         ::testing::Values(Ending{"AsTheFailureIsTold", STDOUT_FILENO},
                                           Ending{"AsTheSummaryIsTold", STDERR_FILENO}),
                         RowName);
