// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as the user sees and uses it: its looks, start-up, pointer feedback, the picture
// buttons, the list's mouse and drop wiring and the run; the real window with fake seams, shown
// offscreen, its controls found by name. Then the program's real message and input boxes.
#include "FakeWord.h"
#include "HomePage.h"
#include "QtPlatform.h"
#include "Rows.h"
#include "ShownWindow.h"

#include <QColorSpace>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <tuple>

// At start the window is drawn as its screenshot shows it: each control at its place, the
// captions in bold Arial (or its metric twin), "Normal" chosen, the list's one column "Word
// File(s)" 6000 twips wide. It stands in the middle of the screen, framed as the window system
// frames it (2 pixels all round offscreen), and partly off a small one before it is shown. The
// hidden command has the focus, so that no visible control shows a focus mark, and Tab follows
// the order of the controls.
TEST_F(Window, AtStartLooksAsItsScreenshotInTheMiddleOfTheScreenAndTabFollowsTheOrder)
{
    const QImage screenshot(QUORVANE_SCREENSHOT);
    QImage shown = form.grab().toImage().convertToFormat(screenshot.format());
    shown.setColorSpace(screenshot.colorSpace());
    EXPECT_TRUE(shown == screenshot) << (shown.save("/tmp/window-shown.png") ? "shown in /tmp/window-shown.png" : "");
    EXPECT_EQ(form.windowTitle(), "Quorvane");
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    const QRect middle((1280 - 492) / 2, (1024 - 326) / 2, 492, 326); // on a screen of 1280 x 1024
    EXPECT_EQ(form.frameGeometry(), middle);
    form.showMaximized(); // as a title bar's maximise box asks
    EXPECT_FALSE(form.isMaximized());
    EXPECT_EQ(form.frameGeometry(), middle);
    platform.screen.geometry = QRect(0, 0, 400, 300);
    EXPECT_EQ(Form1(platform.bundle()).pos(), QPoint(-44, -11));
    EXPECT_EQ(list->toolTip(), "Drag and drop files here. Double-click item to remove it. "
                               "Move bar to right and out of window to reveal full names.");
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    for (const char *next : {"Command1", "Check1", "Check2", "ListView1", "Check4", "Option1"}) {
        EXPECT_EQ(QApplication::focusWidget()->objectName(), next);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
}

// A picture button, the dialog its command opens first and what a failure message calls the command.
struct Command {
    const char *name, *dialog, *what;
    friend void PrintTo(const Command &row, std::ostream *out) { *out << row.name; }
};
class CommandButton : public Window, public testing::WithParamInterface<Command> {};

// The hand over the button, the arrow over the background and the list, none in place of the
// hourglass of a running command. One click runs the command once, and the button is drawn
// released as soon as the command begins: what the screen shows of it while the command's dialog
// is up is what it showed before the click, not how it looks pressed.
TEST_P(CommandButton, ShowsTheHandAndOneClickRunsItsCommandOnceDrawnReleasedAtOnce)
{
    QToolButton *clicked = button(GetParam().name);
    EXPECT_EQ(pointerOver(&form), Arrow);
    EXPECT_EQ(pointerOver(listArea), Arrow);
    EXPECT_EQ(pointerOver(clicked), Hand);
    EXPECT_EQ(clicked->cursor().hotSpot(), QPoint(11, 1));

    // What the screen shows of the button now, without giving the window a chance to paint first.
    const auto shown = [&] { return form.screen()->grabWindow(form.winId()).toImage().copy(clicked->geometry()); };
    QCoreApplication::processEvents();
    const QImage released = shown();
    clicked->setDown(true);
    QCoreApplication::processEvents();
    EXPECT_NE(shown(), released);
    clicked->setDown(false);
    QImage duringCommand;
    platform.dialogs.onShow = [&](const ShownDialog &) { duringCommand = shown(); };
    QTest::mouseClick(clicked, Qt::LeftButton);
    ASSERT_EQ(platform.dialogs.shown.size(), 1u);
    EXPECT_EQ(platform.dialogs.shown[0].kind, GetParam().dialog);
    EXPECT_FALSE(clicked->isChecked());
    EXPECT_EQ(duringCommand, released);
    form.setMousePointer(BusyPointer);
    for (QWidget *over : std::initializer_list<QWidget *>{&form, listArea, clicked})
        EXPECT_EQ(pointerOver(over), Hourglass) << qPrintable(over->objectName());
}

// A failure that the command does not expect, memory running out in its first dialog here, ends
// it with a message saying what failed; the window and its list live on.
TEST_P(CommandButton, AFailureInsideItsCommandEndsItWithAMessageAndTheListStays)
{
    ASSERT_TRUE(dropOnList({"file:///docs/kept.doc"}));
    platform.dialogs.onShow = [failing = true](const ShownDialog &) mutable {
        if (std::exchange(failing, false))
            throw std::bad_alloc();
    };
    QTest::mouseClick(button(GetParam().name), Qt::LeftButton);
    EXPECT_EQ(platform.dialogs.shown.back().text, QString(GetParam().what) + " failed: there was not enough memory.");
    EXPECT_EQ(entries(), QStringList{"/docs/kept.doc"});
    EXPECT_EQ(form.MousePointer(), DefaultPointer);
}

// With the keyboard focus on the button, Enter (Return or the keypad's) runs its command once, as
// Space does.
TEST_P(CommandButton, EnterRunsItsCommandAsSpaceDoes)
{
    QToolButton *focused = button(GetParam().name);
    focused->setFocus();
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_Space, Qt::NoModifier}, {Qt::Key_Return, Qt::NoModifier}, {Qt::Key_Enter, Qt::KeypadModifier}};
    for (const auto &[key, modifiers] : keys)
        QTest::keyClick(focused, key, modifiers);
    ASSERT_EQ(platform.dialogs.shown.size(), 3u);
    for (const ShownDialog &dialog : platform.dialogs.shown)
        EXPECT_EQ(dialog.kind, GetParam().dialog);
    EXPECT_FALSE(focused->isChecked() || focused->isDown());
}

