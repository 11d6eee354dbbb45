// One document through its own Word instance: the calls and their arguments, the output path,
// the format from the option buttons, and Quit on every path.

#include "ConvertDocument.h"
#include "FakeWord.h"

#include <map>
#include <tuple>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace {

const SaveFormatChoice AsHtml = [] { return std::optional<std::int32_t>(WordSaveFormat::Html); };

int errorNumberOf(const QString &path)
{
    try {
        ConvertDocument(path, AsHtml);
    } catch (const AutomationError &error) {
        return error.number();
    }
    return 0;
}

NamedArguments saveAsArguments(const QString &fileName, std::int32_t format)
{
    return {{"FileName", fileName},
            {"FileFormat", format},
            {"LockComments", Variant::fromBool(false)},
            {"Password", QString()},
            {"AddToRecentFiles", Variant::fromBool(true)},
            {"WritePassword", QString()},
            {"ReadOnlyRecommended", Variant::fromBool(false)},
            {"EmbedTrueTypeFonts", Variant::fromBool(false)},
            {"SaveNativePictureFormat", Variant::fromBool(false)},
            {"SaveFormsData", Variant::fromBool(false)},
            {"SaveAsAOCELetter", Variant::fromBool(false)}};
}

} // namespace

TEST(ConvertDocument, OpensThePathAsListedSavesItBesideWithElevenNamedArgumentsAndQuitsLast)
{
    // An empty output: the document already is HTML, so it is opened and quit but never saved.
    const std::vector<std::pair<QString, QString>> cases{
        {"/docs/Report.doc", "/docs/Report.htm"},
        {"/docs/Report.docx", "/docs/Report.htm"},
        {"/docs/Report.DOC", "/docs/Report.htm"},
        {"/docs/Report.final.doc", "/docs/Report.final.htm"},
        {"/Old.doc/Report.doc", "/Old.doc/Report.htm"},
        {"/docs/Readme", "/docs/Readme.htm"},
        {"/docs/Report.", "/docs/Report.htm"},
        {"/docs/Archive.old/Readme", "/docs/Archive.old/Readme.htm"},
        {"/docs/site.htm/Readme", "/docs/site.htm/Readme.htm"},
        {"/docs/Page.htm", ""},
        {"/docs/Page.HTML", ""},
        {"/docs/Page.Html", ""},
    };
    for (const auto &[path, output] : cases) {
        SCOPED_TRACE(path.toStdString());
        FakeWord word;
        const int error = errorNumberOf(path);
        EXPECT_EQ(word.instancesCreated, 1);
        const std::vector<WordCall> calls = word.calls();
        ASSERT_GE(calls.size(), 3u);
        EXPECT_EQ(calls[1].positional, PositionalArguments{path});
        EXPECT_TRUE(calls[1].named.empty());
        EXPECT_TRUE(calls.back().positional.empty() && calls.back().named.empty());
        if (output.isEmpty()) {
            EXPECT_EQ(error, AutomationErrorNumber::WouldOverwriteSource);
            EXPECT_THAT(word.members(), ElementsAre("Documents", "Open", "Quit"));
            continue;
        }
        EXPECT_EQ(error, 0);
        ASSERT_THAT(word.members(), ElementsAre("Documents", "Open", "SaveAs", "Quit"));
        EXPECT_TRUE(calls[2].positional.empty());
        EXPECT_EQ(calls[2].named, saveAsArguments(output, 8));
        // Automation booleans: True travels as -1, False as 0.
        EXPECT_EQ(calls[2].named[4].second.toInt(), -1);
        EXPECT_EQ(calls[2].named[2].second.toInt(), 0);
    }
}

TEST(ConvertDocument, SavesInTheFormatChosenAtTheMomentOfTheSave)
{
    FakeWord word;
    std::optional<std::int32_t> chosen = WordSaveFormat::Html;
    const auto savedWith = [&](const QString &path) {
        word.clear();
        ConvertDocument(path, [&chosen] { return chosen; });
        return word.members() == QStringList{"Documents", "Open", "SaveAs", "Quit"} ? word.calls()[2].named
                                                                                    : NamedArguments();
    };

    EXPECT_EQ(savedWith("/docs/a.doc"), saveAsArguments("/docs/a.htm", 8));
    chosen = WordSaveFormat::FilteredHtml;
    EXPECT_EQ(savedWith("/docs/b.doc"), saveAsArguments("/docs/b.htm", 10));

    // Changed while the document is being opened: the save follows the change.
    chosen = WordSaveFormat::Html;
    word.onCall = [&](const WordCall &call) {
        if (call.member == QLatin1String("Open"))
            chosen = WordSaveFormat::FilteredHtml;
    };
    EXPECT_EQ(savedWith("/docs/c.doc"), saveAsArguments("/docs/c.htm", 10));

    // None chosen: the document is opened and the instance quit, but nothing is saved.
    word.onCall = nullptr;
    chosen.reset();
    EXPECT_EQ(savedWith("/docs/d.doc"), NamedArguments());
    EXPECT_THAT(word.members(), ElementsAre("Documents", "Open", "Quit"));
}

TEST(ConvertDocument, AFailureQuitsTheInstanceAndPassesTheFirstFailureOn)
{
    EXPECT_EQ(errorNumberOf("/docs/Report.doc"), AutomationErrorNumber::ClassNotRegistered);

    // Open failing: a password; SaveAs: a full disk; Quit: the office gone.
    const std::map<QString, int> errors{{"Open", 5408}, {"SaveAs", 5153}, {"Quit", 462}};
    const std::vector<std::tuple<QStringList, int, QStringList>> cases{
        {{"Open"}, 5408, {"Documents", "Open", "Quit"}},
        {{"SaveAs"}, 5153, {"Documents", "Open", "SaveAs", "Quit"}},
        {{"Open", "Quit"}, 5408, {"Documents", "Open", "Quit"}},
        {{"Quit"}, 462, {"Documents", "Open", "SaveAs", "Quit"}},
    };
    for (const auto &[failing, reported, members] : cases) {
        SCOPED_TRACE(failing.join(',').toStdString());
        FakeWord word;
        word.onCall = [&errors, &failing = failing](const WordCall &call) {
            if (failing.contains(call.member))
                throw AutomationError(errors.at(call.member), call.member + QStringLiteral(" failed."));
        };
        EXPECT_EQ(errorNumberOf("/docs/Report.doc"), reported);
        EXPECT_EQ(word.members(), members);
    }
}
