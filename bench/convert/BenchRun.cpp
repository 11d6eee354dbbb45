// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A run against the least time it could take on this machine, all measured in the same run. Each
// test document's own time is taken first: converted alone, through one office kept warm, the
// middle of three tries. A run of jobs offices cannot end sooner than its longest document, nor
// sooner than the sum of its documents' own times shared among the jobs: that is its bound.
// A run that starts its own offices cannot end sooner than its bound plus the time its offices
// take to start side by side and convert their first document of each kind: its fresh bound.
// Four sets are run, each as quorvane-convert (as built, starting its own offices), as the
// window runs it (its offices prepared when the list filled) and by LibreOffice's own batch
// conversion (soffice --convert-to html, on a profile prepared beforehand):
//   - the 50 test documents known to convert;
//   - a mix of 79: those of less than 1 MB, again and again, and the three of 1 MB or more
//     among them, the largest at position 55;
//   - the same mix with a long report in place of that largest one: 16,000 paragraphs full of
//     lists (1 MB of RTF, written here), which takes longer than all the others together;
//   - those 50 twenty times over, 1,000.
// For each it prints wall and processor time (the offices' included), the bound and
// achieved / bound (the command's also against its fresh bound), when the window's run put its
// first page in place (the bar's first move), the pages the batch wrote and the window's run
// against the batch. Before the sets, how well a document's size predicts its own time: the rank
// correlation of the two, and the share of all the time that the five largest documents and the
// five slowest take.
//
// bench_run [--filtered] [--sets small,mix,report,1000]: --sets runs only the sets named (all by
// default), so that before and after a change can be run alternately within minutes.

#include "ConvertCommandRun.h"
#include "ConvertDocument.h"
#include "ConvertibleDocuments.h"
#include "LibreOfficeBatch.h"
#include "LongDocument.h"
#include "OfficeRuns.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numeric>

#include <sys/resource.h>

