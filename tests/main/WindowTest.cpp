// The main window as the user sees and uses it: layout, start-up, pointer feedback, the picture
// buttons, the list's mouse and drop wiring and the run; the real window with fake seams, shown
// offscreen, its controls found by name.
#include "FakePlatform.h"
#include "FakeWord.h"
#include "Form1.h"
#include "HomePage.h"

#include <QFontInfo>
#include <QHeaderView>
#include <QMimeData>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

class Window : public testing::Test {
protected:
    FakePlatform platform;
    Form1 form{platform.bundle()};

    void SetUp() override
    {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    // The control of that name ("ListView1", "Check2", ...).
    template <typename Control = QWidget>
    Control *control(const char *name) const
    {
        Control *found = form.findChild<Control *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QTreeWidget *list() const { return control<QTreeWidget>("ListView1"); }
    QToolButton *button(const char *name) const { return control<QToolButton>(name); }
    void moveOver(QWidget *widget) { QTest::mouseMove(widget, widget->rect().center()); }
    void moveOverBackground() { QTest::mouseMove(&form, QPoint(3, 300)); } // left of the progress bar
    QStringList entries() const
    {
        QStringList texts;
        for (int row = 0; row < list()->topLevelItemCount(); ++row)
            texts << list()->topLevelItem(row)->text(0);
        return texts;
    }
    QPoint rowCentre(int position) const { return list()->visualItemRect(list()->topLevelItem(position - 1)).center(); }
    // Offers files over the list as a file manager does and drops them if taken; whether taken.
    bool dropOnList(const QStringList &paths)
    {
        QMimeData files;
        QList<QUrl> urls;
        for (const QString &path : paths)
            urls << QUrl::fromLocalFile(path);
        files.setUrls(urls);
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list()->viewport(), &enter);
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        if (enter.isAccepted())
            QCoreApplication::sendEvent(list()->viewport(), &drop);
        return enter.isAccepted();
    }
};

// Each control at its place; the buttons with their captions, the captioned controls in bold
// Arial (or its metric twin) of their size.
TEST_F(Window, ControlsSitAtTheirPlacesWithTheirCaptionsAndFonts)
{
    EXPECT_EQ(form.windowTitle(), "Quorvane");
    EXPECT_EQ(form.size(), QSize(488, 322));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    const std::tuple<const char *, QRect, const char *, double> controls[] = {
        {"ListView1", QRect(8, 8, 472, 153), nullptr, 9},
        {"Option1", QRect(16, 168, 73, 22), "Normal", 9},
        {"Option2", QRect(104, 168, 76, 22), "Filtered", 9},
        {"Check1", QRect(8, 192, 153, 89), "Add Word File(s)", 11.25},
        {"Check4", QRect(168, 192, 153, 89), " Add All Word Files In Folder", 11.25},
        {"Check2", QRect(328, 192, 152, 89), "Convert to HTML", 11.25},
        {"ProgressBar1", QRect(8, 289, 472, 25), nullptr, 0},
        {"Command1", QRect(-48, 176, 41, 33), "Command1", 0}};
    for (const auto &[name, place, caption, points] : controls) {
        const QWidget *widget = control(name);
        EXPECT_EQ(widget->geometry(), place) << name;
        if (const auto *button = qobject_cast<const QAbstractButton *>(widget)) {
            EXPECT_EQ(button->text(), caption) << name;
        }
        if (points > 0) {
            EXPECT_TRUE(QStringList({"Arial", "Liberation Sans"}).contains(QFontInfo(widget->font()).family())) << name;
            EXPECT_DOUBLE_EQ(widget->font().pointSizeF(), points) << name;
            EXPECT_TRUE(widget->font().bold()) << name;
        }
    }
    EXPECT_TRUE(control<QRadioButton>("Option1")->isChecked());
    EXPECT_EQ(list()->toolTip(), "Drag and drop files here. Double-click item to remove it. "
                                 "Move bar to right and out of window to reveal full names.");
    // One column, "Word File(s)", 6000 twips wide.
    EXPECT_EQ(list()->columnCount(), 1);
    EXPECT_EQ(list()->headerItem()->text(0), "Word File(s)");
    EXPECT_EQ(list()->header()->sectionSize(0), 400);
}

TEST_F(Window, HiddenCommandHasTheFocusAtStartAndTabFollowsTheOrder)
{
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(QApplication::focusWidget(), control("Command1"));
    for (const char *next : {"Check1", "Check2", "ListView1", "Check4", "Option1"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), control(next)) << next;
    }
}

