// The run behind "Convert to HTML": order, one instance per document, the bar, the busy pointer,
// the closing messages, the warning about a running Word, and a failure that ends the run.

#include "ConversionRun.h"
#include "FakeList.h"
#include "FakePlatform.h"
#include "FakeWord.h"
#include "RunProgress.h"
#include "RunningObjects.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

const QString WarningText = QStringLiteral("Word may be open. It is recommended that you close Word first.\n\n"
                                           "Would you like to proceed anyway?");

// Fake dialogs that also note the pointer and the bar while each message is up.
class WatchingDialogs : public FakeDialogs {
public:
    WatchingDialogs(const FakePointer &pointer, const int &bar)
        : pointer(pointer)
        , bar(bar)
    {
    }
    std::vector<std::pair<int, int>> pointerAndBar;
    void information(QWidget *owner, const QString &text) override { note(), FakeDialogs::information(owner, text); }
    bool askYesNo(QWidget *owner, const QString &text) override { return note(), FakeDialogs::askYesNo(owner, text); }

private:
    void note() { pointerAndBar.emplace_back(pointer.state, bar); }
    const FakePointer &pointer;
    const int &bar;
};

class ConversionRunTest : public ::testing::Test {
protected:
    void convert(const QStringList &paths)
    {
        list.paths << paths;
        run.run();
    }
    void expectRunOver() const
    {
        EXPECT_EQ(bar, 0);
        EXPECT_EQ(pointer.state, 0);
    }

    FakePointer pointer;
    int bar = 0;
    WatchingDialogs dialogs{pointer, bar};
    FakeDocumentList list;
    ConversionRun run{dialogs,
                      nullptr,
                      pointer,
                      list,
                      [] { return std::optional<std::int32_t>(WordSaveFormat::Html); },
                      [this](float value) { bar = qRound(value); }};
    FakeWord word;
};

} // namespace

TEST_F(ConversionRunTest, WithAnEmptyListSaysSoAndContactsNoWord)
{
    auto running = std::make_shared<RunningWord>(QStringLiteral("Microsoft Word"));
    RunningObjectRegistration registration(QStringLiteral("Word.Application"), running);
    const int readsAtRegistration = running->defaultMemberReads;
    convert({});

    EXPECT_THAT(dialogs.messages(), ElementsAre("No files added."));
    EXPECT_EQ(dialogs.pointerAndBar.front().first, 11);
    EXPECT_EQ(word.instancesCreated, 0);
    EXPECT_EQ(running->defaultMemberReads, readsAtRegistration);
    expectRunOver();
}

TEST_F(ConversionRunTest, ConvertsInListOrderWithAnInstanceEachTheBarCountingEachBeforeItStarts)
{
    std::vector<int> barAtStart;
    std::vector<int> pointerDuringCalls;
    word.onCall = [&](const WordCall &call) {
        pointerDuringCalls.push_back(pointer.state);
        if (call.member == QLatin1String("Documents"))
            barAtStart.push_back(bar);
    };
    convert({"/docs/one.doc", "/docs/two.docx", "/docs/three.rtf"});

    EXPECT_EQ(word.instancesCreated, 3);
    for (int instance = 1; instance <= 3; ++instance)
        EXPECT_THAT(word.members(instance), ElementsAre("Documents", "Open", "SaveAs", "Quit")) << instance;
    EXPECT_EQ(word.openedPaths(), (QStringList{"/docs/one.doc", "/docs/two.docx", "/docs/three.rtf"}));
    EXPECT_THAT(barAtStart, ElementsAre(33, 67, 100)); // shown rounded from these
    EXPECT_THAT((std::vector{RunProgress(1, 3), RunProgress(2, 3), RunProgress(3, 3)}),
                ElementsAre(33.333332f, 66.666664f, 100.0f));
    EXPECT_EQ(pointerDuringCalls, std::vector<int>(word.calls.size(), 11));
    // "Done." is shown with the bar still full and the busy pointer; both reset afterwards.
    EXPECT_THAT(dialogs.messages(), ElementsAre("Done."));
    EXPECT_THAT(dialogs.pointerAndBar, ElementsAre(std::pair(11, 100)));
    expectRunOver();
    EXPECT_EQ(list.count(), 3);
}

TEST_F(ConversionRunTest, AFailureEndsTheRunAtItsDocumentAndSaysWhatWasNotConverted)
{
    word.onCall = [](const WordCall &call) {
        if (call.instance == 2 && call.member == QLatin1String("Open"))
            throw AutomationError(5408, "The document needs a password.");
    };
    convert({"/docs/one.doc", "/docs/secret.doc", "/docs/three.doc", "/docs/four.doc"});

    EXPECT_EQ(word.instancesCreated, 2);
    EXPECT_EQ(word.openedPaths(), (QStringList{"/docs/one.doc", "/docs/secret.doc"}));
    EXPECT_EQ(word.members(2).last(), "Quit");
    ASSERT_EQ(dialogs.messages().size(), 1);
    const std::string message = dialogs.messages().front().toStdString();
    EXPECT_THAT(message, HasSubstr("/docs/secret.doc"));
    EXPECT_THAT(message, HasSubstr("5408"));
    EXPECT_THAT(message, HasSubstr("The document needs a password."));
    EXPECT_THAT(message, HasSubstr("The 2 documents after it were not converted."));
    expectRunOver();
}

TEST_F(ConversionRunTest, WordFoundRunningIsAskedAboutOnceNoCancelsAndYesConvertsAll)
{
    auto running = std::make_shared<RunningWord>(QStringLiteral("Microsoft Word"));
    RunningObjectRegistration registration(QStringLiteral("Word.Application"), running);
    dialogs.yesNoAnswers = {false, true};

    convert({"/docs/one.doc", "/docs/two.doc", "/docs/three.doc"});
    EXPECT_THAT(dialogs.messages(), ElementsAre(WarningText));
    EXPECT_EQ(dialogs.shown.front().kind, "askYesNo");
    EXPECT_EQ(dialogs.pointerAndBar.front().first, 11);
    EXPECT_EQ(word.instancesCreated, 0);
    expectRunOver();

    run.run();
    EXPECT_THAT(dialogs.messages(), ElementsAre(WarningText, WarningText, "Done."));
    EXPECT_EQ(word.instancesCreated, 3);
    EXPECT_TRUE(running->membersCalled.isEmpty());
}

TEST_F(ConversionRunTest, AnInstanceNotReadingExactlyMicrosoftWordIsNotAskedAbout)
{
    list.paths = QStringList{"/docs/one.doc"};
    const std::vector<std::optional<Variant>> names{Variant("Microsoft Word "), Variant("MICROSOFT WORD"), Variant(""),
                                                    Variant(), std::nullopt};
    for (const std::optional<Variant> &name : names) {
        auto running = std::make_shared<RunningWord>(name);
        RunningObjectRegistration registration(QStringLiteral("Word.Application"), running);
        const int readsAtRegistration = running->defaultMemberReads;
        run.run();
        EXPECT_GT(running->defaultMemberReads, readsAtRegistration);
    }
    EXPECT_EQ(dialogs.messages(), QStringList(names.size(), QStringLiteral("Done.")));
    EXPECT_EQ(word.instancesCreated, static_cast<int>(names.size()));
}
