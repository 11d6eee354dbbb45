// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form1.h"
#include "OfficeEngine.h"
#include "QtPlatform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    RegisterOfficeEngine();
    QtPlatform platform;
    Form1 form(platform.bundle());
    form.show();
    return app.exec();
}
