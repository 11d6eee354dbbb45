// Whether Word counts as running, and the question that lets the user stop a run because of it.

#include "FakeWord.h"
#include "support/FakePlatform.h"

#include "convert/Word1.h"
#include "convert/automation/RunningObjects.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace {

const QString WordProgId = QStringLiteral("Word.Application");

// A running object whose default member cannot be read.
class SilentWord : public RunningWord {
public:
    SilentWord() : RunningWord(Variant()) {}
    Variant DefaultMember() override { throw AutomationError(AutomationErrorNumber::EngineGone, "gone"); }
};

} // namespace

TEST(IsWordRunning, IsFalseWhenNoInstanceIsRegistered)
{
    EXPECT_FALSE(Word1::IsWordRunning());
}

TEST(IsWordRunning, IsTrueForAnInstanceNamedMicrosoftWordAndLeavesItAlone)
{
    auto running = std::make_shared<RunningWord>(QStringLiteral("Microsoft Word"));
    RunningObjectRegistration registration(WordProgId, running);

    EXPECT_TRUE(Word1::IsWordRunning());
    EXPECT_TRUE(running->membersCalled.isEmpty());
    EXPECT_EQ(running.use_count(), 1); // not held on to
}

TEST(IsWordRunning, IsFalseForAnyOtherNameOrAnUnreadableOne)
{
    // The registration does not keep its object alive: each is held here while it is looked for.
    for (const Variant &name : {Variant("Microsoft Word "), Variant("MICROSOFT WORD"), Variant(""), Variant()}) {
        auto running = std::make_shared<RunningWord>(name);
        RunningObjectRegistration registration(WordProgId, running);
        const int readsAtRegistration = running->defaultMemberReads;
        EXPECT_FALSE(Word1::IsWordRunning()) << name.describe().toStdString();
        EXPECT_GT(running->defaultMemberReads, readsAtRegistration);
    }
    auto silent = std::make_shared<SilentWord>();
    RunningObjectRegistration registration(WordProgId, silent);
    EXPECT_FALSE(Word1::IsWordRunning());
}

TEST(IsWordRunning, IgnoresOtherClasses)
{
    auto other = std::make_shared<RunningWord>(QStringLiteral("Microsoft Word"));
    RunningObjectRegistration registration(QStringLiteral("Excel.Application"), other);
    EXPECT_FALSE(Word1::IsWordRunning());
}

TEST(WarnIfWordRunning, AsksNothingWhenWordIsNotRunning)
{
    FakeDialogs dialogs;
    EXPECT_FALSE(Word1::WarnIfWordRunning(dialogs, nullptr));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST(WarnIfWordRunning, AsksWithOneEmptyLineAndCancelsOnlyOnNo)
{
    auto running = std::make_shared<RunningWord>(QStringLiteral("Microsoft Word"));
    RunningObjectRegistration registration(WordProgId, running);
    FakeDialogs dialogs;
    dialogs.yesNoAnswers = {true, false};

    EXPECT_FALSE(Word1::WarnIfWordRunning(dialogs, nullptr));
    EXPECT_TRUE(Word1::WarnIfWordRunning(dialogs, nullptr));
    const QString question = QStringLiteral("Word may be open. It is recommended that you close Word first.\n\n"
                                            "Would you like to proceed anyway?");
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].kind, "askYesNo");
    EXPECT_EQ(dialogs.shown[0].text, question);
    EXPECT_EQ(dialogs.shown[1].text, question);
}
