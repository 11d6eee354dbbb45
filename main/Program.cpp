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
