// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The run behind "Convert to HTML", two documents at a time: every entry with an instance of its
// own, pages put in place in list order whatever order the documents start and finish in, the
// bar, the busy pointer, the closing messages, the warning about a running Word, a failure that
// ends the run, and the window kept alive but deaf to input meanwhile.

#include "ConversionRun.h"
#include "FakeList.h"
#include "FakePlatform.h"
#include "FakeWord.h"
#include "Rows.h"
#include "RunningObjects.h"
#include "WordSaveAs.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <com/sun/star/uno/RuntimeException.hpp>

#include <functional>
#include <future>
#include <new>
#include <stdexcept>

using namespace ::testing;

namespace {

class ConversionRunTest : public Test {
protected:
    ConversionRunTest()
    {
        dialogs.onShow = [this](const ShownDialog &) { pointerAndBar.emplace_back(pointer.state, bar.back()); };
    }
    // However a run ends, the bar is emptied and the pointer is the usual one again.
    void TearDown() override
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
    // Whether call is to member, of the instance that opened the document at path.
    bool is(const WordCall &call, const char *member, const QString &path) const
    {
        return call.member == QLatin1String(member) && word.openedIn(call.instance) == path;
    }
    // Lets a call of one worker thread wait, five seconds at most, until the gate is opened.
    bool passThrough() const { return gateOpened.wait_for(std::chrono::seconds(5)) == std::future_status::ready; }
    // A document that, by its size, is expected to take long.
    void writeHeavy(const QString &name) const
    {
        QFile heavy(document(name));
        ASSERT_TRUE(heavy.open(QIODevice::WriteOnly) && heavy.resize(4 << 20));
    }
    // The documents in the order they were opened.
    QStringList opened() const
    {
        QStringList paths;
        for (const WordCall &call : word.calls())
            if (call.member == QLatin1String("Open"))
                paths << call.positional.front().toText();
        return paths;
    }

    QTemporaryDir folder;
    FakePointer pointer;
    std::vector<int> bar{0};                        // every value the bar was given
    std::vector<std::pair<int, int>> pointerAndBar; // the pointer and the bar while each message was up
    FakeDialogs dialogs;
    FakeDocumentList list;
    FakeWord word;
    std::promise<void> gate;
    std::shared_future<void> gateOpened = gate.get_future().share();
    const SaveFormatChoice asHtml = [] { return std::optional(WordSaveFormat::Html); };
    // Last, so that the conversions still ending after a failure end before what they use.
    ConversionRun run{dialogs, nullptr, pointer, list, asHtml, [this](float at) { bar.push_back(qRound(at)); }, 2};
};

} // namespace

// Every entry is converted by an instance of its own under the busy pointer, the bar counting the
// document to be placed next. The earlier of two documents with the same page finishing last, its
// page still goes first and the later one's wins, as when converted one after the other. "Done."
// is shown with the bar still full and the busy pointer.
TEST_F(ConversionRunTest, ConvertsEveryEntryAndPutsThePagesInPlaceInListOrder)
{
    std::atomic_bool busyThroughout = true, earlierPageWaited = false;
    word.onCall = [&](const WordCall &call) {
        if (pointer.state != BusyPointer)
            busyThroughout = false;
        // The later entry is converted and its page written by now, but not put in place.
        if (is(call, "SaveAs", document("Report.doc")))
            earlierPageWaited = passThrough() && !QFile::exists(document("Report.htm"));
        if (is(call, "Quit", document("Report.docx")))
            gate.set_value();
    };
    list.paths = QStringList{document("Report.doc"), document("Report.docx"), document("three.rtf")};
    run.run();
    for (int instance = 1; instance <= 3; ++instance)
        EXPECT_THAT(word.members(instance), ElementsAre("Documents", "Open", "SaveAs", "Quit")) << instance;
    EXPECT_TRUE(busyThroughout);
    EXPECT_TRUE(earlierPageWaited);
    EXPECT_EQ(page("Report.htm"), "<html><body>" + document("Report.docx") + "</body></html>");
    EXPECT_EQ(filesWhenSettled(), QStringList({"Report.htm", "three.htm"}));
    EXPECT_EQ(bar, (std::vector<int>{0, 33, 67, 100, 0}));
    EXPECT_THAT(dialogs.messages(), ElementsAre("Done."));
    EXPECT_THAT(pointerAndBar, ElementsAre(Pair(BusyPointer, 100)));
}

