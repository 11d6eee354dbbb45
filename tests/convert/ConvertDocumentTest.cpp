// One document through its own Word instance: the calls, their arguments, the output path,
// the format chosen by the option buttons, and the end of the instance on every path.

#include "FakeWord.h"
#include "support/FakePlatform.h"

#include "convert/ConvertDocument.h"
#include "main/Form1.h"

#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace {

SaveFormatChoice flavour(std::optional<std::int32_t> format)
{
    return [format] { return format; };
}

QString savedFileName(const FakeWord &word)
{
    const auto saveAs = word.lastCallTo(QStringLiteral("SaveAs"));
    if (!saveAs)
        return {};
    for (const auto &[name, value] : saveAs->named)
        if (name == QLatin1String("FileName"))
            return value.toText();
    return {};
}

int errorNumberOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const AutomationError &error) {
        return error.number();
    }
    return 0;
}

} // namespace

TEST(ConvertDocument, OpensSavesAsHtmlWithAllElevenNamedArgumentsAndQuitsLast)
{
    FakeWord word;
    ConvertDocument(QStringLiteral("/docs/Report.doc"), flavour(WordSaveFormat::Html));

    EXPECT_EQ(word.instancesCreated, 1);
    EXPECT_THAT(word.members(), ElementsAre("Documents", "Open", "SaveAs", "Quit"));
    const WordCall &open = word.calls.at(1);
    ASSERT_EQ(open.positional.size(), 1u);
    EXPECT_EQ(open.positional.front(), Variant(QStringLiteral("/docs/Report.doc")));
    EXPECT_TRUE(open.named.empty());

    const WordCall &saveAs = word.calls.at(2);
    EXPECT_TRUE(saveAs.positional.empty());
    const NamedArguments expected{
        {"FileName", QStringLiteral("/docs/Report.htm")},
        {"FileFormat", std::int32_t{8}},
        {"LockComments", Variant::fromBool(false)},
        {"Password", QString()},
        {"AddToRecentFiles", Variant::fromBool(true)},
        {"WritePassword", QString()},
        {"ReadOnlyRecommended", Variant::fromBool(false)},
        {"EmbedTrueTypeFonts", Variant::fromBool(false)},
        {"SaveNativePictureFormat", Variant::fromBool(false)},
        {"SaveFormsData", Variant::fromBool(false)},
        {"SaveAsAOCELetter", Variant::fromBool(false)},
    };
    ASSERT_EQ(saveAs.named.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(saveAs.named[i].first, expected[i].first);
        EXPECT_EQ(saveAs.named[i].second, expected[i].second) << saveAs.named[i].first.toStdString() << " is "
                                                              << saveAs.named[i].second.describe().toStdString();
    }
    // Automation booleans: True travels as -1, False as 0.
    EXPECT_EQ(saveAs.named[4].second.toInt(), -1);
    EXPECT_EQ(saveAs.named[2].second.toInt(), 0);
    EXPECT_TRUE(word.calls.at(3).positional.empty() && word.calls.at(3).named.empty());
}

TEST(ConvertDocument, ReplacesOnlyTheFileNamesExtensionAndOpensThePathAsListed)
{
    const std::vector<std::pair<QString, QString>> cases{
        {"/docs/Report.doc", "/docs/Report.htm"},
        {"/docs/Report.docx", "/docs/Report.htm"},
        {"/docs/Report.DOC", "/docs/Report.htm"},
        {"/docs/Report.final.doc", "/docs/Report.final.htm"},
        {"/Old.doc/Report.doc", "/Old.doc/Report.htm"},
        {"/docs/Readme", "/docs/Readme.htm"},
        {"/docs/Report.", "/docs/Report.htm"},
        // A dot only in a folder name: the output stays inside that folder.
        {"/docs/Archive.old/Readme", "/docs/Archive.old/Readme.htm"},
        {"/docs/site.htm/Readme", "/docs/site.htm/Readme.htm"},
    };
    for (const auto &[path, output] : cases) {
        FakeWord word;
        ConvertDocument(path, flavour(WordSaveFormat::Html));
        EXPECT_EQ(word.openedPaths(), QStringList{path});
        EXPECT_EQ(savedFileName(word), output) << path.toStdString();
    }
}

