// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Long documents full of lists, as reports and contracts are, converted as the program does (one
// application object per document, through one office prepared beforehand): how the time of a
// save, which prepares the document and exports it, grows with its length. Two kinds, written
// here as RTF of 500 to 4,000 paragraphs:
//   - "plain labels": three paragraphs in four items of a list numbered "1.", which browsers
//     label alike, one item in ten with a highlighted word;
//   - "own labels": the same with items numbered "(1)", which the page labels itself, one item in
//     ten highlighted throughout and one in ten in part.
// Prints open and save times and the save's milliseconds per 1,000 paragraphs, the middle of
// three tries each.
//
// bench_long_documents [--filtered]

#include "LongDocument.h"
#include "ObjectRegistry.h"
#include "OfficeEngine.h"
#include "OfficeRuns.h"
#include "TestDocuments.h"
#include "WordSaveAs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <tuple>
#include <vector>

namespace {

constexpr int Tries = 3;

double middle(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

struct Times {
    double open = 0;
    double save = 0;
};

// Converts path once as the program does; the page is written beside it.
Times convert(const QString &path, std::int32_t format)
{
    QElapsedTimer timer;
    const ObjectRef word = CreateInstance(QStringLiteral("Word.Application"));
    timer.start();
    const ObjectRef document
        = word->Invoke(QStringLiteral("Documents")).toObject()->Invoke(QStringLiteral("Open"), {path}).toObject();
    Times times;
    times.open = timer.nsecsElapsed() / 1e9;
    timer.restart();
    document->Invoke(QStringLiteral("SaveAs"), {}, SaveAsArguments(PageBeside(path), format));
    times.save = timer.nsecsElapsed() / 1e9;
    word->Invoke(QStringLiteral("Quit"));
    return times;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const std::int32_t format = application.arguments().contains(QStringLiteral("--filtered"))
                                    ? WordSaveFormat::FilteredHtml
                                    : WordSaveFormat::Html;
    RegisterOfficeEngine();
    PrepareOffices(1);
    QTemporaryDir folder;
    std::printf("%-13s %10s %8s %8s %18s\n", "labels", "paragraphs", "open s", "save s", "save ms / 1,000");
    for (const auto &[kind, label, throughout] :
         {std::tuple{"plain labels", PlainListLabel, false}, std::tuple{"own labels", OwnListLabel, true}}) {
        for (const int paragraphs : {500, 1000, 2000, 4000}) {
            const QString path = folder.filePath(QStringLiteral("long-%1.rtf").arg(paragraphs));
            if (!WriteLongListDocument(path, paragraphs, label, throughout))
                return 1;
            std::vector<double> opens, saves;
            try {
                for (int attempt = 0; attempt < Tries; ++attempt) {
                    const Times times = convert(path, format);
                    opens.push_back(times.open);
                    saves.push_back(times.save);
                }
            } catch (const AutomationError &error) {
                std::printf("%-13s %10d error %d: %s\n", kind, paragraphs, error.number(),
                            qPrintable(error.description()));
                continue;
            }
            std::printf("%-13s %10d %8.2f %8.2f %18.0f\n", kind, paragraphs, middle(opens), middle(saves),
                        middle(saves) * 1e6 / paragraphs);
        }
    }
    EndEveryOffice();
    return 0;
}
