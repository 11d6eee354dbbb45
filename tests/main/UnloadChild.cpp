// The child program of the FormUnload test: shows the window, has it closed while a command
// waits, and prints "carried on" if anything runs after the close.
//   walk  the command yields with processEvents, as the folder walk does
//   loop  the command waits in a nested event loop
//   idle  nothing runs; the close arrives in the main loop
#include "FakePlatform.h"
#include "Form1.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWindow>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString scenario = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    FakePlatform platform;
    Form1 form(platform.bundle());
    form.show();
    QTimer::singleShot(200, &form, [&form] { form.windowHandle()->close(); });

    std::printf("waiting\n");
    std::fflush(stdout);
    const QDeadlineTimer deadline(20000);
    if (scenario == "walk") {
        while (!deadline.hasExpired())
            QCoreApplication::processEvents();
    } else if (scenario == "loop") {
        QEventLoop loop;
        QTimer::singleShot(20000, &loop, &QEventLoop::quit);
        loop.exec();
    } else {
        QTimer::singleShot(20000, &app, &QCoreApplication::quit);
        app.exec();
    }
    std::printf("carried on\n");
    return 3;
}
