// Test programs of the conversion: a running-object folder of their own, so that neither a real
// running office nor another test program counts as "Word".

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char *argv[])
{
    QTemporaryDir runtimeDir;
    if (!runtimeDir.isValid())
        return 1;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
