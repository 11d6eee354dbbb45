// quorvane-convert as installed, run without a display on real documents through the real office.
#include "InstalledCommand.h"
#include "TestDocuments.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

namespace {

TEST(ConvertCommand, ConvertsTheDocumentsOfAFolderTreeBesideEachInWalkOrder)
{
    QTemporaryDir tree;
    const QString root = tree.path();
    CopyTestDocument(QStringLiteral("Word6.doc"), root, QStringLiteral("sub/deeper/first.doc"));
    CopyTestDocument(QStringLiteral("delins.docx"), root, QStringLiteral("sub/second.docx"));
    CopyTestDocument(QStringLiteral("FloatingPictures.doc"), root, QStringLiteral("third.doc"));
    CopyTestDocument(QStringLiteral("footnote.doc"), root, QStringLiteral("~third.doc"));
    CopyTestDocument(QStringLiteral("footnote.doc"), root, QStringLiteral(".hidden/hidden.doc"));
    CopyTestDocument(QStringLiteral("footnote.doc"), root, QStringLiteral("notes.txt"));

    const Outcome outcome = RunInstalledCommand({root});

    EXPECT_EQ(outcome.exitCode, 0) << qPrintable(outcome.err);
    EXPECT_EQ(outcome.out, QStringLiteral("[1/3] converted %1/third.doc\n"
                                          "[2/3] converted %1/sub/second.docx\n"
                                          "[3/3] converted %1/sub/deeper/first.doc\n")
                               .arg(root));
    QStringList pages;
    for (QDirIterator found(root, {QStringLiteral("*.htm")}, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
         found.hasNext();)
        pages << QDir(root).relativeFilePath(found.next());
    pages.sort();
    EXPECT_EQ(pages, (QStringList{"sub/deeper/first.htm", "sub/second.htm", "third.htm"}));
    EXPECT_FALSE(QDir(root).entryList({QStringLiteral("third_htm_*")}, QDir::Files).isEmpty())
        << "no picture beside it";
}

TEST(ConvertCommand, ConvertsADocumentWithSpacesAndNonAsciiLettersInItsNameToFilteredHtml)
{
    QTemporaryDir folder;
    const QString document = CopyTestDocument(QStringLiteral("testRTFRegularImages.rtf"), folder.path(),
                                              QStringLiteral("Über die Straße 文書.rtf"));

    const Outcome outcome = RunInstalledCommand({QStringLiteral("--filtered"), document});

    EXPECT_EQ(outcome.exitCode, 0) << qPrintable(outcome.err);
    EXPECT_EQ(outcome.out, QStringLiteral("[1/1] converted %1\n").arg(document));
    QFile page(PageBeside(document));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(page.readAll().contains("src=\"data:image/")) << "not Filtered HTML";
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2) << "pictures beside a Filtered page";
}

TEST(ConvertCommand, DrawsAProgressBarInPlaceWhenStandardErrorIsATerminal)
{
    QTemporaryDir folder;
    const QString document = CopyTestDocument(QStringLiteral("Word6.doc"), folder.path());
    int terminal = -1;
    int terminalSide = -1;
    winsize size{};
    size.ws_col = 200; // room for the whole line
    ASSERT_EQ(::openpty(&terminal, &terminalSide, nullptr, nullptr, &size), 0);
    QString drawn;
    const auto readTerminal = [&](qint64) {
        char buffer[4096];
        for (ssize_t got; (got = ::read(terminal, buffer, sizeof buffer)) > 0;)
            drawn += QString::fromUtf8(buffer, got);
    };
    ::fcntl(terminal, F_SETFL, O_NONBLOCK);

    const Outcome outcome = RunInstalledCommand({document}, readTerminal, [&](QProcess &command) {
        command.setChildProcessModifier([terminalSide] { ::dup2(terminalSide, STDERR_FILENO); });
    });
    ::close(terminalSide);
    readTerminal(0);
    ::close(terminal);

    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.out, QString()) << "one line per document only without a terminal";
    EXPECT_TRUE(drawn.contains(QStringLiteral("\r[....................] 0/1  00:00 elapsed, --:-- left  ") + document))
        << qPrintable(drawn);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("\r\\[#{20}\\] 1/1  00:0\\d elapsed, 00:00 left\\e\\[K\r?\n$"))
                    .match(drawn)
                    .hasMatch())
        << qPrintable(drawn);
}

