// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window on today's desktops: its captions readable in a light and in a dark theme.
#include "Rows.h"
#include "ShownWindow.h"

#include <QApplication>

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
