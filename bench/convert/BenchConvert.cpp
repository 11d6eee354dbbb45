// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Converts the same documents as the "Convert to HTML" run does (ConversionJobs: one application
// object per document, pages put in place in list order) with one office and with the default
// number at once, each cold (the run starts its offices) and warm (offices prepared before the
// run, as the window prepares them when the list fills), and LibreOffice's own batch conversion
// of the same files in the same run. Prints wall times, their ratio and the peak memory of all
// office processes together. The documents are copied into a temporary folder first, so nothing
// is written beside the originals.
//
// bench_convert [--filtered] [folder]: the test documents known to convert, and those of 1 MB or
// more among them; with a folder, every file in it instead.

#include "ConversionJobs.h"
#include "ConvertibleDocuments.h"
#include "LibreOfficeBatch.h"
#include "OfficeRuns.h"
#include "ProcessRecords.h"
#include "WordSaveAs.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

namespace {

using namespace std::chrono_literals;

QStringList filesIn(const QString &folder)
{
    QStringList paths;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name))
        paths << dir.filePath(name);
    return paths;
}

qint64 residentMemory(const QList<qint64> &processes)
{
    qint64 bytes = 0;
    for (const qint64 pid : processes)
        bytes += std::max<qint64>(0, ReadKilobyteFigure(QStringLiteral("/proc/%1/status").arg(pid), "VmRSS"));
    return bytes;
}

// Samples the memory of all office processes together while it lives; the highest sum seen.
class MemoryPeak {
public:
    MemoryPeak()
        : sampler([this] {
            while (!stop) {
                peak = std::max(peak.load(), residentMemory(OfficeProcesses()));
                std::this_thread::sleep_for(50ms);
            }
        })
    {
    }
    ~MemoryPeak()
    {
        stop = true;
        sampler.join();
    }
    qint64 megabytes() const { return peak / (1024 * 1024); }

private:
    std::atomic_bool stop = false;
    std::atomic<qint64> peak = 0;
    std::thread sampler;
};

struct Figures {
    double seconds = 0;
    qint64 peakMegabytes = 0;
    int failed = 0;
};

// One run as the window makes it: every document, jobs at once, pages placed in list order.
Figures run(const QStringList &documents, std::int32_t format, int jobs)
{
    MemoryPeak memory;
    QElapsedTimer timer;
    timer.start();
    const int failed = ConvertAsARun(documents, format, jobs).failed;
    return {timer.nsecsElapsed() / 1e9, memory.megabytes(), failed};
}

// One soffice batch call over every document, on a profile of its own prepared beforehand.
Figures batch(const QStringList &documents, const QString &outputFolder, const QString &profile)
{
    MemoryPeak memory;
    return {LibreOfficeBatchSeconds(documents, outputFolder, profile), memory.megabytes(), 0};
}

void measure(const QString &title, const QStringList &sources, std::int32_t format, const QString &work)
{
    const QString profile = work + QStringLiteral("/batch-profile");
    batch(sources.mid(0, 1), work + QStringLiteral("/batch-warm-up"), profile); // the profile's first start
    std::printf("\n%s: %lld documents\n", qPrintable(title), qlonglong(sources.size()));
    std::printf("%-6s %-5s %9s %9s %7s %11s %11s %7s\n", "jobs", "start", "ours s", "batch s", "ratio", "ours MB",
                "batch MB", "failed");
    int round = 0;
    for (const int jobs : {1, DefaultJobCount()}) {
        for (const bool warm : {false, true}) {
            const QString folder = work + QStringLiteral("/%1-%2").arg(title).arg(++round);
            const QStringList documents = CopiedInto(folder + QStringLiteral("/ours"), sources);
            EndEveryOffice();
            if (warm)
                PrepareOffices(jobs);
            const Figures ours = run(documents, format, jobs);
            EndEveryOffice();
            const Figures theirs = batch(CopiedInto(folder + QStringLiteral("/batch-in"), sources),
                                         folder + QStringLiteral("/batch-out"), profile);
            std::printf("%-6d %-5s %9.2f %9.2f %7.2f %11lld %11lld %7d\n", jobs, warm ? "warm" : "cold", ours.seconds,
                        theirs.seconds, ours.seconds / theirs.seconds, ours.peakMegabytes, theirs.peakMegabytes,
                        ours.failed);
        }
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    const bool filtered = arguments.removeAll(QStringLiteral("--filtered")) > 0;
    const std::int32_t format = filtered ? WordSaveFormat::FilteredHtml : WordSaveFormat::Html;
    RegisterOfficeEngine();
    QTemporaryDir work;
    std::printf("format %d, default jobs %d\n", format, DefaultJobCount());
    if (!arguments.isEmpty()) {
        measure(QStringLiteral("folder"), filesIn(arguments.first()), format, work.path());
        return 0;
    }
    const QStringList convertible = ConvertibleTestDocuments();
    const QStringList large = LargeDocuments(convertible);
    measure(QStringLiteral("convertible"), convertible, format, work.path());
    measure(QStringLiteral("large"), large, format, work.path());
    return 0;
}
