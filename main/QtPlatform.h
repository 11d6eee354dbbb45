// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The seams as the running program uses them: real dialogs, a real launch, a real draw.

#include "Platform.h"

#include <random>

class QtDialogs : public Dialogs {
public:
    void information(QWidget *owner, const QString &text) override;
    bool askYesNo(QWidget *owner, const QString &text) override;
    QString inputBox(QWidget *owner, const QString &prompt, const QString &defaultText) override;
    QString browseForFolder(QWidget *owner, const QString &title) override;
    OpenFilesResult openFiles(QWidget *owner, const OpenFilesRequest &request) override;
};

class QtShell : public Shell {
public:
    bool launchDetached(const QString &program, const QStringList &arguments) override;
};

class StdRandomSource : public RandomSource {
public:
    void seed(float seconds) override;
    float next() override;

private:
    std::mt19937 generator_;
};

class QtScreen : public Screen {
public:
    QRect primaryGeometry() const override;
};

class QtPlatform {
public:
    Platform bundle();

private:
    QtDialogs dialogs_;
    QtShell shell_;
    StdRandomSource random_;
    QtScreen screen_;
};