// A heavy document last in the list starts beside the first, before the two between them, and
// is converted before the second is opened; its page still waits until theirs are in place, and
// the bar moves on one document at a time.
TEST_F(ConversionRunTest, AHeavyDocumentStartsEarlyButItsPageWaitsForThoseBeforeIt)
{
    list.paths = QStringList{document("a.doc"), document("b.doc"), document("c.doc"), document("heavy.doc")};
    writeHeavy("heavy.doc");
    std::promise<void> heavyOpened;
    std::atomic_bool heavyPageWaited = false;
    word.onCall = [&](const WordCall &call) {
        if (is(call, "Open", document("heavy.doc")))
            heavyOpened.set_value();
        if (is(call, "Quit", document("a.doc"))) // the next document is chosen once the heavy one is open
            heavyOpened.get_future().wait_for(std::chrono::seconds(5));
        if (is(call, "Open", document("b.doc")))
            heavyPageWaited = passThrough() && !QFile::exists(document("heavy.htm"));
        if (is(call, "Quit", document("heavy.doc")))
            gate.set_value();
    };
    run.run();
    EXPECT_LT(opened().indexOf(document("heavy.doc")), opened().indexOf(document("b.doc")));
    EXPECT_TRUE(heavyPageWaited);
    EXPECT_EQ(filesWhenSettled(), QStringList({"a.htm", "b.htm", "c.htm", "heavy.doc", "heavy.htm"}));
    EXPECT_EQ(bar, (std::vector<int>{0, 25, 50, 75, 100, 0}));
}

// However long the first document takes, the others convert only until 256 documents, the first
// included, wait to be put in place.
TEST_F(ConversionRunTest, AtMost256DocumentsWaitForTheFirstToBeConverted)
{
    for (int position = 1; position <= 300; ++position)
        list.paths << document(QStringLiteral("%1.doc").arg(position));
    qsizetype openedMeanwhile = 0;
    word.onCall = [&](const WordCall &call) {
        if (!is(call, "Open", list.paths.front()))
            return;
        do { // until the others stop
            openedMeanwhile = opened().size();
            QThread::msleep(100);
        } while (opened().size() > openedMeanwhile);
    };
    run.run();
    EXPECT_EQ(openedMeanwhile, 256);
    EXPECT_THAT(dialogs.messages(), ElementsAre("Done."));
}

// A failure ends the run at its document, when the documents after it may have converted
// already, a heavy one started early among them: none of their pages is put in place, an older
// page of the same name stays, and the message names the document, what went wrong and how many
// after it were not converted.
struct FailureAt {
    const char *name;
    int count, failing; // documents 1.doc ... <count>.doc are listed; the failing one's position
    std::function<void()> raise;
    const char *says; // the message after its first paragraph
    int heavy = 0;    // the position of a document expected to take long, if any
    friend void PrintTo(const FailureAt &row, std::ostream *out) { *out << row.name; }
};

class RunFailure : public ConversionRunTest, public WithParamInterface<FailureAt> {};

TEST_P(RunFailure, EndsTheRunThereDiscardingLaterPagesAndKeepingOlderOnes)
{
    const int count = GetParam().count, failing = GetParam().failing;
    QStringList expectedFiles;
    for (int position = 1; position <= count; ++position)
        list.paths << document(QStringLiteral("%1.doc").arg(position));
    for (int position = 1; position < failing; ++position)
        expectedFiles << QStringLiteral("%1.htm").arg(position);
    const QString older = QStringLiteral("%1.htm").arg(failing + 1); // named as the page after the failing one
    expectedFiles << older;
    if (GetParam().heavy > 0) {
        expectedFiles << QStringLiteral("%1.doc").arg(GetParam().heavy);
        writeHeavy(expectedFiles.last());
    }
    QFile olderPage(document(older));
    ASSERT_TRUE(olderPage.open(QIODevice::WriteOnly) && olderPage.write("an older page"));
    olderPage.close();
    word.onCall = [&](const WordCall &call) {
        if (is(call, "Open", list.paths[failing - 1]) && (failing == count || passThrough()))
            GetParam().raise();
        if (is(call, "Quit", list.paths.value(failing)))
            gate.set_value(); // the next one's page is staged, to be placed after the failing one's
    };
    run.run();
    EXPECT_THAT(dialogs.messages(), ElementsAre(QStringLiteral("The document \"%1\" could not be converted.\n\n%2")
                                                    .arg(list.paths[failing - 1], QString::fromUtf8(GetParam().says))));
    expectedFiles.sort();
    EXPECT_EQ(filesWhenSettled(), expectedFiles);
    EXPECT_EQ(page(older), "an older page");
}

