// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window as a program of its own, for the tests that end it from outside on a real display:
// it shows the window with fake seams and prints the window's id; given a folder, it converts
// the folder's documents. Its status is 0 only when the window's ending ended it; a minute on it
// ends with status 3, so that an ending that did not come fails.
#include "FolderRun.h"
#include "OfficeEngine.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    RegisterOfficeEngine();
    FakePlatform platform;
    Form1 form(platform.bundle());
    form.show();
    std::printf("%llu\n", static_cast<unsigned long long>(form.winId()));
    std::fflush(stdout);
    QTimer::singleShot(60000, [] { std::_Exit(3); });
    if (argc > 1)
        ConvertFolder(form, platform.dialogs, QString::fromLocal8Bit(argv[1]));
    app.exec();
    return 4;
}
