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
using ::testing::UnorderedElementsAre;
using namespace std::chrono_literals;

namespace {

const QString Warning = QStringLiteral("Word may be open. It is recommended that you close Word first.\n\n"
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
    void note() { pointerAndBar.emplace_back(pointer.state, bar.back()); }
    const FakePointer &pointer;
    const std::vector<int> &bar;
};

// Lets a call of one worker thread wait, five seconds at most, until another has happened.
class Gate {
public:
    void open()
    {
        std::lock_guard lock(mutex);
        opened = true;
        changed.notify_all();
    }
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
    QString document(const QString &name) const { return folder.filePath(name); }
    QString page(const QString &name) const
    {
        QFile file(document(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    // The folder once the run's last conversions have ended.
    QStringList filesWhenSettled() const
    {
        QStringList files;
        for (int wait = 0; wait < 100 && (wait == 0 || files.join(' ').contains(".quorvane-save-")); ++wait) {
            QTest::qWait(wait == 0 ? 0 : 50);
            files = QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
        }
        return files;
    }
    bool is(const WordCall &call, const char *member, const QString &path) const
    {
        return call.member == QLatin1String(member) && word.openedIn(call.instance) == path;
    }

    QTemporaryDir folder;
    FakePointer pointer;
    std::vector<int> bar{0}; // every value the bar was given
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
    for (int instance = 1; instance <= 3; ++instance)
        EXPECT_THAT(word.members(instance), ElementsAre("Documents", "Open", "SaveAs", "Quit")) << instance;
    EXPECT_THAT(word.openedPaths(), UnorderedElementsAre("/docs/one.doc", "/docs/two.docx", "/docs/three.rtf"));
    EXPECT_EQ(bar, (std::vector<int>{0, 33, 67, 100, 0}));
    EXPECT_EQ(pointerDuringCalls, std::vector<int>(word.calls().size(), BusyPointer));
    // "Done." is shown with the bar still full and the busy pointer; both reset afterwards.
    EXPECT_THAT(dialogs.messages(), ElementsAre("Done."));
    EXPECT_THAT(dialogs.pointerAndBar, ElementsAre(std::pair(BusyPointer, 100)));
    expectRunOver();
}

TEST_F(ConversionRunTest, PagesArePutInPlaceInListOrderWhenTheDocumentsFinishInReverse)
{
    word.writePages = true;
    bool earlierPageWaited = false;
    word.onCall = [&](const WordCall &call) {
        // The later entry is converted and its page written by now, but not put in place.
        if (is(call, "SaveAs", document("Report.doc")))
            earlierPageWaited = gate.passThrough() && !QFile::exists(document("Report.htm"));
        if (is(call, "Quit", document("Report.docx")))
            gate.open();
    };
    convert({document("Report.doc"), document("Report.docx")});
    EXPECT_TRUE(earlierPageWaited);
    // As when converted one after the other: the later entry's page wins.
    EXPECT_EQ(page("Report.htm"), "<html><body>" + document("Report.docx") + "</body></html>");
    EXPECT_EQ(filesWhenSettled(), QStringList{"Report.htm"});
}

// A failure ends the run at its document, when the documents after it may have converted
// already: none of their pages is put in place, an older page of the same name stays, and the
// message names the document, the error and how many after it were not converted.
struct FailureAt {
    const char *name;
    int count;   // documents listed: d1.doc ... dN.doc
    int failing; // 1-based
    const char *notConverted;
    friend void PrintTo(const FailureAt &row, std::ostream *out) { *out << row.name; }
};

class RunFailure : public ConversionRunTest, public ::testing::WithParamInterface<FailureAt> {};

TEST_P(RunFailure, EndsTheRunThereDiscardingLaterPagesAndKeepingOlderOnes)
{
    const auto name = [](int position, const char *extension) {
        return QStringLiteral("d%1.%2").arg(position).arg(extension);
    };
    const int failing = GetParam().failing;
    QStringList paths, expectedFiles;
    for (int position = 1; position <= GetParam().count; ++position)
        paths << document(name(position, "doc"));
    for (int position = 1; position < failing; ++position)
        expectedFiles << name(position, "htm");
    if (failing < GetParam().count) {
        QFile older(document(name(failing + 1, "htm")));
        ASSERT_TRUE(older.open(QIODevice::WriteOnly) && older.write("an older page"));
        expectedFiles << name(failing + 1, "htm");
    }
    word.writePages = true;
    word.onCall = [&](const WordCall &call) {
        if (call.member == QLatin1String("Open") && call.positional.front() == Variant(paths[failing - 1])
            && (failing == GetParam().count || gate.passThrough()))
            throw AutomationError(5408, "The document needs a password.");
        if (is(call, "Quit", document(name(failing + 1, "doc"))))
            gate.open(); // the next one's page is staged, to be placed after the failing one's
    };
    convert(paths);
    EXPECT_THAT(dialogs.messages(), ElementsAre(QStringLiteral("The document \"%1\" could not be converted.\n\nError "
                                                               "5408: The document needs a password.%2")
                                                    .arg(paths[failing - 1], QLatin1String(GetParam().notConverted))));
    EXPECT_EQ(filesWhenSettled(), expectedFiles);
    if (failing < GetParam().count) {
        EXPECT_EQ(page(name(failing + 1, "htm")), "an older page");
    }
    expectRunOver();
}

INSTANTIATE_TEST_SUITE_P(ConversionRunTest, RunFailure,
                         ::testing::Values(FailureAt{"TwoLeft", 4, 2,
                                                     "\n\nThe 2 documents after it were not converted."},
                                           FailureAt{"OneLeft", 3, 2, "\n\nThe document after it was not converted."},
                                           FailureAt{"AtTheLast", 3, 3, ""}),
                         RowName);

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
        if (call.member == QLatin1String("Open") && call.positional.front() == Variant("/docs/two.doc"))
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

// A running Word is asked about once per run: No cancels it, Yes converts all; an instance whose
// name is not exactly "Microsoft Word", or cannot be read, is not asked about. Nothing in the
// running instance is called.
TEST_F(ConversionRunTest, OnlyAWordAnsweringMicrosoftWordIsAskedAboutOncePerRun)
{
    list.paths = QStringList{"/docs/one.doc", "/docs/two.doc"};
    const std::vector<std::optional<Variant>> others{Variant("Microsoft Word "), Variant("MICROSOFT WORD"), Variant(),
                                                     std::nullopt};
    for (const std::optional<Variant> &name : others) {
        auto running = std::make_shared<RunningWord>(name);
        RunningObjectRegistration registration(QStringLiteral("Word.Application"), running);
        run.run();
    }
    auto running = std::make_shared<RunningWord>(QStringLiteral("Microsoft Word"));
    RunningObjectRegistration registration(QStringLiteral("Word.Application"), running);
    dialogs.yesNoAnswers = {false, true};
    run.run();
    EXPECT_EQ(dialogs.pointerAndBar.back().first, BusyPointer);
    expectRunOver();
    run.run();
    EXPECT_EQ(dialogs.messages(), QStringList({"Done.", "Done.", "Done.", "Done.", Warning, Warning, "Done."}));
    EXPECT_EQ(word.instancesCreated, 2 * 5);
    EXPECT_TRUE(running->membersCalled.isEmpty());
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
    bool pressTaken = true;
    QTimer::singleShot(50, &button, [&] {
        QTest::mousePress(&button, Qt::LeftButton);
        pressTaken = button.isDown();
        QTest::mouseRelease(&button, Qt::LeftButton);
        QTest::keyClick(&button, Qt::Key_Space);
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile("/docs/dropped.doc")});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&button, &enter);
        dropTaken = enter.isAccepted();
        gate.open();
    });
    bool servedDuringTheRun = false;
    word.onCall = [&](const WordCall &call) {
        if (call.member == QLatin1String("Open"))
            servedDuringTheRun = gate.passThrough();
    };
    convert({"/docs/one.doc"});
    QTest::qWait(50);
    EXPECT_TRUE(servedDuringTheRun);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(pressTaken);
    EXPECT_FALSE(dropTaken);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1) << "input is taken again after the run";
}