TEST(ConvertDocument, RefusesAnHtmlDocumentWithoutWritingAndStillQuits)
{
    QTemporaryDir dir;
    for (const QString name : {"Page.htm", "Page.HTM", "Page.Html"}) {
        const QString path = dir.filePath(name);
        QFile source(path);
        ASSERT_TRUE(source.open(QIODevice::WriteOnly));
        source.write("<p>the user's own page</p>");
        source.close();

        FakeWord word;
        EXPECT_EQ(errorNumberOf([&] { ConvertDocument(path, flavour(WordSaveFormat::Html)); }),
                  AutomationErrorNumber::WouldOverwriteSource);
        EXPECT_THAT(word.members(), ElementsAre("Documents", "Open", "Quit"));
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        EXPECT_EQ(source.readAll(), "<p>the user's own page</p>");
        source.close();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);
}

TEST(ConvertDocument, SavesInTheFormatOfTheOptionButtonSetAtTheMomentOfTheSave)
{
    FakePlatform platform;
    Form1 form(platform.bundle());
    FakeWord word;
    const auto savedFormat = [&] { return word.lastCallTo(QStringLiteral("SaveAs"))->named.at(1).second; };

    form.Option1->setChecked(true);
    ConvertDocument(form, QStringLiteral("/docs/a.doc"));
    EXPECT_EQ(savedFormat(), Variant(std::int32_t{8}));

    form.Option2->setChecked(true);
    ConvertDocument(form, QStringLiteral("/docs/b.doc"));
    EXPECT_EQ(savedFormat(), Variant(std::int32_t{10}));

    // Changed while the document is being opened: the save follows the change.
    form.Option1->setChecked(true);
    word.onCall = [&](const WordCall &call) {
        if (call.member == QLatin1String("Open"))
            form.Option2->setChecked(true);
    };
    ConvertDocument(form, QStringLiteral("/docs/c.doc"));
    EXPECT_EQ(savedFormat(), Variant(std::int32_t{10}));
}

TEST(ConvertDocument, WithNeitherFlavourSetOpensAndQuitsButSavesNothing)
{
    FakePlatform platform;
    Form1 form(platform.bundle());
    form.Option1->setAutoExclusive(false);
    form.Option2->setAutoExclusive(false);
    form.Option1->setChecked(false);
    form.Option2->setChecked(false);
    FakeWord word;

    ConvertDocument(form, QStringLiteral("/docs/Report.doc"));
    EXPECT_THAT(word.members(), ElementsAre("Documents", "Open", "Quit"));
}

TEST(ConvertDocument, AFailureQuitsTheInstanceAndPassesTheFailureOn)
{
    const AutomationError password(AutomationErrorNumber::PasswordProtected, "The document needs a password.");
    {
        FakeWord word;
        word.failOn("Open", password);
        EXPECT_EQ(errorNumberOf([] { ConvertDocument("/docs/Secret.doc", flavour(WordSaveFormat::Html)); }), 5408);
        EXPECT_THAT(word.members(), ElementsAre("Documents", "Open", "Quit"));
    }
    {
        FakeWord word;
        word.failOn("SaveAs", AutomationError(AutomationErrorNumber::SaveFailed, "The disk is full."));
        EXPECT_EQ(errorNumberOf([] { ConvertDocument("/docs/Report.doc", flavour(WordSaveFormat::Html)); }), 5153);
        EXPECT_THAT(word.members(), ElementsAre("Documents", "Open", "SaveAs", "Quit"));
    }
    {
        // Quit failing as well: the failure that came first is the one reported.
        FakeWord word;
        word.failOn("Open", password);
        word.failOn("Quit", AutomationError(AutomationErrorNumber::EngineGone, "The office is gone."));
        EXPECT_EQ(errorNumberOf([] { ConvertDocument("/docs/Secret.doc", flavour(WordSaveFormat::Html)); }), 5408);
        EXPECT_EQ(word.members().last(), "Quit");
    }
    {
        // Quit failing on its own is a failure too.
        FakeWord word;
        word.failOn("Quit", AutomationError(AutomationErrorNumber::EngineGone, "The office is gone."));
        EXPECT_EQ(errorNumberOf([] { ConvertDocument("/docs/Report.doc", flavour(WordSaveFormat::Html)); }), 462);
    }
}

TEST(ConvertDocument, FailsWhenWordCannotBeCreated)
{
    EXPECT_EQ(errorNumberOf([] { ConvertDocument("/docs/Report.doc", flavour(WordSaveFormat::Html)); }),
              AutomationErrorNumber::ClassNotRegistered);
}
