// The run behind "Convert to HTML": order, one instance per document, the bar, the busy pointer,
// the closing messages, the warning, and a failure that ends the run.

#include "FakeWord.h"
#include "support/FakePlatform.h"

#include "convert/RunProgress.h"
#include "convert/automation/RunningObjects.h"
#include "main/Form1.h"

#include <QProgressBar>
#include <QToolButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

const QString WarningText = QStringLiteral("Word may be open. It is recommended that you close Word first.\n\n"
                                           "Would you like to proceed anyway?");

// What the window showed while a dialog was up.
struct SeenAtDialog {
    QString text;
    int pointer;
    int bar;
};

// Fake dialogs that also note the pointer and the bar while each message is shown.
class WatchingDialogs : public FakeDialogs {
public:
    Form1 *form = nullptr;
    std::vector<SeenAtDialog> seen;
    void information(QWidget *owner, const QString &text) override
    {
        note(text);
        FakeDialogs::information(owner, text);
    }
    bool askYesNo(QWidget *owner, const QString &text) override
    {
        note(text);
        return FakeDialogs::askYesNo(owner, text);
    }

private:
    void note(const QString &text) { seen.push_back({text, form->MousePointer(), form->ProgressBar1->value()}); }
};

class ConversionRun : public ::testing::Test {
protected:
    ConversionRun() : form(Platform{dialogs, fakes.shell, fakes.random, fakes.screen}) { dialogs.form = &form; }

    void addDocuments(const QStringList &paths)
    {
        for (const QString &path : paths)
            form.AddDocumentPath(path);
    }
    void clickConvert() { form.Check2->click(); }
    std::optional<std::string> failureText() const
    {
        for (const SeenAtDialog &dialog : dialogs.seen)
            if (dialog.text.contains(QLatin1String("could not be converted")))
                return dialog.text.toStdString();
        return std::nullopt;
    }

    FakePlatform fakes;
    WatchingDialogs dialogs;
    Form1 form;
    FakeWord word;
};

} // namespace

TEST_F(ConversionRun, WithAnEmptyListSaysSoAndContactsNoWord)
{
    auto running = std::make_shared<RunningWord>(QStringLiteral("Microsoft Word"));
    RunningObjectRegistration registration(QStringLiteral("Word.Application"), running);
    const int readsAtRegistration = running->defaultMemberReads;

    clickConvert();

    EXPECT_THAT(dialogs.messages(), ElementsAre("No files added."));
    EXPECT_EQ(dialogs.seen.front().pointer, 11);
    EXPECT_EQ(word.instancesCreated, 0);
    EXPECT_EQ(running->defaultMemberReads, readsAtRegistration);
    EXPECT_EQ(form.ProgressBar1->value(), 0);
    EXPECT_EQ(form.MousePointer(), 0);
}

TEST_F(ConversionRun, ConvertsEveryEntryInListOrderEachWithItsOwnInstance)
{
    addDocuments({"/docs/one.doc", "/docs/two.docx", "/docs/three.rtf"});
    clickConvert();

    EXPECT_EQ(word.instancesCreated, 3);
    for (int instance = 1; instance <= 3; ++instance)
        EXPECT_THAT(word.members(instance), ElementsAre("Documents", "Open", "SaveAs", "Quit")) << instance;
    EXPECT_EQ(word.openedPaths(), (QStringList{"/docs/one.doc", "/docs/two.docx", "/docs/three.rtf"}));
    EXPECT_THAT(dialogs.messages(), ElementsAre("Done."));
    EXPECT_FALSE(form.Check2->isChecked());
    EXPECT_EQ(form.ListCount(), 3);
}

TEST_F(ConversionRun, TheBarCountsEachDocumentBeforeItStartsUnderTheBusyPointer)
{
    std::vector<int> barAtOpen;
    std::vector<int> pointerDuringCalls;
    word.onCall = [&](const WordCall &call) {
        pointerDuringCalls.push_back(form.MousePointer());
        if (call.member == QLatin1String("Documents"))
            barAtOpen.push_back(form.ProgressBar1->value());
    };
    addDocuments({"/docs/one.doc", "/docs/two.doc", "/docs/three.doc"});
    clickConvert();

    EXPECT_THAT(barAtOpen, ElementsAre(33, 67, 100));
    EXPECT_EQ(pointerDuringCalls, std::vector<int>(word.calls.size(), 11));
    // "Done." is shown with the bar still full and the busy pointer; both reset afterwards.
    ASSERT_EQ(dialogs.seen.size(), 1u);
    EXPECT_EQ(dialogs.seen.front().bar, 100);
    EXPECT_EQ(dialogs.seen.front().pointer, 11);
    EXPECT_EQ(form.ProgressBar1->value(), 0);
    EXPECT_EQ(form.MousePointer(), 0);
}

