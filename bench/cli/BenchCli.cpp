// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The wall time of quorvane-convert, as built, against LibreOffice's own batch conversion
// (soffice --headless --convert-to html) of the same files in the same run: the test documents
// known to convert, and those three times over with their names made distinct. Each side works
// on copies of its own, and on office profiles prepared before anything is timed.
//
// bench_cli: prints, for each set, both times, their ratio and the pages each side wrote.

#include "ConversionJobs.h"
#include "ConvertCommandRun.h"
#include "ConvertibleDocuments.h"
#include "LibreOfficeBatch.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>

namespace {

qsizetype pagesIn(const QString &folder, const QString &pattern)
{
    return QDir(folder).entryList({pattern}, QDir::Files).size();
}

void measure(const QString &work, const QString &title, int times, const QString &cache, const QString &profile)
{
    const QStringList sources = ConvertibleTestDocuments();
    const QString folder = work + QLatin1Char('/') + title;
    QStringList ours;
    QStringList theirs;
    for (int time = 1; time <= times; ++time) {
        const QString prefix = times > 1 ? QStringLiteral("%1-").arg(time) : QString();
        ours << CopiedInto(folder + QStringLiteral("/ours"), sources, prefix);
        theirs << CopiedInto(folder + QStringLiteral("/batch-in"), sources, prefix);
    }
    const ConvertCommandRun run = RunConvertCommand(QStringList{QStringLiteral("--keep-going")} + ours, cache);
    const double batch = LibreOfficeBatchSeconds(theirs, folder + QStringLiteral("/batch-out"), profile);
    std::printf("%-9lld %12.2f %9.2f %7.2f %11lld %11lld %6d\n", qlonglong(ours.size()), run.seconds, batch,
                run.seconds / batch, qlonglong(pagesIn(folder + QStringLiteral("/ours"), QStringLiteral("*.htm"))),
                qlonglong(pagesIn(folder + QStringLiteral("/batch-out"), QStringLiteral("*.html"))), run.exitCode);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir work;
    const QString cache = work.filePath(QStringLiteral("cache"));
    const QString profile = work.filePath(QStringLiteral("batch-profile"));
    // The profiles' first starts: one office per document converted at once, and the batch's own.
    const QStringList sample = ConvertibleTestDocuments().mid(0, 1);
    QStringList warmUp;
    for (int job = 1; job <= DefaultJobCount(); ++job)
        warmUp << CopiedInto(work.filePath(QStringLiteral("warm-up")), sample, QStringLiteral("%1-").arg(job));
    RunConvertCommand(QStringList{QStringLiteral("--keep-going")} + warmUp, cache);
    LibreOfficeBatchSeconds(sample, work.filePath(QStringLiteral("batch-warm-up")), profile);

    std::printf("quorvane-convert (default jobs %d) against soffice --convert-to html\n", DefaultJobCount());
    std::printf("%-9s %12s %9s %7s %11s %11s %6s\n", "documents", "quorvane s", "batch s", "ratio", "our pages",
                "batch pages", "exit");
    measure(work.path(), QStringLiteral("once"), 1, cache, profile);
    measure(work.path(), QStringLiteral("three-times"), 3, cache, profile);
    return 0;
}
