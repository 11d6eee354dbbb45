// Converts each document named on the command line as the program does (one application
// object per document) and prints how long each step took, and how long the first document
// took from CreateObject to Open's return. Usage: office_bench [--filtered] [--warm-up] file...
// With --warm-up the engine is warmed up two seconds before the first document, as the program
// may do when the first document is listed. The web pages are written beside the documents.

#include "convert/automation/ObjectRegistry.h"
#include "convert/office/OfficeEngine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <chrono>
#include <cstdio>
#include <thread>

namespace {
double lap(QElapsedTimer &timer)
{
    const double seconds = timer.nsecsElapsed() / 1e9;
    timer.restart();
    return seconds;
}

Variant boolean(bool value)
{
    return Variant::fromBool(value);
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QStringList files = application.arguments().mid(1);
    const bool filtered = files.removeAll(QStringLiteral("--filtered")) > 0;
    const bool warmUp = files.removeAll(QStringLiteral("--warm-up")) > 0;
    RegisterOfficeEngine();
    if (warmUp) {
        WarmUpOfficeEngine();
        std::this_thread::sleep_for(std::chrono::seconds(2));
    }
    std::printf("%-50s %7s %7s %7s %7s %7s\n", "document", "start", "open", "save", "quit", "total");
    double sum = 0;
    double firstOpened = -1;
    for (const QString &file : files) {
        QElapsedTimer timer;
        timer.start();
        double start = 0, open = 0, save = 0, quit = 0;
        const QFileInfo info(file);
        try {
            const ObjectRef word = CreateObject(QStringLiteral("Word.Application"));
            start = lap(timer);
            const ObjectRef document = word->Invoke(QStringLiteral("Documents")).toObject()
                                           ->Invoke(QStringLiteral("Open"), {info.absoluteFilePath()}).toObject();
            open = lap(timer);
            if (firstOpened < 0)
                firstOpened = start + open;
            document->Invoke(QStringLiteral("SaveAs"), {},
                             {{QStringLiteral("FileName"), info.absolutePath() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".htm")},
                              {QStringLiteral("FileFormat"), filtered ? 10 : 8},
                              {QStringLiteral("LockComments"), boolean(false)},
                              {QStringLiteral("Password"), QString()},
                              {QStringLiteral("AddToRecentFiles"), boolean(true)},
                              {QStringLiteral("WritePassword"), QString()},
                              {QStringLiteral("ReadOnlyRecommended"), boolean(false)},
                              {QStringLiteral("EmbedTrueTypeFonts"), boolean(false)},
                              {QStringLiteral("SaveNativePictureFormat"), boolean(false)},
                              {QStringLiteral("SaveFormsData"), boolean(false)},
                              {QStringLiteral("SaveAsAOCELetter"), boolean(false)}});
            save = lap(timer);
            word->Invoke(QStringLiteral("Quit"));
            quit = lap(timer);
        } catch (const AutomationError &error) {
            std::printf("%-50s error %d: %s\n", qPrintable(info.fileName().left(50)), error.number(), qPrintable(error.description()));
            continue;
        }
        const double total = start + open + save + quit;
        sum += total;
        std::printf("%-50s %7.2f %7.2f %7.2f %7.2f %7.2f\n", qPrintable(info.fileName().left(50)), start, open, save, quit, total);
    }
    std::printf("total %.2f s for %lld documents\n", sum, static_cast<long long>(files.size()));
    std::printf("first document, CreateObject to Open's return (%s): %.2f s\n", warmUp ? "warmed up" : "cold", firstOpened);
    return 0;
}
