// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// quorvane-convert on an archive: pages written into a tree of their own, a run that does only
// what is left, documents from a list, shards run side by side, and the report, run as
// InstalledCommand.h tells.
#include "InstalledCommand.h"
#include "PrintQt.h"
#include "Rows.h"
#include "TestDocuments.h"

#include <QDirIterator>
#include <QScopeGuard>

#include <csignal>
#include <optional>

namespace {

// Every file below root, by its path from root, sorted.
QStringList filesBelow(const QString &root)
{
    QStringList files;
    for (QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
        files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}

// Copies each test document to its place below root.
void copyDocuments(const QString &root, const std::vector<std::pair<const char *, QString>> &copies)
{
    for (const auto &[document, place] : copies)
        CopyTestDocument(document, root, place);
}

void setFolderPermissions(const QString &root, QFile::Permissions permissions)
{
    for (QDirIterator it(root, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories); it.hasNext();)
        QFile::setPermissions(it.next(), permissions);
    QFile::setPermissions(root, permissions);
}

// A command that runs the command with folder read-only: bind-mounted read-only in a mount
// namespace of its own; empty when this test may make none (then, run by a user other than root,
// the folder's permissions do); nothing when neither works.
std::optional<QStringList> readOnlyWrapper(const QString &folder)
{
    if (QProcess::execute("unshare", {"-r", "-m", "true"}) == 0)
        return QStringList{"unshare", "-r", "-m",
                           "sh",      "-c", R"(mount --bind "$0" "$0" && mount -o remount,bind,ro "$0" && exec "$@")",
                           folder};
    if (::geteuid() == 0)
        return std::nullopt;
    setFolderPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    return QStringList();
}

// The page of the document at place, at the same place.
QString pageAt(const QString &place)
{
    return QString(place).replace(QRegularExpression("\\.docx?$"), ".htm");
}

QDateTime modified(const QString &file)
{
    return QFileInfo(file).fileTime(QFileDevice::FileModificationTime);
}

} // namespace

// A source that can only be read converts into a tree of pages of the same shape, a Normal page's
// pictures beside it; run again with --newer, nothing is converted and no office starts; once
// one document has changed, only that one is.
TEST(ArchiveRun, ConvertsAReadOnlySourceIntoAMirrorTreeAndThenOnlyWhatChanged)
{
    const QTemporaryDir source, output;
    copyDocuments(
        source.path(),
        {{"Lists.doc", "a.doc"}, {"delins.docx", "sub/b.docx"}, {"FloatingPictures.doc", "sub/deeper/c.doc"}});
    const std::optional<QStringList> wrapper = readOnlyWrapper(source.path());
    if (!wrapper)
        GTEST_SKIP() << "this test can make the source read-only neither by a mount nor by its permissions";
    const auto removable = qScopeGuard(
        [&] { setFolderPermissions(source.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
    const QStringList probe = *wrapper + QStringList{"touch", source.filePath("probe")};
    ASSERT_NE(QProcess::execute(probe.front(), probe.mid(1)), 0) << "the source can be written to";
    const QString pages = output.filePath("pages"), report = output.filePath("report.jsonl");
    const QStringList arguments{"--output-dir", pages, "--report", report, source.path()};

    const Outcome first = RunCommand(arguments, CommandSetting().wrappedIn(*wrapper));

    EXPECT_EQ(first.status, 0) << qPrintable(first.err);
    EXPECT_EQ(filesBelow(source.path()), QStringList({"a.doc", "sub/b.docx", "sub/deeper/c.doc"}));
    const QStringList written = filesBelow(pages);
    EXPECT_EQ(written.filter(".htm"), QStringList({"a.htm", "sub/b.htm", "sub/deeper/c.htm"}))
        << qPrintable(written.join(' '));
    EXPECT_FALSE(written.filter(QRegularExpression("^sub/deeper/c_htm_.+")).isEmpty()) << "no picture";
    EXPECT_EQ(ReportStatuses(report), QStringList({"a.doc converted", "b.docx converted", "c.doc converted"}));
    const QDateTime firstWritten = modified(pages + "/a.htm");

    const Outcome again = RunCommand(QStringList{"--newer"} + arguments, CommandSetting().wrappedIn(*wrapper));

    EXPECT_EQ(std::tuple(again.status, again.offices.size()), std::tuple(0, 0)) << qPrintable(again.err);
    EXPECT_TRUE(again.err.contains("quorvane-convert: 3 documents up to date, not converted again.\n"));
    EXPECT_EQ(ReportStatuses(report), QStringList({"a.doc up_to_date", "b.docx up_to_date", "c.doc up_to_date"}));
    EXPECT_EQ(modified(pages + "/a.htm"), firstWritten);

    const QDateTime pageBefore = modified(pages + "/sub/b.htm");
    QFile changed(source.filePath("sub/b.docx"));
    ASSERT_TRUE(changed.open(QIODevice::ReadWrite)
                && changed.setFileTime(pageBefore.addSecs(1), QFileDevice::FileModificationTime));
    changed.close();
    const Outcome afterAChange = RunCommand(QStringList{"--newer"} + arguments, CommandSetting().wrappedIn(*wrapper));

    EXPECT_EQ(afterAChange.status, 0) << qPrintable(afterAChange.err);
    EXPECT_EQ(ReportStatuses(report), QStringList({"a.doc up_to_date", "c.doc up_to_date", "b.docx converted"}));
    EXPECT_GT(modified(pages + "/sub/b.htm"), pageBefore);
    EXPECT_EQ(modified(pages + "/a.htm"), firstWritten);
}

// Two documents whose pages would be one file: the later one is not converted, and says whose
// page it would have replaced, also when the earlier one is another shard's; the run ends there
// unless told to keep going.
struct TwoForOnePage {
    const char *name;
    std::vector<std::pair<const char *, QString>> copies;
    QStringList arguments;  // SOURCE stands for the source folder, OUTPUT for the output folder
    QString earlier, later; // the documents, below the source folder
    QStringList reported;
    friend void PrintTo(const TwoForOnePage &row, std::ostream *out) { *out << row.name; }
};
class TwoDocumentsForOnePage : public ::testing::TestWithParam<TwoForOnePage> {};

TEST_P(TwoDocumentsForOnePage, LeaveTheLaterNotConvertedAndSayWhy)
{
    const QTemporaryDir source, output;
    copyDocuments(source.path(), GetParam().copies);
    const QString report = output.filePath("report.jsonl");
    QStringList arguments = GetParam().arguments;
    arguments.replaceInStrings("SOURCE", source.path()).replaceInStrings("OUTPUT", output.path());

    const Outcome outcome = RunCommand(arguments << "--report" << report);

    EXPECT_EQ(outcome.status, 1);
    EXPECT_TRUE(outcome.err.contains(QStringLiteral("%1: error 5153: ").arg(source.filePath(GetParam().later))))
        << qPrintable(outcome.err);
    EXPECT_TRUE(outcome.err.contains(
        QStringLiteral("it is the page of \"%1\" too, which comes before it").arg(source.filePath(GetParam().earlier))))
        << qPrintable(outcome.err);
    EXPECT_EQ(ReportStatuses(report), GetParam().reported);
}

INSTANTIATE_TEST_SUITE_P(
    ArchiveRun, TwoDocumentsForOnePage,
    ::testing::Values(TwoForOnePage{"OneNameTwoExtensions",
                                    {{"Lists.doc", "x.doc"}, {"delins.docx", "x.docx"}, {"footnote.doc", "y.doc"}},
                                    {"--keep-going", "--output-dir", "OUTPUT", "SOURCE"},
                                    "x.doc",
                                    "x.docx",
                                    {"x.doc converted", "x.docx failed", "y.doc converted"}},
                      TwoForOnePage{
                          "OneNameInTwoFolders",
                          {{"Lists.doc", "one/r.doc"}, {"footnote.doc", "two/r.doc"}, {"Lists.doc", "two/s.doc"}},
                          {"--output-dir", "OUTPUT", "SOURCE/one", "SOURCE/two"},
                          "one/r.doc",
                          "two/r.doc",
                          {"r.doc converted", "r.doc failed", "s.doc not_tried"}},
                      TwoForOnePage{"InAnotherShard", // x.doc falls in shard 1 of 3, x.docx in shard 3
                                    {{"Lists.doc", "x.doc"}, {"delins.docx", "x.docx"}},
                                    {"--shard", "3/3", "--output-dir", "OUTPUT", "SOURCE"},
                                    "x.doc",
                                    "x.docx",
                                    {"x.docx failed"}},
                      TwoForOnePage{"BesideTheDocuments",
                                    {{"Lists.doc", "x.doc"}, {"delins.docx", "x.docx"}},
                                    {"SOURCE"},
                                    "x.doc",
                                    "x.docx",
                                    {"x.doc converted", "x.docx failed"}}),
    RowName);

// Someone who may write into the output folder cannot send a page elsewhere: a link where a
// folder of the tree belongs stops that document's page.
TEST(ArchiveRun, FollowsNoLinkPlantedInTheOutputTree)
{
    const QTemporaryDir source, output, elsewhere;
    copyDocuments(source.path(), {{"Lists.doc", "sub/a.doc"}});
    ASSERT_TRUE(QFile::link(elsewhere.path(), output.filePath("sub")));

    const Outcome outcome = RunCommand({"--output-dir", output.path(), source.path()});

    EXPECT_EQ(outcome.status, 1);
    EXPECT_TRUE(outcome.err.contains("a link or a file stands where its folder belongs")) << qPrintable(outcome.err);
    EXPECT_EQ(filesBelow(elsewhere.path()), QStringList());
}

// The documents of a list, named from the current folder, their pages at the same places below
// the output folder, names with blanks and line breaks included where the names end with a NUL.
struct Listed {
    const char *name;
    QStringList places;
    QByteArray separator;
    bool onStandardInput;
    friend void PrintTo(const Listed &row, std::ostream *out) { *out << row.name; }
};
class DocumentsFromAList : public ::testing::TestWithParam<Listed> {};

TEST_P(DocumentsFromAList, AreConvertedToTheirPlacesBelowTheOutputFolder)
{
    const QTemporaryDir source, output;
    QByteArray list;
    QStringList expected;
    for (const QString &place : GetParam().places) {
        CopyTestDocument("Lists.doc", source.path(), place);
        list += place.toUtf8() + GetParam().separator;
        expected << pageAt(place);
    }
    copyDocuments(source.path(), {{"Lists.doc", "not listed.doc"}});
    QFile listFile(output.filePath("list"));
    ASSERT_TRUE(listFile.open(QIODevice::WriteOnly) && listFile.write(list) == list.size());
    listFile.close();
    const QString pages = output.filePath("pages");
    QStringList arguments{"--files-from", GetParam().onStandardInput ? "-" : listFile.fileName(), "--output-dir",
                          pages};
    if (GetParam().separator == QByteArray(1, '\0'))
        arguments << "--null";

    const Outcome outcome = RunCommand(
        arguments,
        CommandSetting().reading(GetParam().onStandardInput ? listFile.fileName() : QString()).in(source.path()));

    EXPECT_EQ(outcome.status, 0) << qPrintable(outcome.err);
    expected.sort();
    EXPECT_EQ(filesBelow(pages), expected);
}

INSTANTIATE_TEST_SUITE_P(ArchiveRun, DocumentsFromAList,
                         ::testing::Values(Listed{"EndingWithANul",
                                                  {"with blanks.doc", "line\nbreak.doc", "sub/deeper.doc"},
                                                  QByteArray(1, '\0'),
                                                  false},
                                           Listed{"LinesOnStandardInput", {"first.doc", "sub/second.doc"}, "\n", true}),
                         RowName);

// A listed name that is not UTF-8 keeps its bytes: its page has the same bytes, and the report
// shows the name readably with its exact bytes beside it.
TEST(ArchiveRun, KeepsTheBytesOfAListedNameThatIsNotUtf8)
{
    const QTemporaryDir source, output;
    const QByteArray name = "caf\xe9.doc";
    ASSERT_EQ(::rename(QFile::encodeName(CopyTestDocument("Lists.doc", source.path())).constData(),
                       (QFile::encodeName(source.path()) + '/' + name).constData()),
              0);
    QFile list(output.filePath("list"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly) && list.write(name + '\0') == name.size() + 1);
    list.close();
    const QString report = output.filePath("report.jsonl");

    const Outcome outcome = RunCommand(
        {"--files-from", list.fileName(), "--null", "--output-dir", output.path(), "--report", report},
        CommandSetting().in(source.path()));

    EXPECT_EQ(outcome.status, 0) << qPrintable(outcome.err);
    EXPECT_EQ(::access((QFile::encodeName(output.path()) + "/caf\xe9.htm").constData(), R_OK), 0);
    const QJsonObject line = ReportLines(report).value(0);
    EXPECT_EQ(std::pair(line["document"].toString(), line["page"].toString()),
              std::pair(QString("caf\\xE9.doc"), output.path() + "/caf\\xE9.htm"));
    EXPECT_EQ(QByteArray::fromBase64(line["document_bytes"].toString().toLatin1()), name);
}

// Three shards run side by side by GNU parallel convert every document once, each shard those
// whose place has the FNV-1a hash of its number, whatever machine runs it.
TEST(ArchiveRun, ThreeShardsRunByGnuParallelConvertEveryDocumentOnce)
{
    if (QProcess::execute("parallel", {"--version"}) != 0)
        GTEST_SKIP() << "GNU parallel is not installed";
    const QTemporaryDir source, output;
    const std::vector<std::pair<QString, int>> shardOfPlace = {{"a.doc", 3},
                                                               {"b.doc", 1},
                                                               {"c.doc", 2},
                                                               {"sub/d.doc", 2},
                                                               {"sub/e.doc", 2},
                                                               {"sub/f.doc", 1},
                                                               {"sub/deeper/g.doc", 1},
                                                               {"sub/deeper/h.doc", 1},
                                                               {"sub/deeper/i.doc", 1}};
    for (const auto &[place, shard] : shardOfPlace)
        CopyTestDocument("Lists.doc", source.path(), place);
    const QString pages = output.filePath("pages");

    const Outcome outcome = RunCommand({"--jobs", "1", "--shard", "{}/3", "--output-dir", pages, "--report",
                                        output.filePath("report-{}.jsonl"), source.path(), ":::", "1", "2", "3"},
                                       CommandSetting().wrappedIn({"parallel", "--jobs", "3", "--halt", "never"}));

    EXPECT_EQ(outcome.status, 0) << qPrintable(outcome.err);
    QStringList converted;
    for (int shard = 1; shard <= 3; ++shard) {
        QStringList expected;
        for (const auto &[place, shardExpected] : shardOfPlace)
            if (shardExpected == shard)
                expected << QFileInfo(place).fileName() + " converted";
        const QStringList reported = ReportStatuses(output.filePath(QStringLiteral("report-%1.jsonl").arg(shard)));
        EXPECT_EQ(reported, expected) << "shard " << shard;
        converted << reported;
    }
    EXPECT_EQ(converted.size(), 9);
    QStringList everyPage;
    for (const auto &[place, shard] : shardOfPlace)
        everyPage << pageAt(place);
    everyPage.sort();
    EXPECT_EQ(filesBelow(pages), everyPage);
}

// Ctrl-C mid-run leaves a report that a JSON parser reads to its last line, one line for each
// page in place.
TEST(ArchiveRun, LeavesAValidReportWhenInterrupted)
{
    const QTemporaryDir folder, output;
    for (int copy = 1; copy <= 20; ++copy)
        CopyTestDocument("Lists.doc", folder.path(), QStringLiteral("Lists %1.doc").arg(copy, 2, 10, QLatin1Char('0')));
    const QString report = output.filePath("report.jsonl");
    const QDir listed(folder.path(), {}, QDir::Name, QDir::Files);
    bool sent = false;
    const auto interruptOncePlaced = [&](qint64 pid) {
        if (!sent && listed.entryList({"*.htm"}).size() >= 2)
            sent = ::kill(pid_t(pid), SIGINT) == 0;
    };

    const Outcome outcome = RunCommand({"--report", report, folder.path()},
                                       CommandSetting().watching(interruptOncePlaced));

    ASSERT_TRUE(sent);
    EXPECT_EQ(outcome.status, -SIGINT);
    const QList<QJsonObject> lines = ReportLines(report);
    EXPECT_EQ(lines.size(), listed.entryList({"*.htm"}).size());
    EXPECT_LT(lines.size(), 20) << "interrupted in the middle of the run";
    for (const QJsonObject &line : lines)
        EXPECT_EQ(line["status"].toString(), "converted");
}
