// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Converts each document named on the command line as the program does (one application
// object per document) and prints how long each step took, and how long the first document
// took from CreateInstance to Open's return. Usage: office_bench [--filtered] file...
// The web pages are written beside the documents.

#include "ObjectRegistry.h"
#include "OfficeEngine.h"
#include "WordSaveAs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>

namespace {
double lap(QElapsedTimer &timer)
{
    const double seconds = timer.nsecsElapsed() / 1e9;
    timer.restart();
    return seconds;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QStringList files = application.arguments().mid(1);
    const bool filtered = files.removeAll(QStringLiteral("--filtered")) > 0;
    RegisterOfficeEngine();
    std::printf("%-50s %7s %7s %7s %7s %7s\n", "document", "start", "open", "save", "quit", "total");
    double sum = 0;
    double firstOpened = -1;
    for (const QString &file : files) {
        QElapsedTimer timer;
        timer.start();
        double start = 0, open = 0, save = 0, quit = 0;
        const QFileInfo info(file);
        try {
            const ObjectRef word = CreateInstance(QStringLiteral("Word.Application"));
            start = lap(timer);
            const ObjectRef document = word->Invoke(QStringLiteral("Documents"))
                                           .toObject()
                                           ->Invoke(QStringLiteral("Open"), {info.absoluteFilePath()})
                                           .toObject();
            open = lap(timer);
            if (firstOpened < 0)
                firstOpened = start + open;
            document->Invoke(QStringLiteral("SaveAs"), {},
                             SaveAsArguments(info.absolutePath() + QLatin1Char('/') + info.completeBaseName()
                                                 + QStringLiteral(".htm"),
                                             filtered ? WordSaveFormat::FilteredHtml : WordSaveFormat::Html));
            save = lap(timer);
            word->Invoke(QStringLiteral("Quit"));
            quit = lap(timer);
        } catch (const AutomationError &error) {
            std::printf("%-50s error %d: %s\n", qPrintable(info.fileName().left(50)), error.number(),
                        qPrintable(error.description()));
            continue;
        }
        const double total = start + open + save + quit;
        sum += total;
        std::printf("%-50s %7.2f %7.2f %7.2f %7.2f %7.2f\n", qPrintable(info.fileName().left(50)), start, open, save,
                    quit, total);
    }
    std::printf("total %.2f s for %lld documents\n", sum, static_cast<long long>(files.size()));
    std::printf("first document, CreateInstance to Open's return: %.2f s\n", firstOpened);
    return 0;
}