TEST_F(Window, HandOverThePictureButtonsArrowOverBackgroundAndListHourglassKept)
{
    // The window's pointer state, and the shape shown over widget.
    const auto pointer = [this](QWidget *over) { return std::pair(form.MousePointer(), over->cursor().shape()); };
    for (const char *name : {"Check1", "Check4", "Check2"}) {
        moveOverBackground();
        EXPECT_EQ(pointer(button(name)), std::pair(int(DefaultPointer), Qt::ArrowCursor)) << name;
        moveOver(button(name));
        EXPECT_EQ(pointer(button(name)), std::pair(int(CustomPointer), Qt::BitmapCursor)) << name;
        EXPECT_EQ(button(name)->cursor().hotSpot(), QPoint(11, 1));
    }
    moveOver(list()->viewport());
    EXPECT_EQ(pointer(list()->viewport()), std::pair(int(DefaultPointer), Qt::ArrowCursor));

    form.setMousePointer(BusyPointer);
    for (QWidget *over : {static_cast<QWidget *>(button("Check1")), list()->viewport(), static_cast<QWidget *>(&form)})
        moveOver(over);
    moveOverBackground();
    EXPECT_EQ(pointer(button("Check2")), std::pair(int(BusyPointer), Qt::WaitCursor));
    EXPECT_EQ(list()->viewport()->cursor().shape(), Qt::WaitCursor);
}

// One click runs the button's command once, and the button is drawn released as soon as the
// command begins: what the screen shows of it while the command's dialog is up is what it
// showed before the click, not how it looks pressed.
TEST_F(Window, OneClickOnAPictureButtonRunsItsCommandOnceAndLeavesItReleasedAtOnce)
{
    // What the screen shows of widget now, without giving the window a chance to paint first
    // unless asked to.
    const auto shown = [this](QWidget *widget, bool painted = false) {
        if (painted)
            QCoreApplication::processEvents();
        return form.screen()
            ->grabWindow(form.winId(), widget->x(), widget->y(), widget->width(), widget->height())
            .toImage();
    };
    for (const auto &[name, dialog] :
         {std::pair("Check1", "openFiles"), {"Check4", "inputBox"}, {"Check2", "information"}}) {
        QToolButton *clicked = button(name);
        moveOver(clicked); // as it is drawn under the pointer
        const QImage released = shown(clicked, true);
        clicked->setDown(true);
        const QImage pressed = shown(clicked, true);
        clicked->setDown(false);
        QImage duringCommand;
        platform.dialogs.onShow = [&](const ShownDialog &) { duringCommand = shown(clicked); };
        platform.dialogs.shown.clear();
        QTest::mouseClick(clicked, Qt::LeftButton);
        ASSERT_EQ(platform.dialogs.shown.size(), 1u) << name;
        EXPECT_EQ(platform.dialogs.shown[0].kind, dialog) << name;
        EXPECT_FALSE(clicked->isChecked()) << name;
        EXPECT_NE(pressed, released) << name;
        EXPECT_EQ(duringCommand, released) << name;
    }
    platform.dialogs.onShow = nullptr;
}

// A failure that a command does not expect, memory running out in a dialog here, ends that
// command with a message saying what failed; the window and its list live on.
TEST_F(Window, AFailureInsideACommandEndsItWithAMessageAndTheListStays)
{
    ASSERT_TRUE(dropOnList({"/docs/kept.doc"}));
    platform.dialogs.onShow = [](const ShownDialog &dialog) {
        if (dialog.kind != QLatin1String("information"))
            throw std::bad_alloc();
    };
    for (const auto &[name, what] :
         {std::pair("Check1", "Adding the files"), {"Check4", "Adding the files of the folder"}}) {
        platform.dialogs.shown.clear();
        QTest::mouseClick(button(name), Qt::LeftButton);
        EXPECT_EQ(platform.dialogs.messages(), QStringList{QString(what) + " failed: there was not enough memory."});
        EXPECT_FALSE(button(name)->isChecked());
    }
    EXPECT_EQ(entries(), QStringList{"/docs/kept.doc"});
    EXPECT_EQ(form.MousePointer(), DefaultPointer);
}

TEST_F(Window, TheListTakesDroppedFilesMovesAPressedEntryAndRemovesADoubleClickedOne)
{
    ASSERT_TRUE(dropOnList({"/docs/A", "/docs/B", "/docs/C"}));
    EXPECT_EQ(entries(), QStringList({"/docs/A", "/docs/B", "/docs/C"}));

    QTest::mousePress(list()->viewport(), Qt::LeftButton, {}, rowCentre(1));
    EXPECT_EQ(list()->viewport()->cursor().shape(), Qt::BitmapCursor);
    QTest::mouseMove(list()->viewport(), rowCentre(2));
    QTest::mouseMove(list()->viewport(), rowCentre(3));
    QTest::mouseRelease(list()->viewport(), Qt::LeftButton, {}, rowCentre(3));
    EXPECT_EQ(entries(), QStringList({"/docs/B", "/docs/C", "/docs/A"}));

    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, rowCentre(3));
    EXPECT_EQ(entries(), QStringList({"/docs/B", "/docs/C"}));
    EXPECT_TRUE(platform.dialogs.shown.empty());
}

