// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// One document through its own Word instance: where its page is staged and saved, in which
// format, how the save's Booleans are passed, and Quit on every path.

#include "ConvertDocument.h"
#include "ErrorOf.h"
#include "FakeWord.h"
#include "Rows.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

const std::optional<std::int32_t> AsHtml = WordSaveFormat::Html;

// The SaveAs call's argument of that name; Empty without a SaveAs.
static Variant saved(const FakeWord &word, const char *name)
{
    for (const WordCall &call : word.calls())
        for (const auto &[argument, value] : call.member == QLatin1String("SaveAs") ? call.named : NamedArguments())
            if (argument == QLatin1String(name))
                return value;
    return {};
}

// Where SaveAs was asked to save, below root: a page in a staging folder, by the place that
// folder stands for ("docs/Report.htm" for "docs/.quorvane-save-…/Report.htm"); empty without a
// SaveAs, "not staged: …" for a page asked for elsewhere.
static QString savedPlace(const FakeWord &word, const QString &root)
{
    const Variant fileName = saved(word, "FileName");
    if (fileName.isEmpty())
        return {};
    const QFileInfo page(fileName.toText());
    const QFileInfo staging(page.path());
    if (!staging.fileName().startsWith(".quorvane-save-"))
        return "not staged: " + page.filePath();
    return QDir(root).relativeFilePath(staging.path() + '/' + page.fileName());
}

// The page is staged beside the document opened as listed, the extension after the last dot
// replaced by ".htm", and returned there, not yet in place; a document that is its own page is
// refused, never saved over itself, while a page of another name ("Page.html", "Page.HTM")
// converts to a page of its own. A failing call ends the conversion there and leaves nothing
// staged. The instance is quit on every path, and a failure of that Quit never hides the first
// failure.
struct Conversion {
    const char *name;
    QString document;                             // below a folder of the test's own
    QString page;                                 // where SaveAs was asked to save; empty: not asked
    std::vector<std::pair<QString, int>> failing; // members that fail, with their errors' numbers
    int error;                                    // what the conversion throws, 0 for nothing
    friend void PrintTo(const Conversion &row, std::ostream *out) { *out << row.name; }
};

class ConvertDocumentRow : public ::testing::TestWithParam<Conversion> {};

TEST_P(ConvertDocumentRow, StagesThePageBesideTheDocumentAndQuitsTheInstance)
{
    const QTemporaryDir root;
    const QString document = root.filePath(GetParam().document);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(document).path()));
    FakeWord word;
    word.onCall = [](const WordCall &call) {
        for (const auto &[member, number] : GetParam().failing)
            if (call.member == member)
                throw AutomationError(number, member);
    };
    std::optional<StagedPage> page;
    const auto convert = [&] { page = ConvertDocument(document, AsHtml); };
    if (GetParam().error)
        EXPECT_EQ(ErrorOf(convert).number(), GetParam().error);
    else
        EXPECT_NO_THROW(convert());
    EXPECT_EQ(word.openedIn(1), document);
    EXPECT_EQ(savedPlace(word, root.path()), GetParam().page);
    EXPECT_EQ(word.members().join(' '),
              GetParam().page.isEmpty() ? "Documents Open Quit" : "Documents Open SaveAs Quit");
    EXPECT_EQ(page ? page->place() : QString(), GetParam().error ? QString() : root.filePath(GetParam().page));
    page.reset();
    EXPECT_EQ(QDir(QFileInfo(document).path()).entryList(QDir::Hidden | QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList())
        << "nothing left beside the document";
}

INSTANTIATE_TEST_SUITE_P(
    ConvertDocument, ConvertDocumentRow,
    ::testing::Values(Conversion{"Docx", "docs/Report.docx", "docs/Report.htm", {}, 0},
                      Conversion{"SeveralDots", "docs/Report.final.doc", "docs/Report.final.htm", {}, 0},
                      Conversion{"DotInFolder", "Old.doc/Report.doc", "Old.doc/Report.htm", {}, 0},
                      Conversion{"NoDot", "docs/Readme", "docs/Readme.htm", {}, 0},
                      Conversion{"EndsInDot", "docs/Report.", "docs/Report.htm", {}, 0},
                      Conversion{"DotOnlyInAnHtmFolder", "docs/site.htm/Readme", "docs/site.htm/Readme.htm", {}, 0},
                      Conversion{"Htm", "docs/Page.htm", {}, {}, AutomationErrorNumber::WouldOverwriteSource},
                      Conversion{"Html", "docs/Page.html", "docs/Page.htm", {}, 0},
                      Conversion{"HtmInCapitals", "docs/Page.HTM", "docs/Page.htm", {}, 0},
                      Conversion{"OpenFails", "docs/Report.doc", {}, {{"Open", 5408}}, 5408},
                      Conversion{"SaveAsFails", "docs/Report.doc", "docs/Report.htm", {{"SaveAs", 5153}}, 5153},
                      Conversion{"OpenAndQuitFail", "docs/Report.doc", {}, {{"Open", 5408}, {"Quit", 462}}, 5408},
                      Conversion{"QuitFails", "docs/Report.doc", "docs/Report.htm", {{"Quit", 462}}, 462}),
    RowName);

// The page is saved in the format given; with none, the document is opened and the instance
// quit, but nothing is saved. Booleans go as Word takes them: true as -1, false as 0.
TEST(ConvertDocument, SavesInTheFormatGivenTrueAsMinusOne)
{
    const QTemporaryDir folder;
    FakeWord word;
    const auto formatSaved = [&](std::optional<std::int32_t> format) {
        word.clear();
        ConvertDocument(folder.filePath("a.doc"), format);
        return saved(word, "FileFormat");
    };
    EXPECT_EQ(formatSaved(WordSaveFormat::FilteredHtml), Variant(10));
    EXPECT_EQ(saved(word, "AddToRecentFiles").toInt(), -1);
    EXPECT_EQ(saved(word, "ReadOnlyRecommended").toInt(), 0);
    EXPECT_EQ(formatSaved(WordSaveFormat::Html), Variant(8));
    EXPECT_EQ(formatSaved(std::nullopt), Variant());
    EXPECT_EQ(word.members().join(' '), "Documents Open Quit");
}

TEST(ConvertDocument, WithoutAWordClassNothingIsOpened)
{
    EXPECT_EQ(ErrorOf([] { ConvertDocument("/docs/Report.doc", AsHtml); }).number(),
              AutomationErrorNumber::ClassNotRegistered);
}