namespace {

constexpr int OwnTimeTries = 3;
// Where in the mix its largest document stands, or the long report in its place.
constexpr int LargestPosition = 55;
// The long report: about six seconds on its own on the two-core machine.
constexpr int ReportParagraphs = 16'000;
// The batch conversion is given up after this many times the bound.
constexpr double BatchLimitPerBound = 20;

double seconds(const timeval &time)
{
    return double(time.tv_sec) + double(time.tv_usec) / 1e6;
}

// Processor time, user and system, of this program's threads and of its children that ended.
double rusageSeconds(int who)
{
    rusage usage{};
    ::getrusage(who, &usage);
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Processor time of this program, its ended children and the offices still running: the
// difference of two readings is what was spent between them, offices included.
double processorSecondsSoFar()
{
    return rusageSeconds(RUSAGE_SELF) + rusageSeconds(RUSAGE_CHILDREN) + ProcessorSeconds(OfficeProcesses());
}

struct Figures {
    double wall = -1;
    double processor = -1;
    double firstPlaced = -1; // until the first page was in place, the bar's first move
    qsizetype pages = 0;     // written by the batch conversion
};

// Copies of sources in folder, each name preceded by its position, so that a document listed
// twice has two copies.
QStringList numberedCopies(const QStringList &sources, const QString &folder)
{
    QStringList copies;
    for (int position = 1; position <= sources.size(); ++position)
        copies << CopiedInto(folder, {sources.at(position - 1)},
                             QStringLiteral("%1-").arg(position, 4, 10, QLatin1Char('0')));
    return copies;
}

// How long count offices take to start, all of them ready.
double officesStartIn(int count)
{
    EndEveryOffice();
    QElapsedTimer start;
    start.start();
    PrepareOffices(count);
    return start.nsecsElapsed() / 1e9;
}

// Each document's own time, converted alone through one warm office: the middle of its tries.
QHash<QString, double> ownTimes(const QStringList &sources, std::int32_t format, const QString &folder)
{
    EndEveryOffice();
    PrepareOffices(1);
    const QStringList copies = CopiedInto(folder, sources);
    QHash<QString, double> own;
    for (qsizetype i = 0; i < copies.size(); ++i) {
        std::vector<double> tries;
        for (int attempt = 0; attempt < OwnTimeTries; ++attempt) {
            QElapsedTimer timer;
            timer.start();
            try {
                if (std::optional<StagedPage> page = ConvertDocument(copies.at(i), format))
                    page->commit();
            } catch (const AutomationError &) {
            }
            tries.push_back(timer.nsecsElapsed() / 1e9);
        }
        std::sort(tries.begin(), tries.end());
        own.insert(sources.at(i), tries.at(tries.size() / 2));
    }
    EndEveryOffice();
    return own;
}

// Ranks 1..n of values, ties sharing the mean of their ranks.
std::vector<double> ranks(const std::vector<double> &values)
{
    std::vector<size_t> order(values.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return values[a] < values[b]; });
    std::vector<double> rank(values.size());
    for (size_t i = 0; i < order.size();) {
        size_t j = i;
        while (j + 1 < order.size() && values[order[j + 1]] == values[order[i]])
            ++j;
        for (size_t k = i; k <= j; ++k)
            rank[order[k]] = (double(i) + double(j)) / 2 + 1;
        i = j + 1;
    }
    return rank;
}

double correlation(const std::vector<double> &x, const std::vector<double> &y)
{
    const double n = double(x.size());
    const double meanX = std::accumulate(x.begin(), x.end(), 0.0) / n;
    const double meanY = std::accumulate(y.begin(), y.end(), 0.0) / n;
    double xy = 0, xx = 0, yy = 0;
    for (size_t i = 0; i < x.size(); ++i) {
        xy += (x[i] - meanX) * (y[i] - meanY);
        xx += (x[i] - meanX) * (x[i] - meanX);
        yy += (y[i] - meanY) * (y[i] - meanY);
    }
    return xy / std::sqrt(xx * yy);
}

// The share of all the time that the five documents first by key take.
double shareOfFirstFive(const QStringList &sources, const QHash<QString, double> &own,
                        const std::function<double(const QString &)> &key)
{
    QStringList sorted = sources;
    std::sort(sorted.begin(), sorted.end(), [&](const QString &a, const QString &b) { return key(a) > key(b); });
    double first = 0, all = 0;
    for (qsizetype i = 0; i < sorted.size(); ++i) {
        all += own.value(sorted.at(i));
        if (i < 5)
            first += own.value(sorted.at(i));
    }
    return first / all;
}

void printPrediction(const QStringList &sources, const QHash<QString, double> &own)
{
    std::vector<double> sizes, times;
    for (const QString &source : sources) {
        sizes.push_back(double(QFileInfo(source).size()));
        times.push_back(own.value(source));
    }
    const auto size = [](const QString &source) { return double(QFileInfo(source).size()); };
    const auto time = [&own](const QString &source) { return own.value(source); };
    std::printf("size as predictor of own time, %lld documents: rank correlation %.2f; the 5 largest take %.0f %% "
                "of the time, the 5 slowest %.0f %%\n",
                qlonglong(sources.size()), correlation(ranks(sizes), ranks(times)),
                100 * shareOfFirstFive(sources, own, size), 100 * shareOfFirstFive(sources, own, time));
    std::printf("%-40s %10s %8s\n", "slowest documents", "bytes", "own s");
    QStringList bySlowness = sources;
    std::sort(bySlowness.begin(), bySlowness.end(),
              [&](const QString &a, const QString &b) { return own.value(a) > own.value(b); });
    for (const QString &source : bySlowness.mid(0, 5))
        std::printf("%-40s %10lld %8.3f\n", qPrintable(QFileInfo(source).fileName().left(40)),
                    qlonglong(QFileInfo(source).size()), own.value(source));
}

// quorvane-convert on the documents in format, its office profiles under cache.
Figures command(const QStringList &documents, std::int32_t format, int jobs, const QString &cache)
{
    QStringList arguments{QStringLiteral("--keep-going"), QStringLiteral("--jobs"), QString::number(jobs)};
    if (format == WordSaveFormat::FilteredHtml)
        arguments << QStringLiteral("--filtered");
    const double before = rusageSeconds(RUSAGE_CHILDREN);
    const double wall = RunConvertCommand(arguments + documents, cache).seconds;
    return {wall, rusageSeconds(RUSAGE_CHILDREN) - before};
}

// The run as the window makes it, its offices prepared beforehand.
Figures window(const QStringList &documents, std::int32_t format, int jobs)
{
    EndEveryOffice();
    PrepareOffices(jobs);
    const double before = processorSecondsSoFar();
    QElapsedTimer timer;
    timer.start();
    const double firstPlaced = ConvertAsARun(documents, format, jobs).firstPlaced;
    const Figures figures{timer.nsecsElapsed() / 1e9, processorSecondsSoFar() - before, firstPlaced};
    EndEveryOffice();
    return figures;
}

Figures batch(const QStringList &documents, const QString &folder, const QString &profile, double limit)
{
    const double before = rusageSeconds(RUSAGE_CHILDREN);
    const QString output = folder + QStringLiteral("/batch-out");
    const double wall = LibreOfficeBatchSeconds(documents, output, profile, limit);
    return {wall, wall < 0 ? -1 : rusageSeconds(RUSAGE_CHILDREN) - before, -1,
            QDir(output).entryList({QStringLiteral("*.html")}, QDir::Files).size()};
}

struct Set {
    const char *name; // as --sets names it
    const char *title;
    QStringList sources; // in list order, a document as often as it is listed
};

// officesStart: how long jobs offices take to start side by side, ready.
void measure(const Set &set, const QHash<QString, double> &own, double officesStart, std::int32_t format, int jobs,
             const QString &work)
{
    double sum = 0, longest = 0;
    for (const QString &source : set.sources) {
        sum += own.value(source);
        longest = std::max(longest, own.value(source));
    }
    const double bound = std::max(sum / jobs, longest);
    const QString folder = work + QLatin1Char('/') + QString::fromUtf8(set.title);
    const Figures ours = command(numberedCopies(set.sources, folder + QStringLiteral("/command")), format, jobs,
                                 work + QStringLiteral("/cache"));
    const Figures windows = window(numberedCopies(set.sources, folder + QStringLiteral("/window")), format, jobs);
    const Figures theirs = batch(numberedCopies(set.sources, folder + QStringLiteral("/batch-in")), folder,
                                 work + QStringLiteral("/batch-profile"), BatchLimitPerBound * bound);
    std::printf("%-10s %5lld %7.2f %7.2f %7.2f | %7.2f %7.2f %6.2f %6.2f | %7.2f %7.2f %6.2f %6.2f | ", set.title,
                qlonglong(set.sources.size()), sum, longest, bound, ours.wall, ours.processor, ours.wall / bound,
                ours.wall / (bound + officesStart), windows.wall, windows.processor, windows.firstPlaced,
                windows.wall / bound);
    if (theirs.wall < 0)
        std::printf("did not finish within %.0f s\n", BatchLimitPerBound * bound);
    else
        std::printf("%7.2f %7.2f %5lld %6.2f\n", theirs.wall, theirs.processor, qlonglong(theirs.pages),
                    windows.wall / theirs.wall);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const bool filtered = app.arguments().contains(QStringLiteral("--filtered"));
    const qsizetype setsAt = app.arguments().indexOf(QStringLiteral("--sets"));
    const QStringList sets = setsAt >= 0 ? app.arguments().value(setsAt + 1).split(QLatin1Char(','))
                                         : QStringList{QStringLiteral("small"), QStringLiteral("mix"),
                                                       QStringLiteral("report"), QStringLiteral("1000")};
    const std::int32_t format = filtered ? WordSaveFormat::FilteredHtml : WordSaveFormat::Html;
    const int jobs = DefaultJobCount();
    RegisterOfficeEngine();
    QTemporaryDir work;

    const QStringList convertible = ConvertibleTestDocuments();
    QStringList small, large;
    for (const QString &document : convertible)
        (IsLargeDocument(document) ? large : small) << document;
    std::sort(large.begin(), large.end(),
              [](const QString &a, const QString &b) { return QFileInfo(a).size() < QFileInfo(b).size(); });
    QStringList mix = small + small.mid(0, 79 - int(small.size()) - int(large.size()));
    for (const auto &[position, document] :
         {std::pair(20, large.value(0)), std::pair(LargestPosition, large.value(2)), std::pair(70, large.value(1))})
        mix.insert(position - 1, document);
    const QString report = work.filePath(QStringLiteral("long-report.rtf"));
    if (!WriteLongListDocument(report, ReportParagraphs, OwnListLabel, true))
        return 1;
    QStringList withReport = mix;
    withReport.replace(LargestPosition - 1, report);
    QStringList thousand;
    for (int time = 0; time < 20; ++time)
        thousand << convertible;

    // The profiles' first starts, so that none is counted: the command's, the window's, the batch's.
    command(numberedCopies(convertible.mid(0, jobs), work.filePath(QStringLiteral("warm-up"))), format, jobs,
            work.filePath(QStringLiteral("cache")));
    LibreOfficeBatchSeconds(convertible.mid(0, 1), work.filePath(QStringLiteral("batch-warm-up")),
                            work.filePath(QStringLiteral("batch-profile")));
    const double officeStart = officesStartIn(1);
    const double officesStart = officesStartIn(jobs);

    const QHash<QString, double> own = ownTimes(
        sets.contains(QStringLiteral("report")) ? convertible + QStringList{report} : convertible, format,
        work.filePath(QStringLiteral("own")));
    std::printf("format %d, %d jobs; an office starts in %.2f s, %d side by side in %.2f s\n", format, jobs,
                officeStart, jobs, officesStart);
    printPrediction(convertible, own);
    std::printf("\n%-10s %5s %7s %7s %7s | %-29s | %-29s | %s\n", "", "", "own s", "", "", "quorvane-convert",
                "window, offices ready", "office batch");
    std::printf("%-10s %5s %7s %7s %7s | %7s %7s %6s %6s | %7s %7s %6s %6s | %7s %7s %5s %6s\n", "set", "docs", "sum",
                "longest", "bound", "wall s", "cpu s", "/bound", "/fresh", "wall s", "cpu s", "first", "/bound",
                "wall s", "cpu s", "pages", "window/");
    for (const Set &set : {Set{"small", "small 50", convertible}, Set{"mix", "mix", mix},
                           Set{"report", "mix+report", withReport}, Set{"1000", "1,000", thousand}}) {
        if (sets.contains(QString::fromUtf8(set.name)))
            measure(set, own, officesStart, format, jobs, work.path());
    }
    return 0;
}
