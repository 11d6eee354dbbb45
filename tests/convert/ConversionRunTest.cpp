// The run behind "Convert to HTML", two documents at a time: every entry with an instance of its
// own, pages put in place in list order whatever order the documents finish in, the bar, the busy
// pointer, the closing messages, the warning about a running Word, a failure that ends the run,
// and the window kept alive but deaf to input meanwhile.

#include "ConversionRun.h"
#include "FakeList.h"
#include "FakePlatform.h"
#include "FakeWord.h"
#include "Rows.h"
#include "RunningObjects.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <com/sun/star/uno/DeploymentException.hpp>
#include <com/sun/star/uno/RuntimeException.hpp>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <new>
#include <stdexcept>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::UnorderedElementsAre;
using namespace std::chrono_literals;

namespace {

const QString WarningText = QStringLiteral("Word may be open. It is recommended that you close Word first.\n\n"
                                           "Would you like to proceed anyway?");

// Fake dialogs that also note the pointer and the bar while each message is up.
class WatchingDialogs : public FakeDialogs {
public:
    WatchingDialogs(const FakePointer &pointer, const std::vector<int> &bar)
        : pointer(pointer)
        , bar(bar)
    {
    }
    std::vector<std::pair<int, int>> pointerAndBar;
    void information(QWidget *owner, const QString &text) override { note(), FakeDialogs::information(owner, text); }
    bool askYesNo(QWidget *owner, const QString &text) override { return note(), FakeDialogs::askYesNo(owner, text); }

private:
    void note() { pointerAndBar.emplace_back(pointer.state, bar.empty() ? 0 : bar.back()); }
    const FakePointer &pointer;
    const std::vector<int> &bar;
};

// Lets one call of a worker thread wait until another has happened.
class Gate {
public:
    void open()
    {
        std::lock_guard lock(mutex);
        opened = true;
        changed.notify_all();
    }
    // False when the gate stayed shut for five seconds.
    bool passThrough()
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, 5s, [this] { return opened; });
    }

private:
    std::mutex mutex;
    std::condition_variable changed;
    bool opened = false;
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
        EXPECT_EQ(bar.back(), 0);
        EXPECT_EQ(pointer.state, DefaultPointer);
    }
    QString page(const QString &name) const
    {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    QString document(const QString &name) const { return folder.filePath(name); }
    // The folder once the run's last conversions have ended.
    QStringList filesWhenSettled() const
    {
        QStringList files;
        for (int wait = 0; wait < 100; ++wait) {
            QCoreApplication::processEvents();
            files = QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
            if (!files.join(' ').contains(".quorvane-save-"))
                break;
            QTest::qWait(50);
        }
        return files;
    }

    QTemporaryDir folder;
    FakePointer pointer;
    std::vector<int> bar; // every value the bar was given
    WatchingDialogs dialogs{pointer, bar};
    FakeDocumentList list;
    FakeWord word;
    Gate gate;
    // Last, so that the conversions still ending after a failure end before what they use.
    ConversionRun run{dialogs,
                      nullptr,
                      pointer,
                      list,
                      [] { return std::optional<std::int32_t>(WordSaveFormat::Html); },
                      [this](float value) { bar.push_back(qRound(value)); },
                      2};
};

} // namespace

TEST_F(ConversionRunTest, WithAnEmptyListSaysSoAndContactsNoWord)
{
    auto running = std::make_shared<RunningWord>(QStringLiteral("Microsoft Word"));
    RunningObjectRegistration registration(QStringLiteral("Word.Application"), running);
    const int readsAtRegistration = running->defaultMemberReads;
    convert({});

    EXPECT_THAT(dialogs.messages(), ElementsAre("No files added."));
    EXPECT_EQ(dialogs.pointerAndBar.front().first, BusyPointer);
    EXPECT_EQ(word.instancesCreated, 0);
    EXPECT_EQ(running->defaultMemberReads, readsAtRegistration);
    expectRunOver();
}

TEST_F(ConversionRunTest, ConvertsEveryEntryWithAnInstanceOfItsOwnTheBarCountingTheNextToBePlaced)
{
    std::vector<int> pointerDuringCalls;
    std::mutex noting;
    word.onCall = [&](const WordCall &) {
        std::lock_guard lock(noting);
        pointerDuringCalls.push_back(pointer.state);
    };
    convert({"/docs/one.doc", "/docs/two.docx", "/docs/three.rtf"});

    EXPECT_EQ(word.instancesCreated, 3);
    for (int instance = 1; instance <= 3; ++instance)
        EXPECT_THAT(word.members(instance), ElementsAre("Documents", "Open", "SaveAs", "Quit")) << instance;
    EXPECT_THAT(word.openedPaths(), UnorderedElementsAre("/docs/one.doc", "/docs/two.docx", "/docs/three.rtf"));
    EXPECT_EQ(bar, (std::vector<int>{33, 67, 100, 0}));
    EXPECT_EQ(pointerDuringCalls, std::vector<int>(word.calls().size(), BusyPointer));
    // "Done." is shown with the bar still full and the busy pointer; both reset afterwards.
    EXPECT_THAT(dialogs.messages(), ElementsAre("Done."));
    EXPECT_THAT(dialogs.pointerAndBar, ElementsAre(std::pair(BusyPointer, 100)));
    expectRunOver();
    EXPECT_EQ(list.count(), 3);
}