TEST(RunProgress, IsThePositionsShareInSinglePrecision)
{
    EXPECT_EQ(RunProgress(1, 3), 33.333332f);
    EXPECT_EQ(RunProgress(2, 3), 66.666664f);
    EXPECT_EQ(RunProgress(3, 3), 100.0f);
    EXPECT_EQ(RunProgress(1, 1), 100.0f);
}

TEST_F(ConversionRun, TheHandlerDoesNothingWhileTheButtonIsUp)
{
    addDocuments({"/docs/one.doc"});
    form.Check2_Click();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(word.instancesCreated, 0);
}

TEST_F(ConversionRun, AFailureEndsTheRunAtItsDocumentAndSaysWhatWasNotConverted)
{
    word.failOn("Open", AutomationError(5408, "The document needs a password."), "/docs/secret.doc");
    addDocuments({"/docs/one.doc", "/docs/secret.doc", "/docs/three.doc", "/docs/four.doc"});
    clickConvert();

    EXPECT_EQ(word.instancesCreated, 2);
    EXPECT_EQ(word.openedPaths(), (QStringList{"/docs/one.doc", "/docs/secret.doc"}));
    EXPECT_EQ(word.members(2).last(), "Quit");
    ASSERT_EQ(dialogs.seen.size(), 1u);
    const std::string message = dialogs.seen.front().text.toStdString();
    EXPECT_THAT(message, HasSubstr("/docs/secret.doc"));
    EXPECT_THAT(message, HasSubstr("5408"));
    EXPECT_THAT(message, HasSubstr("The document needs a password."));
    EXPECT_THAT(message, HasSubstr("The 2 documents after it were not converted."));
    EXPECT_EQ(form.ProgressBar1->value(), 0);
    EXPECT_EQ(form.MousePointer(), 0);
    EXPECT_FALSE(form.Check2->isChecked());
}

TEST_F(ConversionRun, AFailureAtTheLastDocumentNamesNoLaterOnes)
{
    word.failOn("SaveAs", AutomationError(5153, "The disk is full."), "/docs/two.doc");
    addDocuments({"/docs/one.doc", "/docs/two.doc"});
    clickConvert();

    ASSERT_TRUE(failureText());
    EXPECT_THAT(*failureText(), HasSubstr("/docs/two.doc"));
    EXPECT_THAT(*failureText(), ::testing::Not(HasSubstr("after it")));
    EXPECT_THAT(dialogs.messages(), ::testing::Not(::testing::Contains("Done.")));
}

TEST_F(ConversionRun, WordFoundRunningAndAnswerNoCancelsWithoutAnotherMessage)
{
    auto running = std::make_shared<RunningWord>(QStringLiteral("Microsoft Word"));
    RunningObjectRegistration registration(QStringLiteral("Word.Application"), running);
    dialogs.yesNoAnswers = {false};
    addDocuments({"/docs/one.doc", "/docs/two.doc"});
    clickConvert();

    EXPECT_THAT(dialogs.messages(), ElementsAre(WarningText));
    EXPECT_EQ(dialogs.seen.front().pointer, 11);
    EXPECT_EQ(word.instancesCreated, 0);
    EXPECT_TRUE(running->membersCalled.isEmpty());
    EXPECT_EQ(form.ProgressBar1->value(), 0);
    EXPECT_EQ(form.MousePointer(), 0);
}

TEST_F(ConversionRun, WordFoundRunningAndAnswerYesConvertsAllAskingOnce)
{
    auto running = std::make_shared<RunningWord>(QStringLiteral("Microsoft Word"));
    RunningObjectRegistration registration(QStringLiteral("Word.Application"), running);
    dialogs.yesNoAnswers = {true};
    addDocuments({"/docs/one.doc", "/docs/two.doc", "/docs/three.doc"});
    clickConvert();

    EXPECT_THAT(dialogs.messages(), ElementsAre(WarningText, "Done."));
    EXPECT_EQ(word.instancesCreated, 3);
    EXPECT_TRUE(running->membersCalled.isEmpty());
}