INSTANTIATE_TEST_SUITE_P(Window, CommandButton,
                         testing::Values(Command{"Check1", "openFiles", "Adding the files"},
                                         Command{"Check4", "inputBox", "Adding the files of the folder"},
                                         Command{"Check2", "information", "The conversion"}),
                         RowName);

// An option button and the save format that its HTML flavour is saved in.
struct Flavour {
    const char *name, *option;
    int saveFormat;
    friend void PrintTo(const Flavour &row, std::ostream *out) { *out << row.name; }
};
class Run : public Window, public testing::WithParamInterface<Flavour> {};

// While it converts, the window takes no input: a click on "Convert to HTML", a press on an entry
// and a drop on the list are neither acted on then nor afterwards. After the run the list takes
// input again: it moves an entry carried by the pressed mouse, showing the dragged entry's
// pointer, and removes a double-clicked one.
TEST_P(Run, SavesInTheChosenFlavourTakesNoInputMeanwhileAndTheListWorksAfterwards)
{
    const QTemporaryDir docs;
    const auto at = [&](const QStringList &names) {
        QStringList paths;
        for (const QString &name : names)
            paths << docs.filePath(name);
        return paths;
    };
    FakeWord word;
    QStringList urls;
    for (const QString &path : at({"A.doc", "B.doc", "C.doc"}))
        urls << QUrl::fromLocalFile(path).toString();
    ASSERT_TRUE(dropOnList(urls));
    QTest::mouseClick(form.findChild<QWidget *>(GetParam().option), Qt::LeftButton);
    std::atomic_bool inputSent = false;
    bool dropTaken = true;
    QTimer::singleShot(50, &form, [&] {
        QTest::mouseClick(button("Check2"), Qt::LeftButton);
        QTest::mousePress(listArea, Qt::LeftButton, {}, rowCentre(1));
        dropTaken = dropOnList({"file:///docs/dropped.doc"});
        inputSent = true;
    });
    word.onCall = [&](const WordCall &call) {
        while (call.member == QLatin1String("Open") && !inputSent)
            QThread::msleep(10);
    };
    QTest::mouseClick(button("Check2"), Qt::LeftButton);
    QTest::qWait(100);
    EXPECT_FALSE(dropTaken) << "or no input was sent while the run worked";
    QList<int> savedFormats;
    for (const WordCall &call : word.calls())
        if (call.member == QLatin1String("SaveAs"))
            savedFormats << call.named.at(1).second.toInt();
    EXPECT_EQ(savedFormats, QList<int>(3, GetParam().saveFormat));
    QTest::mouseMove(listArea, rowCentre(2)); // carries along an entry pressed on
    QTest::mouseRelease(listArea, Qt::LeftButton, {}, rowCentre(2));
    EXPECT_EQ(entries(), at({"A.doc", "B.doc", "C.doc"}));
    EXPECT_FALSE(button("Check2")->isChecked() || button("Check2")->isDown());

    QTest::mousePress(listArea, Qt::LeftButton, {}, rowCentre(1));
    EXPECT_EQ(listArea->cursor().shape(), Qt::BitmapCursor);
    QTest::mouseMove(listArea, rowCentre(2));
    QTest::mouseMove(listArea, rowCentre(3));
    QTest::mouseRelease(listArea, Qt::LeftButton, {}, rowCentre(3));
    EXPECT_EQ(entries(), at({"B.doc", "C.doc", "A.doc"}));
    QTest::mouseDClick(listArea, Qt::LeftButton, {}, rowCentre(3));
    EXPECT_EQ(entries(), at({"B.doc", "C.doc"}));
    EXPECT_EQ(platform.dialogs.messages(), QStringList{"Done."});
}