TEST_F(ConversionRunTest, PagesArePutInPlaceInListOrderWhenTheDocumentsFinishInReverse)
{
    word.writePages = true;
    Gate &laterConverted = gate;
    bool earlierPageWaited = false;
    word.onCall = [&](const WordCall &call) {
        const QString path = word.openedIn(call.instance);
        if (call.member == QLatin1String("SaveAs") && path == document("Report.doc")) {
            // The later entry is converted and its page written by now, but not put in place.
            earlierPageWaited = laterConverted.passThrough() && !QFile::exists(document("Report.htm"));
        }
        if (call.member == QLatin1String("Quit") && path == document("Report.docx"))
            laterConverted.open();
    };
    convert({document("Report.doc"), document("Report.docx")});

    EXPECT_TRUE(earlierPageWaited);
    // As when converted one after the other: the later entry's page wins.
    EXPECT_EQ(page("Report.htm"), "<html><body>" + document("Report.docx") + "</body></html>");
    EXPECT_EQ(filesWhenSettled(), QStringList{"Report.htm"});
    EXPECT_THAT(dialogs.messages(), ElementsAre("Done."));
}

TEST_F(ConversionRunTest, AFailureEndsTheRunThereDiscardingLaterPagesAndKeepingOlderOnes)
{
    word.writePages = true;
    {
        QFile older(document("c.htm"));
        ASSERT_TRUE(older.open(QIODevice::WriteOnly));
        older.write("an older page");
    }
    word.onCall = [this](const WordCall &call) {
        const QString path = word.openedIn(call.instance);
        if (call.member == QLatin1String("Open") && call.positional.front().toText() == document("b.doc")
            && gate.passThrough())
            throw AutomationError(5408, "The document needs a password.");
        if (call.member == QLatin1String("Quit") && path == document("c.doc"))
            gate.open(); // its page is staged, to be placed after b.doc's
    };
    convert({document("a.doc"), document("b.doc"), document("c.doc"), document("d.doc")});

    ASSERT_EQ(dialogs.messages().size(), 1);
    const std::string message = dialogs.messages().front().toStdString();
    EXPECT_THAT(message, HasSubstr(document("b.doc").toStdString()));
    EXPECT_THAT(message, HasSubstr("Error 5408: The document needs a password."));
    EXPECT_THAT(message, HasSubstr("The 2 documents after it were not converted."));
    EXPECT_EQ(page("c.htm"), "an older page");
    EXPECT_EQ(filesWhenSettled(), QStringList({"a.htm", "c.htm"}));
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
    EXPECT_EQ(dialogs.pointerAndBar.front().first, BusyPointer);
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

// While a document converts, the event loop runs: a timer fires, but a click, a key and a drop
// sent to a widget meanwhile are dropped, and not delivered once the run is over either.
TEST_F(ConversionRunTest, TheEventLoopRunsDuringTheRunButNoInputIsTakenOrKeptForLater)
{
    QPushButton button(QStringLiteral("Convert to HTML"));
    button.setAcceptDrops(true);
    button.show();
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] { ++clicks; });
    bool dropTaken = true;
    Gate timerFired;
    QTimer::singleShot(50, &button, [&] {
        QTest::mouseClick(&button, Qt::LeftButton);
        QTest::keyClick(&button, Qt::Key_Space);
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile("/docs/dropped.doc")});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&button, &enter);
        dropTaken = enter.isAccepted();
        timerFired.open();
    });
    bool servedDuringTheRun = false;
    word.onCall = [&](const WordCall &call) {
        if (call.member == QLatin1String("Open"))
            servedDuringTheRun = timerFired.passThrough();
    };
    convert({"/docs/one.doc"});
    QTest::qWait(50);

    EXPECT_TRUE(servedDuringTheRun);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(dropTaken);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1) << "input is taken again after the run";
}

// A failure that does not come from the automation layer, whatever its kind, ends the run at its
// document as any other failure does, with a message naming the document and what went wrong.
struct Thrown {
    const char *name;
    std::function<void()> raise;
    const char *says;
    friend void PrintTo(const Thrown &row, std::ostream *out) { *out << row.name; }
};

class UnexpectedFailure : public ConversionRunTest, public ::testing::WithParamInterface<Thrown> {};

TEST_P(UnexpectedFailure, EndsTheRunAtItsDocumentWithAMessage)
{
    word.onCall = [](const WordCall &call) {
        if (call.member == QLatin1String("Open") && call.positional.front().toText() == "/docs/two.doc")
            GetParam().raise();
    };
    convert({"/docs/one.doc", "/docs/two.doc", "/docs/three.doc"});
    EXPECT_THAT(dialogs.messages(),
                ElementsAre(QStringLiteral("The document \"/docs/two.doc\" could not be converted.\n\nThe conversion "
                                           "failed: %1.\n\nThe document after it was not converted.")
                                .arg(QLatin1String(GetParam().says))));
    expectRunOver();
}

INSTANTIATE_TEST_SUITE_P(
    ConversionRunTest, UnexpectedFailure,
    ::testing::Values(
        Thrown{"StandardException", [] { throw std::runtime_error("the bridge went away"); }, "the bridge went away"},
        Thrown{"OutOfMemory", [] { throw std::bad_alloc(); }, "there was not enough memory"},
        Thrown{"UnoRuntimeException", [] { throw css::uno::RuntimeException("lost"); }, "an unexpected error occurred"},
        Thrown{"UnoDeploymentException", [] { throw css::uno::DeploymentException("no types"); },
               "an unexpected error occurred"},
        Thrown{"AnythingElse", [] { throw 42; }, "an unexpected error occurred"}),
    RowName);
