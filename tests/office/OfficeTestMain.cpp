// The office tests, and three roles of another program: --print-running-word prints the default
// member of the running "Word.Application" (or the error number); --hold-word creates one,
// prints its office's process id and waits to be killed; --convert-and-return path converts
// path, prints the process ids of the offices it leaves (the warm one and the spare) and ends.

#include "convert/automation/ObjectRegistry.h"
#include "office/OfficeTestSupport.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

#include <unistd.h>

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
    if (argc == 2 && std::strcmp(argv[1], HoldWordFlag) == 0) {
        RegisterOfficeEngine(TestOfficeSettings());
        const ObjectRef word = CreateObject(QStringLiteral("Word.Application"));
        std::printf("%lld\n", OfficeChildren().value(0));
        std::fflush(stdout);
        for (;;)
            ::pause();
    }
    if (argc == 3 && std::strcmp(argv[1], ConvertAndReturnFlag) == 0) {
        OfficeSettings settings = TestOfficeSettings();
        settings.reuse.standby = true;
        RegisterOfficeEngine(settings);
        ConvertWithWord(QString::fromLocal8Bit(argv[2]), PageBeside(QString::fromLocal8Bit(argv[2])), Normal);
        for (const qint64 office : OfficeChildren())
            std::printf("%lld ", office);
        return 0;
    }
    // Instances are registered where only this program and its children look, so other test
    // programs running meanwhile do not find a Word of ours.
    const QTemporaryDir runtimeFolder;
    qputenv("XDG_RUNTIME_DIR", runtimeFolder.path().toLocal8Bit());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
