// Runs the window's tests inside one application object, as the program runs. Listing the
// tests (CTest's discovery) happens without the test environment, so the same settings are
// the defaults here: offscreen, 96 DPI.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsSet("QT_FONT_DPI"))
        qputenv("QT_FONT_DPI", "96");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
