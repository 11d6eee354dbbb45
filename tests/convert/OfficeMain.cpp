// Test program of the conversion through the real office engine.

#include "convert/office/OfficeEngine.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char *argv[])
{
    // A running-object folder of its own, so that offices of other programs stay out of sight.
    QTemporaryDir runtimeDir;
    if (!runtimeDir.isValid())
        return 1;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
    QCoreApplication app(argc, argv);
    RegisterOfficeEngine();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
