// The child program of the FormUnload tests: shows the window, has it closed while a command
// waits, and prints "carried on" if anything runs after the close.
//   walk  the command yields with processEvents, as the folder walk does
//   loop  the command waits in a nested event loop
//   idle  nothing runs; the close arrives in the main loop
//   run FOLDER  imports the documents of FOLDER, converts them with the real office and is
//               closed once the first page is in place; prints the office processes it had
#include "FakePlatform.h"
#include "Form1.h"
#include "OfficeChildren.h"
#include "OfficeEngine.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IONBF, 0); // each line out as it is printed
    const QString scenario = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    FakePlatform platform;
    Form1 form(platform.bundle());
    form.show();
    const auto close = [&form] { form.windowHandle()->close(); };
    const auto click = [&form](const char *name) { form.findChild<QToolButton *>(QLatin1String(name))->click(); };
    if (scenario == "run" && argc > 2) {
        OfficeSettings settings = DefaultOfficeSettings();
        settings.profileRoot = QStringLiteral(QUORVANE_TEST_PROFILE_ROOT);
        RegisterOfficeEngine(settings);
        const QString folder = QString::fromLocal8Bit(argv[2]);
        platform.dialogs.inputAnswers = {QStringLiteral("doc")};
        platform.dialogs.folderAnswers = {folder};
        click("Check4");
        QTimer::singleShot(0, &form, [&] { click("Check2"); });
        auto *watch = new QTimer(&form);
        watch->callOnTimeout(&form, [&, folder] {
            if (QDir(folder).entryList({QStringLiteral("*.htm")}, QDir::Files).isEmpty())
                return;
            for (const qint64 office : OfficeChildren())
                std::printf("%lld ", office);
            std::printf("\n");
            close();
        });
        watch->start(20);
    } else {
        QTimer::singleShot(200, &form, close);
    }

    std::printf("waiting\n");
    const QDeadlineTimer deadline(20000);
    if (scenario == "walk") {
        while (!deadline.hasExpired())
            QCoreApplication::processEvents();
    } else if (scenario == "loop") {
        QEventLoop loop;
        QTimer::singleShot(20000, &loop, &QEventLoop::quit);
        loop.exec();
    } else {
        QTimer::singleShot(60000, &app, &QCoreApplication::quit);
        app.exec();
    }
    std::printf("carried on\n");
    return 3;
}
