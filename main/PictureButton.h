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

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
};