INSTANTIATE_TEST_SUITE_P(Window, Run,
                         testing::Values(Flavour{"Normal", "Option1", 8}, Flavour{"Filtered", "Option2", 10}), RowName);

TEST(HomePage, LaunchedOnlyOnADrawOf7AndAFailedLaunchShowsNothing)
{
    // r draws 1 + Int(100 * r): 0.065 draws 7.
    for (float r : {0.0f, 0.0599f, 0.065f, 0.07f, 0.5f, 0.99999f})
        for (bool launchSucceeds : {true, false}) {
            FakePlatform platform;
            platform.random.value = r;
            platform.shell.launchSucceeds = launchSucceeds;
            Form1 form(platform.bundle());
            EXPECT_EQ(platform.shell.launches, std::vector<QStringList>(r == 0.065f, {"xdg-open", HomePageAddress}))
                << r;
            EXPECT_TRUE(platform.dialogs.shown.empty());
            EXPECT_EQ(form.windowTitle(), "Quorvane");
        }
}

// Without a usable HAND-M.CUR in the program's folder the start-up completes and the hand
// looks like the arrow.
TEST(HandCursor, MissingOrDamagedTheHandLooksLikeTheArrow)
{
    const QTemporaryDir programFolder;
    for (bool damaged : {false, true}) {
        // A text file where the cursor should be.
        ASSERT_TRUE(!damaged || QFile::copy(QUORVANE_DOCUMENTS_DIR "/README.md", programFolder.filePath("HAND-M.CUR")));
        FakePlatform platform;
        platform.programDirectory = programFolder.path();
        Form1 form(platform.bundle());
        form.CommandButton_MouseMove(); // the pointer onto "Add Word File(s)"
        EXPECT_EQ(Pointer(form.MousePointer(), form.cursor().shape()), Pointer(CustomPointer, Qt::ArrowCursor));
        EXPECT_TRUE(platform.dialogs.shown.empty());
    }
}

// The program's real message and input boxes: titled "Quorvane", no icon, the buttons and the
// default answer that the commands rely on. Each box is answered from a timer, as a user would.
TEST(QtDialogs, TheWarningAnswersYesOnEnterAndNoOnEscapeAMessageHasOnlyOkAndTheInputBoxOffersItsDefault)
{
    // Each message box's title, icon and buttons.
    using Seen = std::tuple<QString, QMessageBox::Icon, QMessageBox::StandardButtons>;
    std::vector<Seen> seen;
    // Once the next box is up: notes what a message box looks like, then presses key in it.
    const auto answerWith = [&seen](Qt::Key key) {
        QTimer::singleShot(0, [&seen, key] {
            QWidget *box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            if (const auto *message = qobject_cast<QMessageBox *>(box))
                seen.emplace_back(box->windowTitle(), message->icon(), message->standardButtons());
            QTest::keyClick(box, key);
        });
    };
    QtDialogs dialogs;
    answerWith(Qt::Key_Return);
    EXPECT_TRUE(dialogs.askYesNo(nullptr, "Proceed?"));
    answerWith(Qt::Key_Escape);
    EXPECT_FALSE(dialogs.askYesNo(nullptr, "Proceed?"));
    answerWith(Qt::Key_Return);
    dialogs.information(nullptr, "Done.");
    const Seen warning("Quorvane", QMessageBox::NoIcon, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(seen, std::vector<Seen>({warning, warning, {"Quorvane", QMessageBox::NoIcon, QMessageBox::Ok}}));
    answerWith(Qt::Key_Return);
    EXPECT_EQ(dialogs.inputBox(nullptr, "Enter file extension to load:", "doc"), "doc");
    answerWith(Qt::Key_Escape);
    EXPECT_EQ(dialogs.inputBox(nullptr, "Enter file extension to load:", "doc"), "");
}