TEST(ConvertCommand, AFailureEndsTheRunThereOrWithKeepGoingEveryDocumentIsTriedAndTheFailuresListed)
{
    const QString firstFailure = QStringLiteral("  FOLDER/password_password_cryptoapi.doc: error 5408: [^\n]+\n");
    const QString secondFailure = QStringLiteral("  FOLDER/testWORD_truncated.docx: error 5792: [^\n]+\n");
    const QString everyLine = QStringLiteral("[1/5] converted Word6.doc\n"
                                             "[2/5] failed password_password_cryptoapi.doc: error\n"
                                             "[3/5] converted footnote.doc\n"
                                             "[4/5] failed testWORD_truncated.docx: error\n"
                                             "[5/5] converted Lists.doc\n");
    const QString everyFailure = QStringLiteral("quorvane-convert: not converted \\(2 of 5\\):\n") + firstFailure
                                 + secondFailure;
    const struct {
        QStringList options;
        QStringList pagesWritten;
        QString lines;       // on standard output, without the folder and each failure's description
        QString listedAtEnd; // on standard error, as a pattern; FOLDER stands for the folder
    } cases[] = {
        {{},
         {"Word6.htm"},
         everyLine.left(everyLine.indexOf(QStringLiteral("[3/5]"))),
         QStringLiteral("quorvane-convert: not converted \\(1 of 5\\):\n") + firstFailure
             + QStringLiteral(
                 "The 3 documents after it were not converted \\(--keep-going tries every document\\).\n")},
        {{"--keep-going"}, {"Lists.htm", "Word6.htm", "footnote.htm"}, everyLine, everyFailure},
        {{"--keep-going", "--quiet"}, {"Lists.htm", "Word6.htm", "footnote.htm"}, {}, everyFailure},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(qPrintable(row.options.join(' ')));
        QTemporaryDir folder;
        QStringList arguments = row.options + QStringList{"--jobs", "2"};
        for (const char *name :
             {"Word6.doc", "password_password_cryptoapi.doc", "footnote.doc", "testWORD_truncated.docx", "Lists.doc"})
            arguments << CopyTestDocument(QString::fromLatin1(name), folder.path());

        const Outcome outcome = RunInstalledCommand(arguments);

        EXPECT_EQ(outcome.exitCode, 1);
        QString lines = outcome.out;
        EXPECT_EQ(lines.remove(folder.path() + QLatin1Char('/'))
                      .replace(QRegularExpression(QStringLiteral(": error \\d+: [^\n]+")), QStringLiteral(": error")),
                  row.lines);
        QString listed = row.listedAtEnd;
        listed.replace(QStringLiteral("FOLDER"), QRegularExpression::escape(folder.path()));
        EXPECT_TRUE(QRegularExpression(QLatin1Char('^') + listed + QLatin1Char('$')).match(outcome.err).hasMatch())
            << qPrintable(outcome.err);
        EXPECT_EQ(QDir(folder.path()).entryList({QStringLiteral("*.htm")}, QDir::Files, QDir::Name), row.pagesWritten);
    }
}

TEST(ConvertCommand, BadUsageIsRefusedWithStatusTwoOneLineAndTheUsageAndNothingIsConverted)
{
    const struct {
        QStringList arguments; // DOC stands for a good document, MISSING for a path that names nothing
        QString message;
    } cases[] = {
        {{"DOC", "MISSING"}, "'MISSING' does not exist."},
        {{}, "No document or folder given."},
        {{"--frobnicate", "DOC"}, "Unknown option 'frobnicate'."},
        {{"DOC", "--jobs"}, "Missing value after '--jobs'."},
        {{"--jobs", "0", "DOC"}, "--jobs needs a positive whole number, not '0'."},
        {{"--jobs", "two", "DOC"}, "--jobs needs a positive whole number, not 'two'."},
        {{"--extension", "", "DOC"}, "--extension needs an extension, such as doc or do*."},
    };
    QTemporaryDir folder;
    const QString document = CopyTestDocument(QStringLiteral("Word6.doc"), folder.path());
    const QString missing = folder.filePath(QStringLiteral("missing.doc"));
    for (const auto &row : cases) {
        SCOPED_TRACE(qPrintable(row.arguments.join(' ')));
        QStringList arguments = row.arguments;
        arguments.replaceInStrings(QStringLiteral("DOC"), document)
            .replaceInStrings(QStringLiteral("MISSING"), missing);

        const Outcome outcome = RunInstalledCommand(arguments);

        EXPECT_EQ(outcome.exitCode, 2);
        EXPECT_EQ(outcome.out, QString());
        EXPECT_EQ(outcome.err, QStringLiteral("quorvane-convert: %1\nUsage: quorvane-convert [--filtered] [--extension "
                                              "EXT] [--jobs N] [--keep-going] [--quiet] PATH...\n")
                                   .arg(QString(row.message).replace(QStringLiteral("MISSING"), missing)));
        EXPECT_FALSE(QFileInfo::exists(PageBeside(document)));
    }
}

TEST(ConvertCommand, PrintsItsUsageOnHelp)
{
    const Outcome outcome = RunInstalledCommand({QStringLiteral("--help")});
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_TRUE(outcome.out.startsWith(QStringLiteral("Usage: quorvane-convert [--filtered]")))
        << qPrintable(outcome.out);
    EXPECT_TRUE(outcome.out.contains(QStringLiteral("--keep-going")));
}

} // namespace
