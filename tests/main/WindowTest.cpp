// The main window as the user sees and uses it: layout, start-up, pointer feedback, the picture
// buttons and the list's mouse and drop wiring.
#include "FakeWord.h"
#include "HomePage.h"
#include "ShownWindow.h"

#include <QFontInfo>
#include <QHeaderView>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>

namespace {

class Window : public ShownWindow {
protected:
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
    QPoint rowCentre(int position) const
    {
        return QPoint(list()->viewport()->width() / 2,
                      list()->visualItemRect(list()->topLevelItem(position - 1)).center().y());
    }
};

TEST_F(Window, ControlsSitAtTheirPlacesWithTheirCaptionsAndFonts)
{
    EXPECT_EQ(form.size(), QSize(488, 322));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    const std::pair<const char *, QRect> places[] = {
        {"ListView1", QRect(8, 8, 472, 153)},     {"Option1", QRect(16, 168, 73, 22)},
        {"Option2", QRect(104, 168, 76, 22)},     {"Check1", QRect(8, 192, 153, 89)},
        {"Check4", QRect(168, 192, 153, 89)},     {"Check2", QRect(328, 192, 152, 89)},
        {"ProgressBar1", QRect(8, 289, 472, 25)}, {"Command1", QRect(-48, 176, 41, 33)}};
    for (const auto &[name, place] : places)
        EXPECT_EQ(control<QWidget>(name)->geometry(), place) << name;

    EXPECT_EQ(form.windowTitle(), "Quorvane");
    EXPECT_EQ(control<QRadioButton>("Option1")->text(), "Normal");
    EXPECT_EQ(control<QRadioButton>("Option2")->text(), "Filtered");
    EXPECT_EQ(button("Check1")->text(), "Add Word File(s)");
    EXPECT_EQ(button("Check4")->text(), " Add All Word Files In Folder");
    EXPECT_EQ(button("Check2")->text(), "Convert to HTML");
    EXPECT_EQ(list()->toolTip(), "Drag and drop files here. Double-click item to remove it. "
                                 "Move bar to right and out of window to reveal full names.");
    EXPECT_TRUE(control<QRadioButton>("Option1")->isChecked());

    const std::pair<const char *, double> fonts[] = {{"ListView1", 9},  {"Option1", 9},    {"Option2", 9},
                                                     {"Check1", 11.25}, {"Check4", 11.25}, {"Check2", 11.25}};
    for (const auto &[name, points] : fonts) {
        const QFont font = control<QWidget>(name)->font();
        const QString family = QFontInfo(font).family();
        EXPECT_TRUE(family == "Arial" || family == "Liberation Sans") << family.toStdString();
        EXPECT_DOUBLE_EQ(font.pointSizeF(), points);
        EXPECT_TRUE(font.bold());
    }
}

TEST_F(Window, ListHasOneColumnWordFiles6000TwipsWide)
{
    EXPECT_EQ(list()->columnCount(), 1);
    EXPECT_EQ(list()->headerItem()->text(0), "Word File(s)");
    EXPECT_EQ(list()->header()->sectionSize(0), 400);
}

TEST_F(Window, HiddenCommandHasTheFocusAtStartAndTabFollowsTheOrder)
{
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(QApplication::focusWidget(), control<QPushButton>("Command1"));
    for (const char *next : {"Check1", "Check2", "ListView1", "Check4", "Option1"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), control<QWidget>(next)) << next;
    }
}

TEST_F(Window, HandOverThePictureButtonsArrowOverBackgroundAndListHourglassKept)
{
    for (const char *name : {"Check1", "Check4", "Check2"}) {
        moveOverBackground();
        EXPECT_EQ(form.MousePointer(), DefaultPointer);
        EXPECT_EQ(button(name)->cursor().shape(), Qt::ArrowCursor);
        moveOver(button(name));
        EXPECT_EQ(form.MousePointer(), CustomPointer);
        EXPECT_EQ(button(name)->cursor().shape(), Qt::BitmapCursor);
        EXPECT_EQ(button(name)->cursor().hotSpot(), QPoint(11, 1));
    }
    moveOver(list()->viewport());
    EXPECT_EQ(form.MousePointer(), DefaultPointer);
    EXPECT_EQ(list()->viewport()->cursor().shape(), Qt::ArrowCursor);

    form.setMousePointer(BusyPointer);
    for (QWidget *over : {static_cast<QWidget *>(button("Check1")), list()->viewport(), static_cast<QWidget *>(&form)})
        moveOver(over);
    moveOverBackground();
    EXPECT_EQ(form.MousePointer(), BusyPointer);
    EXPECT_EQ(button("Check2")->cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(list()->viewport()->cursor().shape(), Qt::WaitCursor);
}

TEST_F(Window, OneClickOnAPictureButtonRunsItsCommandOnceAndLeavesItReleased)
{
    const std::pair<const char *, QString> cases[] = {
        {"Check1", "openFiles"}, {"Check4", "inputBox"}, {"Check2", "information"}};
    for (const auto &[name, dialog] : cases) {
        platform.dialogs.shown.clear();
        QTest::mouseClick(button(name), Qt::LeftButton);
        ASSERT_EQ(platform.dialogs.shown.size(), 1u) << name;
        EXPECT_EQ(platform.dialogs.shown[0].kind, dialog);
        EXPECT_FALSE(button(name)->isChecked());
    }
}

TEST_F(Window, TheListTakesDroppedFilesMovesAPressedEntryAndRemovesADoubleClickedOne)
{
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile("/docs/A"), QUrl::fromLocalFile("/docs/B"), QUrl::fromLocalFile("/docs/C")});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list()->viewport(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list()->viewport(), &drop);
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

