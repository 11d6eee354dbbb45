// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A check box drawn as a push button, the look of the window's three command buttons: the
// picture centred above the caption, the caption wrapped onto as many lines as it needs, and
// the pressed look while the state is 1 (checked). To the keyboard and to assistive technology
// it is a push button: Enter acts as Space does, and a screen reader hears "push button".

#include <QToolButton>

class PictureButton : public QToolButton {
    Q_OBJECT
public:
    PictureButton(const QString &caption, QWidget *parent);

    // The picture called name among the program's pictures, drawn at 32, 64 and 96 pixels
    // (name.ico, name-64.png, name-96.png) for screens that scale by 1, 2 and 3. The scale of the
    // screen it is painted on chooses the drawing: the one made for it, or else the next larger
    // one made smaller.
    void setPicture(const QString &name);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
};
