// One document through its own Word instance: the calls and their arguments, the page's path,
// the format chosen at the moment of the save, and Quit on every path.

#include "ConvertDocument.h"
#include "FakeWord.h"
#include "Rows.h"

#include <QHash>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace {

const SaveFormatChoice AsHtml = [] { return std::optional<std::int32_t>(WordSaveFormat::Html); };

int errorNumberOf(const QString &path, const SaveFormatChoice &format = AsHtml)
{
    try {
        ConvertDocument(path, format);
    } catch (const AutomationError &error) {
        return error.number();
    }
    return 0;
}

// The SaveAs call's arguments by name.
QHash<QString, Variant> savedWith(const FakeWord &word)
{
    QHash<QString, Variant> arguments;
    for (const WordCall &call : word.calls())
        for (const auto &[name, value] : call.member == QLatin1String("SaveAs") ? call.named : NamedArguments())
            arguments.insert(name, value);
    return arguments;
}

} // namespace

// The page goes beside the document, the extension after the last dot replaced by ".htm"; a
// document that already is a page is opened and quit, but never saved over itself.
struct PagePath {
    const char *name;
    const char *document;
    const char *page; // empty: refused
    friend void PrintTo(const PagePath &row, std::ostream *out) { *out << row.name; }
};

class ConvertDocumentPage : public ::testing::TestWithParam<PagePath> {};

TEST_P(ConvertDocumentPage, IsSavedBesideTheDocumentOpenedAsListed)
{
    FakeWord word;
    const int error = errorNumberOf(QString::fromUtf8(GetParam().document));
    EXPECT_EQ(word.openedPaths(), QStringList{QString::fromUtf8(GetParam().document)});
    if (*GetParam().page) {
        EXPECT_EQ(error, 0);
        EXPECT_THAT(word.members(), ElementsAre("Documents", "Open", "SaveAs", "Quit"));
        EXPECT_EQ(savedWith(word).value("FileName"), Variant(QString::fromUtf8(GetParam().page)));
    } else {
        EXPECT_EQ(error, AutomationErrorNumber::WouldOverwriteSource);
        EXPECT_THAT(word.members(), ElementsAre("Documents", "Open", "Quit"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    ConvertDocument, ConvertDocumentPage,
    ::testing::Values(PagePath{"Doc", "/docs/Report.doc", "/docs/Report.htm"},
                      PagePath{"Docx", "/docs/Report.docx", "/docs/Report.htm"},
                      PagePath{"UpperCase", "/docs/Report.DOC", "/docs/Report.htm"},
                      PagePath{"SeveralDots", "/docs/Report.final.doc", "/docs/Report.final.htm"},
                      PagePath{"DotInFolder", "/Old.doc/Report.doc", "/Old.doc/Report.htm"},
                      PagePath{"NoDot", "/docs/Readme", "/docs/Readme.htm"},
                      PagePath{"EndsInDot", "/docs/Report.", "/docs/Report.htm"},
                      PagePath{"NoDotInFileName", "/docs/Archive.old/Readme", "/docs/Archive.old/Readme.htm"},
                      PagePath{"HtmFolder", "/docs/site.htm/Readme", "/docs/site.htm/Readme.htm"},
                      PagePath{"Htm", "/docs/Page.htm", ""}, PagePath{"Html", "/docs/Page.HTML", ""}),
    RowName);

TEST(ConvertDocument, SavesWithTheElevenNamedArgumentsBooleansAsMinusOneAndZero)
{
    FakeWord word;
    ConvertDocument("/docs/a.doc", AsHtml);
    const QHash<QString, Variant> expected{{"FileName", "/docs/a.htm"},
                                           {"FileFormat", 8},
                                           {"LockComments", Variant::fromBool(false)},
                                           {"Password", ""},
                                           {"AddToRecentFiles", Variant::fromBool(true)},
                                           {"WritePassword", ""},
                                           {"ReadOnlyRecommended", Variant::fromBool(false)},
                                           {"EmbedTrueTypeFonts", Variant::fromBool(false)},
                                           {"SaveNativePictureFormat", Variant::fromBool(false)},
                                           {"SaveFormsData", Variant::fromBool(false)},
                                           {"SaveAsAOCELetter", Variant::fromBool(false)}};
    EXPECT_EQ(savedWith(word), expected);
    EXPECT_EQ(savedWith(word).value("AddToRecentFiles").toInt(), -1);
}

TEST(ConvertDocument, SavesInTheFormatChosenAtTheMomentOfTheSave)
{
    FakeWord word;
    std::optional<std::int32_t> chosen = WordSaveFormat::FilteredHtml;
    const auto formatSaved = [&] {
        word.clear();
        ConvertDocument("/docs/a.doc", [&chosen] { return chosen; });
        return savedWith(word).value("FileFormat", Variant(0)).toInt();
    };
    EXPECT_EQ(formatSaved(), 10);
    // Changed while the document is being opened: the save follows the change.
    word.onCall = [&](const WordCall &call) {
        if (call.member == QLatin1String("Open"))
            chosen = WordSaveFormat::Html;
    };
    EXPECT_EQ(formatSaved(), 8);
    // None chosen: the document is opened and the instance quit, but nothing is saved.
    word.onCall = [&](const WordCall &) { chosen.reset(); };
    EXPECT_EQ(formatSaved(), 0);
    EXPECT_THAT(word.members(), ElementsAre("Documents", "Open", "Quit"));
}

// A failing call ends the conversion there; the instance is still quit, and a failure of that
// Quit never hides the first failure.
struct FailingCalls {
    const char *name;
    QStringList failing;
    int reported;
    QStringList members;
    friend void PrintTo(const FailingCalls &row, std::ostream *out) { *out << row.name; }
};

class ConvertDocumentFailure : public ::testing::TestWithParam<FailingCalls> {};

TEST_P(ConvertDocumentFailure, QuitsTheInstanceAndPassesTheFirstFailureOn)
{
    const QHash<QString, int> errors{{"Open", 5408}, {"SaveAs", 5153}, {"Quit", 462}};
    FakeWord word;
    word.onCall = [&errors](const WordCall &call) {
        if (GetParam().failing.contains(call.member))
            throw AutomationError(errors.value(call.member), call.member);
    };
    EXPECT_EQ(errorNumberOf("/docs/Report.doc"), GetParam().reported);
    EXPECT_EQ(word.members(), GetParam().members);
}

INSTANTIATE_TEST_SUITE_P(
    ConvertDocument, ConvertDocumentFailure,
    ::testing::Values(FailingCalls{"Open", {"Open"}, 5408, {"Documents", "Open", "Quit"}},
                      FailingCalls{"SaveAs", {"SaveAs"}, 5153, {"Documents", "Open", "SaveAs", "Quit"}},
                      FailingCalls{"OpenAndQuit", {"Open", "Quit"}, 5408, {"Documents", "Open", "Quit"}},
                      FailingCalls{"Quit", {"Quit"}, 462, {"Documents", "Open", "SaveAs", "Quit"}}),
    RowName);

TEST(ConvertDocument, WithoutAWordClassNothingIsOpened)
{
    EXPECT_EQ(errorNumberOf("/docs/Report.doc"), AutomationErrorNumber::ClassNotRegistered);
}
