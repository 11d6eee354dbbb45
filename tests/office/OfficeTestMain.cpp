// The office tests; run with --print-running-word, the program instead prints the default
// member of the running "Word.Application" it finds, as a second process would see it.

#include "convert/automation/ObjectRegistry.h"
#include "office/OfficeTestSupport.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc == 2 && std::strcmp(argv[1], PrintRunningWordFlag) == 0) {
        try {
            std::printf("%s", qPrintable(GetObject(QStringLiteral("Word.Application"))->DefaultMember().toText()));
            return 0;
        } catch (const AutomationError &error) {
            std::printf("%d", error.number());
            return 1;
        }
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
