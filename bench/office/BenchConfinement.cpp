// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What confining the offices costs: the test documents known to convert (about fifty) and those
// of 1 MB or more among them, each set converted one document after another as a run converts
// them (ConvertDocument, pooled offices), alternately with the offices in their sandbox and
// without it, in the same run. Each conversion of a set starts cold: its first document pays for
// an office start, and its offices end with it. Prints, for each, the median of the rounds of the
// wall time and of the processor time the offices took (what the load of a shared machine
// disturbs least), and their ratios.
//
// bench_confinement [--filtered] [rounds]

#include "ConvertDocument.h"
#include "ConvertibleDocuments.h"
#include "OfficeEngine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <sys/resource.h>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

struct Figures {
    double seconds = 0;
    double processorSeconds = 0; // of the offices, which end with the set
    int failed = 0;
};

// The processor time of the ended processes this program has collected: its offices, and their
// sandboxes with the office each collected.
double collectedProcessorSeconds()
{
    rusage usage{};
    ::getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Converts copies of sources in folder with the offices confined or not.
Figures convert(const QStringList &sources, const QString &folder, bool confined, std::int32_t format)
{
    OfficeSettings settings = DefaultOfficeSettings();
    if (!confined)
        settings.sandbox.clear();
    RegisterOfficeEngine(settings); // ends the offices of the other setting: a cold start
    const QStringList documents = CopiedInto(folder, sources);
    int failed = 0;
    const double processorBefore = collectedProcessorSeconds();
    QElapsedTimer timer;
    timer.start();
    for (const QString &document : documents) {
        try {
            if (std::optional<StagedPage> page = ConvertDocument(document, format))
                page->commit();
        } catch (const AutomationError &) {
            ++failed;
        }
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    EndIdleOfficeProcesses();
    return {seconds, collectedProcessorSeconds() - processorBefore, failed};
}

void measure(const char *title, const QStringList &sources, std::int32_t format, int rounds, const QString &work)
{
    std::vector<double> wall[2], processor[2]; // unconfined, confined
    int failed = 0;
    for (int round = 0; round < rounds; ++round) {
        for (const bool sandbox : {true, false}) {
            const QString folder = work + QStringLiteral("/%1-%2-%3").arg(title).arg(round).arg(sandbox);
            const Figures figures = convert(sources, folder, sandbox, format);
            wall[sandbox].push_back(figures.seconds);
            processor[sandbox].push_back(figures.processorSeconds);
            failed += figures.failed;
        }
    }
    std::printf("%-12s %9lld %8.2f %8.2f %7.3f %8.2f %8.2f %7.3f %7d\n", title, qlonglong(sources.size()),
                median(wall[true]), median(wall[false]), median(wall[true]) / median(wall[false]),
                median(processor[true]), median(processor[false]), median(processor[true]) / median(processor[false]),
                failed);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    const bool filtered = arguments.removeAll(QStringLiteral("--filtered")) > 0;
    const int rounds = arguments.isEmpty() ? 3 : std::max(1, arguments.first().toInt());
    const std::int32_t format = filtered ? WordSaveFormat::FilteredHtml : WordSaveFormat::Html;
    if (const QString missing =
            [] {
                RegisterOfficeEngine();
                return MissingOfficeProtection();
            }();
        !missing.isEmpty()) {
        std::printf("offices cannot be confined here: %s\n", qPrintable(missing));
        return 1;
    }
    const QStringList convertible = ConvertibleTestDocuments();
    const QStringList large = LargeDocuments(convertible);
    QTemporaryDir work;
    std::printf("format %d, %d rounds, one document at a time, medians\n", format, rounds);
    std::printf("%-12s %9s %8s %8s %7s %8s %8s %7s %7s\n", "set", "documents", "wall in", "wall out", "ratio", "cpu in",
                "cpu out", "ratio", "failed");
    measure("convertible", convertible, format, rounds, work.path());
    measure("large", large, format, rounds, work.path());
    return 0;
}