INSTANTIATE_TEST_SUITE_P(
    ConversionRunTest, RunFailure,
    Values(FailureAt{"ErrorOnTheSecondOfFour", 4, 2,
                     [] { throw AutomationError(5408, "The document needs a password."); },
                     "Error 5408: The document needs a password.\n\nThe 2 documents after it were not converted."},
           FailureAt{"ErrorOnTheSecondOfFourAfterTheHeavyFourthIsConverted", 4, 2,
                     [] { throw AutomationError(5408, "The document needs a password."); },
                     "Error 5408: The document needs a password.\n\nThe 2 documents after it were not converted.", 4},
           FailureAt{"StandardExceptionOnTheSecondOfThree", 3, 2,
                     [] { throw std::runtime_error("the bridge went away"); },
                     "The conversion failed: the bridge went away.\n\nThe document after it was not converted."},
           FailureAt{"ErrorOnTheLast", 3, 3, [] { throw AutomationError(5408, "The document needs a password."); },
                     "Error 5408: The document needs a password."},
           FailureAt{"OutOfMemoryOnTheFirst", 2, 1, [] { throw std::bad_alloc(); },
                     "The conversion failed: there was not enough memory.\n\nThe document after it was not converted."},
           FailureAt{"UnoExceptionOnTheLast", 2, 2, [] { throw css::uno::RuntimeException("lost"); },
                     "The conversion failed: an unexpected error occurred."}),
    RowName);

// A Word that another program runs is asked about once per run, under the busy pointer: No
// cancels the run, Yes converts all. An instance whose name is not exactly "Microsoft Word", or
// cannot be read, is not asked about, nor is any when the list is empty, which is said instead.
TEST_F(ConversionRunTest, OnlyAWordAnsweringMicrosoftWordIsAskedAboutOncePerRunOfDocuments)
{
    list.paths = QStringList{document("one.doc"), document("two.doc")};
    const std::vector<std::optional<Variant>> others{Variant("Microsoft Word "), Variant("MICROSOFT WORD"), Variant(),
                                                     std::nullopt};
    for (const std::optional<Variant> &name : others) {
        const WordOfAnotherProgram running(name);
        run.run();
    }
    const WordOfAnotherProgram running(QStringLiteral("Microsoft Word"));
    dialogs.yesNoAnswers = {false, true};
    run.run();
    run.run();
    list.paths.clear();
    run.run();
    const QString warning = QStringLiteral("Word may be open. It is recommended that you close Word first.\n\n"
                                           "Would you like to proceed anyway?");
    EXPECT_EQ(dialogs.messages(),
              QStringList({"Done.", "Done.", "Done.", "Done.", warning, warning, "Done.", "No files added."}));
    EXPECT_THAT(pointerAndBar, Each(Pair(BusyPointer, _)));
    EXPECT_EQ(word.instancesCreated, 2 * 5);
}

// This program's own instances never count as a Word the user runs, also while those of a failed
// run still end in the background; FindRunningInstance still finds them.
TEST_F(ConversionRunTest, ThisProgramsOwnInstancesAreNoRunningWord)
{
    list.paths = QStringList{document("one.doc")};
    const auto own = std::make_shared<RunningWord>(QStringLiteral("Microsoft Word"));
    const RunningObjectRegistration registration(QStringLiteral("Word.Application"), own);
    run.run();
    EXPECT_EQ(dialogs.messages(), QStringList{"Done."});
    EXPECT_EQ(FindRunningInstance(QStringLiteral("Word.Application")), own);
}

// Offices are prepared for the next run, no more than the list has documents nor than the jobs.
TEST_F(ConversionRunTest, PreparesNoMoreOfficesThanTheListHasDocumentsOrTheJobs)
{
    list.paths = QStringList{"/docs/one.doc"};
    run.prepareNextRun();
    QTest::qWait(1100); // a list changing often prepares once a second
    list.paths << "/docs/two.doc"
               << "/docs/three.doc";
    run.prepareNextRun();
    EXPECT_EQ(word.prepared(), (std::vector<int>{1, 2}));
}

// While a document converts, the event loop runs: a timer fires, but a click, a key and a drop
// sent to a widget meanwhile are dropped, and not delivered once the run is over either.
TEST_F(ConversionRunTest, TheEventLoopRunsDuringTheRunButNoInputIsTakenOrKeptForLater)
{
    QPushButton button(QStringLiteral("Convert to HTML"));
    button.setAcceptDrops(true);
    button.show();
    int presses = 0;
    QObject::connect(&button, &QPushButton::pressed, [&] { ++presses; });
    bool dropTaken = true;
    QTimer::singleShot(50, &button, [&] {
        QTest::mouseClick(&button, Qt::LeftButton);
        QTest::keyClick(&button, Qt::Key_Space);
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile("/docs/dropped.doc")});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&button, &enter);
        dropTaken = enter.isAccepted();
        gate.set_value();
    });
    std::atomic_bool servedDuringTheRun = false;
    word.onCall = [&](const WordCall &) { servedDuringTheRun = passThrough(); };
    list.paths = QStringList{document("one.doc")};
    run.run();
    QTest::qWait(50);
    EXPECT_TRUE(servedDuringTheRun);
    EXPECT_EQ(presses, 0);
    EXPECT_FALSE(dropTaken);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(presses, 1) << "input is taken again after the run";
}