// The button is drawn released as soon as its command begins, while its dialog is up: what the
// screen shows of it then is what it shows before the click.
TEST_F(Window, APictureButtonLooksReleasedWhileItsCommandWorks)
{
    // What the screen shows of widget now, without giving the window a chance to paint.
    const auto shown = [this](QWidget *widget) {
        return form.screen()
            ->grabWindow(form.winId(), widget->x(), widget->y(), widget->width(), widget->height())
            .toImage();
    };
    const auto onScreen = [&](QWidget *widget) {
        QCoreApplication::processEvents();
        return shown(widget);
    };
    for (const char *name : {"Check1", "Check4", "Check2"}) {
        QToolButton *clicked = button(name);
        moveOver(clicked); // as it is drawn under the pointer
        const QImage released = onScreen(clicked);
        QImage duringCommand;
        platform.dialogs.onShow = [&](const ShownDialog &) {
            if (duringCommand.isNull())
                duringCommand = shown(clicked);
        };
        QSignalBlocker quiet(clicked);
        clicked->setChecked(true); // how it looks pressed
        const QImage pressed = onScreen(clicked);
        clicked->setChecked(false);
        quiet.unblock();
        QTest::mouseClick(clicked, Qt::LeftButton);
        ASSERT_FALSE(duringCommand.isNull()) << name;
        EXPECT_NE(pressed, released) << name;
        EXPECT_EQ(duringCommand, released) << name;
    }
}

// A failure that a command does not expect, memory running out in a dialog here, ends that
// command with a message saying what failed; the window and its list live on.
TEST_F(Window, AFailureInsideACommandEndsItWithAMessageAndTheListStays)
{
    list()->addTopLevelItem(new QTreeWidgetItem(QStringList{"/docs/kept.doc"}));
    platform.dialogs.onShow = [](const ShownDialog &dialog) {
        if (dialog.kind != QLatin1String("information"))
            throw std::bad_alloc();
    };
    const std::pair<const char *, const char *> commands[] = {
        {"Check1", "Adding the files failed: there was not enough memory."},
        {"Check4", "Adding the files of the folder failed: there was not enough memory."}};
    for (const auto &[name, says] : commands) {
        platform.dialogs.shown.clear();
        QTest::mouseClick(button(name), Qt::LeftButton);
        EXPECT_EQ(platform.dialogs.messages(), QStringList{QLatin1String(says)}) << name;
        EXPECT_FALSE(button(name)->isChecked());
    }
    EXPECT_EQ(entries(), QStringList{"/docs/kept.doc"});
    EXPECT_EQ(form.MousePointer(), DefaultPointer);
}

// The flavour chosen with the option buttons is the format the run saves in.
TEST_F(Window, NormalSavesInFormat8AndFilteredInFormat10)
{
    FakeWord word;
    list()->addTopLevelItem(new QTreeWidgetItem(QStringList{"/docs/a.doc"}));
    const auto savedFormat = [&] {
        word.clear();
        QTest::mouseClick(button("Check2"), Qt::LeftButton);
        for (const WordCall &call : word.calls())
            if (call.member == QLatin1String("SaveAs"))
                return call.named.at(1).second.toInt();
        return 0;
    };
    EXPECT_EQ(savedFormat(), 8);
    QTest::mouseClick(control<QRadioButton>("Option2"), Qt::LeftButton);
    EXPECT_EQ(savedFormat(), 10);
}

// While a run converts, the window keeps painting but takes no input: a click on "Convert to
// HTML" and a drop on the list are neither acted on then nor afterwards.
TEST_F(Window, ARunTakesNoClickAndNoDropAndKeepsNoneForLater)
{
    FakeWord word;
    for (const char *path : {"/docs/a.doc", "/docs/b.doc"})
        list()->addTopLevelItem(new QTreeWidgetItem(QStringList{path}));
    std::atomic_bool inputSent = false;
    bool dropTaken = true;
    QTimer::singleShot(50, &form, [&] {
        QTest::mouseClick(button("Check2"), Qt::LeftButton);
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile("/docs/dropped.doc")});
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list()->viewport(), &enter);
        dropTaken = enter.isAccepted();
        inputSent = true;
    });
    word.onCall = [&](const WordCall &call) {
        while (call.member == QLatin1String("Open") && !inputSent)
            QThread::msleep(10);
    };
    QTest::mouseClick(button("Check2"), Qt::LeftButton);
    QTest::qWait(100);

    EXPECT_TRUE(inputSent);
    EXPECT_FALSE(dropTaken);
    EXPECT_EQ(platform.dialogs.messages(), QStringList{"Done."});
    EXPECT_EQ(word.instancesCreated, 2);
    EXPECT_EQ(entries(), QStringList({"/docs/a.doc", "/docs/b.doc"}));
    EXPECT_FALSE(button("Check2")->isChecked());
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
    FakePlatform platform;
    platform.screen.geometry = QRect(0, 0, 1280, 1024);
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
        QTemporaryDir programFolder;
        if (!contents.isEmpty()) {
            QFile cursor(programFolder.filePath("HAND-M.CUR"));
            ASSERT_TRUE(cursor.open(QIODevice::WriteOnly));
            cursor.write(contents);
        }
        FakePlatform platform;
        platform.programDirectory = programFolder.path();
        Form1 form(platform.bundle());
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        QToolButton *check1 = form.findChild<QToolButton *>("Check1");
        QTest::mouseMove(&form, QPoint(3, 300)); // from the background onto the button
        QTest::mouseMove(check1, check1->rect().center());
        EXPECT_EQ(form.MousePointer(), CustomPointer);
        EXPECT_EQ(check1->cursor().shape(), Qt::ArrowCursor);
        EXPECT_TRUE(platform.dialogs.shown.empty());
    }
}

} // namespace
