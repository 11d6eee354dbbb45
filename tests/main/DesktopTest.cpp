// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window on today's desktops: its captions readable in a light and in a dark theme, what a
// screen reader is told of it, the keys that work it without a mouse, and its pictures at the
// scales of high-density screens.
#include "FakeWord.h"
#include "Rows.h"
#include "ShownWindow.h"

#include <QAccessible>
#include <QApplication>
#include <QTemporaryDir>

#include <cmath>

namespace {

// The relative luminance of a colour, as the accessibility guidelines of the web define it.
double luminance(QRgb colour)
{
    const auto linear = [](int channel) {
        const double value = channel / 255.0;
        return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) + 0.0722 * linear(qBlue(colour));
}

double contrast(QRgb one, QRgb other)
{
    const double first = luminance(one), second = luminance(other);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// How well a control's caption reads on what it stands on, as drawn: the caption's pixels are
// those that change when its text takes the colour of its background, each compared with the
// same pixel without the caption; the strongest pair counts (a letter's solid stroke, not its
// smoothed edge). 1 when nothing of the caption shows.
double captionContrast(QWidget *control, QPalette::ColorRole text, QPalette::ColorRole background)
{
    const QPalette palette = control->palette();
    const QImage shown = control->grab().toImage();
    QPalette blank = palette;
    blank.setColor(text, palette.color(background));
    control->setPalette(blank);
    const QImage bare = control->grab().toImage();
    control->setPalette(palette);
    double strongest = 1;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            strongest = std::max(strongest, contrast(shown.pixel(x, y), bare.pixel(x, y)));
    return strongest;
}

QPalette lightPalette()
{
    return QApplication::style()->standardPalette();
}

// Light grey text on dark grey, as a dark theme gives it.
QPalette darkPalette()
{
    QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x35, 0x35, 0x35));
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        dark.setColor(role, QColor(0xF0, 0xF0, 0xF0));
    dark.setColor(QPalette::Base, QColor(0x2A, 0x2A, 0x2A));
    return dark;
}

// The program's palette, as the desktop's theme sets it, for as long as this lives.
class ThemePalette {
public:
    explicit ThemePalette(const QPalette &palette) { QApplication::setPalette(palette); }
    ~ThemePalette() { QApplication::setPalette(before); }

private:
    const QPalette before = QApplication::palette();
};

struct Theme {
    const char *name;
    QPalette (*palette)();
    friend void PrintTo(const Theme &row, std::ostream *out) { *out << row.name; }
};

// The window made under the theme's palette.
class Themed : private ThemePalette, public Window, public testing::WithParamInterface<Theme> {
protected:
    Themed()
        : ThemePalette(testing::WithParamInterface<Theme>::GetParam().palette())
    {
    }
};

using Told = std::pair<QAccessible::Role, QString>; // a control's role and name

Told told(QAccessibleInterface *control)
{
    return control ? Told(control->role(), control->text(QAccessible::Name)) : Told();
}

} // namespace

// Every caption and label reads on what it stands on, with a contrast of at least 4.5 to 1, in a
// light theme and in a dark one: the option buttons and the picture buttons on the window's
// white, which stays, and the list's column title and entries on the theme's own colours, which
// the list follows.
TEST_P(Themed, EveryCaptionReadsOnWhatItStandsOn)
{
    list->addTopLevelItem(new QTreeWidgetItem(QStringList{"/docs/Report.doc"}));
    struct Caption {
        const char *control;
        QPalette::ColorRole text, background;
        const char *what;
    };
    const Caption captions[] = {{"Option1", QPalette::WindowText, QPalette::Window, "Normal"},
                                {"Option2", QPalette::WindowText, QPalette::Window, "Filtered"},
                                {"Check1", QPalette::ButtonText, QPalette::Button, "Add Word File(s)"},
                                {"Check4", QPalette::ButtonText, QPalette::Button, "Add All Word Files In Folder"},
                                {"Check2", QPalette::ButtonText, QPalette::Button, "Convert to HTML"},
                                {"ListView1", QPalette::ButtonText, QPalette::Button, "the list's column title"},
                                {"ListView1", QPalette::Text, QPalette::Base, "an entry of the list"}};
    for (const Caption &caption : captions)
        EXPECT_GE(captionContrast(form.findChild<QWidget *>(caption.control), caption.text, caption.background), 4.5)
            << caption.what;
    EXPECT_EQ(QColor(form.grab().toImage().pixel(2, 2)), QColor(Qt::white));
}

INSTANTIATE_TEST_SUITE_P(Desktop, Themed, testing::Values(Theme{"Light", lightPalette}, Theme{"Dark", darkPalette}),
                         RowName);