// The run saves in the flavour chosen with the option buttons, Normal as format 8 and Filtered
// as 10. While it converts, the window keeps painting but takes no input: a click on "Convert
// to HTML", a press on an entry and a drop on the list are neither acted on then nor afterwards.
TEST_F(Window, ARunSavesInTheChosenFlavourAndTakesNoClickAndNoDrop)
{
    FakeWord word;
    ASSERT_TRUE(dropOnList({"/docs/a.doc", "/docs/b.doc"}));
    std::atomic_bool inputSent = false;
    bool dropTaken = true;
    QTimer::singleShot(50, &form, [&] {
        QTest::mouseClick(button("Check2"), Qt::LeftButton);
        QTest::mousePress(list()->viewport(), Qt::LeftButton, {}, rowCentre(1));
        dropTaken = dropOnList({"/docs/dropped.doc"});
        inputSent = true;
    });
    word.onCall = [&](const WordCall &call) {
        while (call.member == QLatin1String("Open") && !inputSent)
            QThread::msleep(10);
    };
    // The formats that the documents were saved in, one for each.
    const auto savedFormats = [&] {
        QList<int> formats;
        for (const WordCall &call : word.calls())
            if (call.member == QLatin1String("SaveAs"))
                formats << call.named.at(1).second.toInt();
        return formats;
    };
    QTest::mouseClick(button("Check2"), Qt::LeftButton);
    QTest::qWait(100);
    EXPECT_TRUE(inputSent);
    EXPECT_FALSE(dropTaken);
    EXPECT_EQ(platform.dialogs.messages(), QStringList{"Done."});
    EXPECT_EQ(word.instancesCreated, 2);
    EXPECT_EQ(savedFormats(), QList<int>({8, 8}));
    QTest::mouseMove(list()->viewport(), rowCentre(2)); // carries along an entry pressed on
    QTest::mouseRelease(list()->viewport(), Qt::LeftButton, {}, rowCentre(2));
    EXPECT_EQ(entries(), QStringList({"/docs/a.doc", "/docs/b.doc"}));
    EXPECT_FALSE(button("Check2")->isChecked() || button("Check2")->isDown());

    word.clear();
    QTest::mouseClick(control("Option2"), Qt::LeftButton);
    QTest::mouseClick(button("Check2"), Qt::LeftButton);
    EXPECT_EQ(savedFormats(), QList<int>({10, 10}));
}

TEST(HomePage, LaunchedOnlyOnADrawOf7AndAFailedLaunchShowsNothing)
{
    // r draws 1 + Int(100 * r): 0.065 draws 7.
    for (float r : {0.0f, 0.0599f, 0.065f, 0.07f, 0.5f, 0.99999f}) {
        for (bool launchSucceeds : {true, false}) {
            FakePlatform platform;
            platform.random.value = r;
            platform.shell.launchSucceeds = launchSucceeds;
            Form1 form(platform.bundle());
            const auto expected = r == 0.065f ? std::vector<QStringList>{{"xdg-open", HomePageAddress}}
                                              : std::vector<QStringList>{};
            EXPECT_EQ(platform.shell.launches, expected) << "r = " << r;
            EXPECT_TRUE(platform.dialogs.shown.empty());
            EXPECT_EQ(form.windowTitle(), "Quorvane");
        }
    }
}

TEST(CenterForm, PlacesTheWindowInTheMiddleOfTheScreenAndOffItOnASmallOne)
{
    FakePlatform platform; // a screen of 1280 x 1024
    Form1 centred(platform.bundle());
    EXPECT_EQ(centred.pos(), QPoint((1280 - 488) / 2, (1024 - 322) / 2));
    platform.screen.geometry = QRect(0, 0, 400, 300);
    Form1 offScreen(platform.bundle());
    EXPECT_EQ(offScreen.pos(), QPoint(-44, -11));
}

// Without a usable HAND-M.CUR in the program's folder the start-up completes and the hand
// looks like the arrow.
TEST(HandCursor, MissingOrDamagedTheHandLooksLikeTheArrow)
{
    for (const QByteArray &contents : {QByteArray(), QByteArray("This is no cursor.\n")}) {
        FakePlatform platform;
        const QTemporaryDir programFolder;
        platform.programDirectory = programFolder.path();
        QFile cursor(programFolder.filePath("HAND-M.CUR"));
        ASSERT_TRUE(contents.isEmpty() || (cursor.open(QIODevice::WriteOnly) && cursor.write(contents) > 0));
        cursor.close();
        Form1 form(platform.bundle());
        form.Check1_MouseMove(); // the pointer onto "Add Word File(s)"
        EXPECT_EQ(form.MousePointer(), CustomPointer);
        EXPECT_EQ(form.cursor().shape(), Qt::ArrowCursor);
        EXPECT_TRUE(platform.dialogs.shown.empty());
    }
}
