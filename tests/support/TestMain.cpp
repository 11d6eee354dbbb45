// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main of the widget test programs. Offscreen at 96 DPI also when CTest lists the tests
// outside the test environment; a running-object folder of its own, so that neither a real
// running office nor another test program counts as "Word".
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char *argv[])
{
    for (const auto &[name, value] : {std::pair{"QT_QPA_PLATFORM", "offscreen"}, {"QT_FONT_DPI", "96"}})
        if (qEnvironmentVariableIsEmpty(name))
            qputenv(name, value);
    const QTemporaryDir runtimeDir;
    if (!runtimeDir.isValid() || !qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path())))
        return 1;
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
