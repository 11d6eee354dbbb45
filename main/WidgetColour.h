// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <QPalette>
#include <QWidget>

// The role of the text drawn on a background role: WindowText on Window, ButtonText on Button,
// Text on Base.
constexpr QPalette::ColorRole textRoleOn(QPalette::ColorRole background)
{
    return background == QPalette::Button ? QPalette::ButtonText
           : background == QPalette::Base ? QPalette::Text
                                          : QPalette::WindowText;
}

// Gives one background role of a widget's palette a colour and the text drawn on it a colour
// that reads there (black on a light background, white on a dark one), so that the text colour
// of the desktop's theme, light in a dark theme, never meets a background it was not chosen for.
// Its children inherit both.
inline void setBackgroundColour(QWidget *widget, QPalette::ColorRole background, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(background, colour);
    palette.setColor(textRoleOn(background), colour.lightnessF() > 0.5 ? Qt::black : Qt::white);
    widget->setPalette(palette);
}