// What a screen reader is told, through the interfaces it reads: nothing of the hidden focus
// holder, neither when the window opens with the focus on it (a focus event carries nothing to
// present) nor among the window's controls. After Tab the focus is on "Add Word File(s)", a push
// button, which the screen reader can press. Each control is told by its role and name (the blank
// that leads one caption left out), the list with its tooltip as description, and the progress
// bar reports each value a run gives it.
TEST_F(Window, AScreenReaderIsToldEachControlByRoleAndNameAndNothingOfTheFocusHolder)
{
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QWidget *focusHolder = QApplication::focusWidget();
    EXPECT_EQ(QAccessibleEvent(focusHolder, QAccessible::Focus).accessibleInterface(), nullptr);
    QTest::keyClick(focusHolder, Qt::Key_Tab);
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(&form);
    EXPECT_EQ(told(window->focusChild()), Told(QAccessible::PushButton, "Add Word File(s)"));

    std::vector<Told> controls;
    for (int index = 0; index < window->childCount(); ++index)
        if (QAccessibleInterface *control = window->child(index); control && control->isValid())
            controls.push_back(told(control));
    EXPECT_EQ(controls, std::vector<Told>({{QAccessible::Tree, "Word File(s)"},
                                           {QAccessible::RadioButton, "Normal"},
                                           {QAccessible::RadioButton, "Filtered"},
                                           {QAccessible::PushButton, "Add Word File(s)"},
                                           {QAccessible::PushButton, "Add All Word Files In Folder"},
                                           {QAccessible::PushButton, "Convert to HTML"},
                                           {QAccessible::ProgressBar, "Conversion progress"}}));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(list)->text(QAccessible::Description), list->toolTip());

    const QTemporaryDir docs;
    const QStringList chosen{docs.filePath("A.doc"), docs.filePath("B.doc"), docs.filePath("C.doc")};
    platform.dialogs.fileAnswers = {OpenFilesResult{chosen}};
    QAccessible::queryAccessibleInterface(button("Check1"))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(entries(), chosen);
    auto *bar = form.findChild<QProgressBar *>("ProgressBar1");
    QStringList reported;
    QObject::connect(bar, &QProgressBar::valueChanged, [&] {
        reported << QAccessible::queryAccessibleInterface(bar)->valueInterface()->currentValue().toString();
    });
    FakeWord word;
    button("Check2")->click();
    EXPECT_EQ(reported, QStringList({"33", "67", "100", "0"}));
}

// Delete and BackSpace on the list remove the selected entry, as a double-click does: with the
// keyboard alone, the one the arrow keys selected; nothing while no entry is selected, and the
// entry that is current after a removal is not.
class RemovalKey : public Window, public testing::WithParamInterface<Qt::Key> {};

TEST_P(RemovalKey, RemovesTheSelectedEntryAndNothingWhenNoneIsSelected)
{
    ASSERT_TRUE(dropOnList({"file:///docs/A.doc", "file:///docs/B.doc", "file:///docs/C.doc"}));
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    list->setFocus(Qt::TabFocusReason); // the first entry current, none selected
    QTest::keyClick(list, GetParam());
    EXPECT_EQ(entries(), QStringList({"/docs/A.doc", "/docs/B.doc", "/docs/C.doc"}));
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, GetParam());
    EXPECT_EQ(entries(), QStringList({"/docs/A.doc", "/docs/C.doc"}));
    QTest::keyClick(list, GetParam());
    EXPECT_EQ(entries(), QStringList({"/docs/A.doc", "/docs/C.doc"}));
}

INSTANTIATE_TEST_SUITE_P(Desktop, RemovalKey, testing::Values(Qt::Key_Delete, Qt::Key_Backspace),
                         [](const auto &row) { return row.param == Qt::Key_Delete ? "Delete" : "BackSpace"; });

// Ctrl+O does what "Add Word File(s)" does.
TEST_F(Window, CtrlOAddsFilesAsAddWordFilesDoes)
{
    platform.dialogs.fileAnswers = {OpenFilesResult{{"/docs/A.doc"}}};
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(platform.dialogs.shown.size(), 1u);
    EXPECT_EQ(platform.dialogs.shown[0].kind, "openFiles");
    EXPECT_EQ(entries(), QStringList{"/docs/A.doc"});
}

// Each picture button shows its picture as drawn for the scale of the screen, or at a scale it was
// not drawn for the next larger drawing made smaller, never a smaller one enlarged: the button
// looks as it does with that drawing alone to show. The scale is 1 here; CTest runs this case
// again on screens that scale by 1.5, 2 and 3 (QT_SCALE_FACTOR).
TEST_F(Window, EachButtonShowsItsPictureDrawnForTheScaleOfTheScreen)
{
    const qreal scale = form.devicePixelRatioF();
    ASSERT_DOUBLE_EQ(scale, qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble())
        << "the screen scales as QT_SCALE_FACTOR says";
    const QString drawn = scale <= 1   ? QStringLiteral(".ico")
                          : scale <= 2 ? QStringLiteral("-64.png")
                                       : QStringLiteral("-96.png");
    for (const auto &[name, picture] : {std::pair{"Check1", "check1"}, {"Check4", "check4"}, {"Check2", "check2"}}) {
        QToolButton *shown = button(name);
        const QString drawing = QStringLiteral(QUORVANE_PICTURES "/") + picture + drawn;
        ASSERT_TRUE(QFile::exists(drawing)) << qPrintable(drawing);
        const QImage withItsPictures = shown->grab().toImage();
        shown->setIcon(QIcon(drawing));
        EXPECT_TRUE(shown->grab().toImage() == withItsPictures) << qPrintable(drawing);
    }
}
