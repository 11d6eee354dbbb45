// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// quorvane-convert, as built, on an archive of many small documents (copies of three small test
// documents), once in one flat folder and once in a tree of ten documents a folder, converted with
// --output-dir into a tree of pages, then run again with --newer over the converted tree.
//
// bench_archive [count] (default 10000): prints for each layout the wall time of each tenth of
// the documents per document, as the report's lines come (the last tenth against the first), the
// peak memory (VmHWM) of quorvane-convert and of its largest office, the most the offices held at
// once, and the --newer run's time as a share of the full run.

#include "ConvertCommandRun.h"
#include "OfficeProcesses.h"
#include "ProcessRecords.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const char *const SmallDocuments[] = {"Word6.doc", "footnote.doc", "created-in-pages-bulleted-lists.docx"};

// Copies of the small documents, count in all, flat in folder or ten a folder in a tree of two
// levels below it.
void makeArchive(const QString &folder, int count, bool tree)
{
    const QDir documents(QStringLiteral(QUORVANE_DOCUMENTS_DIR));
    for (int i = 0; i < count; ++i) {
        const QString source = documents.filePath(QLatin1String(SmallDocuments[i % 3]));
        const QString below = tree ? QStringLiteral("/a%1/b%2")
                                         .arg(i / 1000, 2, 10, QLatin1Char('0'))
                                         .arg(i / 10 % 100, 2, 10, QLatin1Char('0'))
                                   : QString();
        QDir().mkpath(folder + below);
        QFile::copy(source, QStringLiteral("%1%2/%3-%4")
                                .arg(folder, below)
                                .arg(i, 5, 10, QLatin1Char('0'))
                                .arg(QFileInfo(source).fileName()));
    }
}

// A figure in kB of a process's /proc/<pid>/status, such as VmHWM; 0 once the process is gone.
qint64 statusKilobytes(qint64 pid, const QByteArray &field)
{
    return std::max<qint64>(ReadKilobyteFigure(QStringLiteral("/proc/%1/status").arg(pid), field) / 1024, 0);
}

struct FullRun {
    double seconds = 0;
    std::vector<double> tenths;                            // when each tenth of the documents was placed, in seconds
    qint64 ownPeak = 0, officePeak = 0, officesAtOnce = 0; // kB
    int exitCode = -1;
};

// Runs the command, watching its report grow and its memory and that of its offices.
FullRun convertWatched(const QStringList &arguments, const QString &report, int count, const QString &cache)
{
    QProcess command;
    FullRun run;
    QElapsedTimer clock;
    clock.start();
    StartConvertCommand(command, arguments, cache);
    QFile lines(report);
    qint64 placed = 0;
    const qint64 tenth = std::max(1, count / 10);
    while (!command.waitForFinished(100)) {
        if (!lines.isOpen())
            lines.open(QIODevice::ReadOnly);
        placed += lines.isOpen() ? lines.readAll().count('\n') : 0;
        while (qint64(run.tenths.size()) < placed / tenth)
            run.tenths.push_back(clock.nsecsElapsed() / 1e9);
        run.ownPeak = std::max(run.ownPeak, statusKilobytes(command.processId(), "VmHWM"));
        qint64 atOnce = 0;
        for (const qint64 office : OfficeProcesses()) {
            run.officePeak = std::max(run.officePeak, statusKilobytes(office, "VmHWM"));
            atOnce += statusKilobytes(office, "VmRSS");
        }
        run.officesAtOnce = std::max(run.officesAtOnce, atOnce);
    }
    run.seconds = clock.nsecsElapsed() / 1e9;
    placed += lines.isOpen() ? lines.readAll().count('\n') : 0;
    while (qint64(run.tenths.size()) < placed / tenth)
        run.tenths.push_back(run.seconds);
    run.exitCode = command.exitStatus() == QProcess::NormalExit ? command.exitCode() : -1;
    return run;
}

void measure(const QString &work, const QString &layout, int count, const QString &cache)
{
    const QString source = work + QStringLiteral("/") + layout, pages = source + QStringLiteral("-pages");
    makeArchive(source, count, layout == QLatin1String("tree"));
    const QString report = source + QStringLiteral("-report.jsonl");
    const FullRun full = convertWatched({QStringLiteral("--keep-going"), QStringLiteral("--quiet"),
                                         QStringLiteral("--output-dir"), pages, QStringLiteral("--report"), report,
                                         source},
                                        report, count, cache);
    const ConvertCommandRun newer = RunConvertCommand(
        {QStringLiteral("--newer"), QStringLiteral("--quiet"), QStringLiteral("--output-dir"), pages, source}, cache);

    std::printf("\n%s: %d documents in %.1f s (exit %d), --newer again in %.3f s = %.2f %% of the full run (exit %d)\n",
                qPrintable(layout), count, full.seconds, full.exitCode, newer.seconds,
                100 * newer.seconds / full.seconds, newer.exitCode);
    std::printf("ms a document, each tenth:");
    double previous = 0;
    std::vector<double> perDocument;
    for (const double at : full.tenths) {
        perDocument.push_back(1000 * (at - previous) / std::max(1, count / 10));
        previous = at;
        std::printf(" %.1f", perDocument.back());
    }
    if (perDocument.size() >= 2)
        std::printf("\nlast tenth / first tenth: %.2f", perDocument.back() / perDocument.front());
    std::printf("\npeak memory: quorvane-convert %.1f MB, largest office %.1f MB, offices at once %.1f MB\n",
                full.ownPeak / 1024.0, full.officePeak / 1024.0, full.officesAtOnce / 1024.0);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::max(10, QString::fromLocal8Bit(argv[1]).toInt()) : 10000;
    QTemporaryDir work;
    const QString cache = work.filePath(QStringLiteral("cache"));
    std::printf("quorvane-convert --output-dir on %d small documents (default jobs), flat and in a tree\n", count);
    for (const QString &layout : {QStringLiteral("flat"), QStringLiteral("tree")})
        measure(work.path(), layout, count, cache);
    return 0;
}
