// The automation layer's tests, and two roles of another process of this user: --print-running
// <progId> prints what GetObject finds (or the error number); --hold-running <progId> <name>
// keeps such an object running until its standard input closes.

#include "automation/NamedObject.h"
#include "convert/automation/ObjectRegistry.h"
#include "convert/automation/RunningObjects.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>


int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--print-running") == 0) {
        try {
            std::printf("%s", qPrintable(GetObject(QString::fromLocal8Bit(argv[2]))->DefaultMember().toText()));
        } catch (const AutomationError &error) {
            std::printf("%d", error.number());
        }
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "--hold-running") == 0) {
        const ObjectRef object = std::make_shared<NamedObject>(QString::fromLocal8Bit(argv[3]));
        const RunningObjectRegistration registration(QString::fromLocal8Bit(argv[2]), object);
        std::cout << "ready" << std::endl;
        for (std::string line; std::getline(std::cin, line);) {
        }
        return 0;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
