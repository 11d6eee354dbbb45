// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConvertCommand.h"

#include "ConversionJobs.h"
#include "ConvertDocument.h"
#include "InterruptSignals.h"
#include "LocalPaths.h"
#include "OfficeEngine.h"
#include "RunOutput.h"
#include "RunReport.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QScopeGuard>

#include <thread>

namespace {

// Each document through its own office, its page at its target, timed for the report. A time is
// written by the worker before its result is handed over under the run's lock, and read once
// the document is placed.
ConversionJobs::Conversion conversionOf(const RunPlan &plan, const ConvertOptions &options,
                                        std::vector<double> &seconds)
{
    const std::optional<std::int32_t> format = options.filtered ? WordSaveFormat::FilteredHtml : WordSaveFormat::Html;
    return [&plan, &options, &seconds, format](int index) {
        QElapsedTimer clock;
        clock.start();
        const PageTarget &target = plan.targets.at(size_t(index));
        const auto timed = qScopeGuard([&] { seconds[size_t(index)] = clock.nsecsElapsed() / 1e9; });
        RefuseTakenPage(target);
        if (!options.outputDir.isEmpty())
            MakePageFolder(options.outputDir, target);
        return ConvertDocument(plan.documents.at(index), format,
                               options.outputDir.isEmpty() ? QString() : FolderOf(AbsolutePath(target.page)));
    };
}

void reportNotTried(const RunPlan &plan, int after, RunReport &report)
{
    for (qsizetype i = after; i < plan.documents.size(); ++i)
        report.write({plan.documents.at(i), plan.targets.at(size_t(i)).page, RunReport::Status::NotTried, {}, {}, 0});
}

} // namespace

int ConvertDocuments(const RunPlan &plan, const ConvertOptions &options, RunOutput &output, RunReport &report,
                     InterruptSignals &interrupts)
{
    std::vector<double> seconds(size_t(plan.documents.size()));
    ConversionJobs jobs(plan.documents, conversionOf(plan, options, seconds), options.jobs, options.keepGoing);
    QObject::connect(&jobs, &ConversionJobs::nextToPlace, [&output](int position) { output.nextToPlace(position); });
    QObject::connect(&jobs, &ConversionJobs::placed, [&](int position) {
        const size_t index = size_t(position - 1);
        report.write({plan.documents.at(position - 1),
                      plan.targets.at(index).page,
                      RunReport::Status::Converted,
                      {},
                      {},
                      seconds.at(index)});
        output.placed(position);
    });
    QObject::connect(&jobs, &ConversionJobs::failed, [&](const DocumentFailure &failure) {
        if (InterruptSignals::arrived()) // the office failed because the signal ends it
            return;
        const size_t index = size_t(failure.position - 1);
        report.write({failure.path, plan.targets.at(index).page, RunReport::Status::Failed, failure.number,
                      failure.description, seconds.at(index)});
        output.failed(failure);
    });
    output.begin(plan.documents);
    jobs.start();
    jobs.waitUntilFinished();
    // A signal that came as the run finished ends the program now, not once the conversions still
    // under way have ended.
    interrupts.endIfArrived();
    if (!options.keepGoing && !jobs.failures().empty())
        reportNotTried(plan, jobs.failures().back().position, report);
    output.finished(jobs.failures(), options.keepGoing);
    // A failure ended the run while later documents were converting: their pages are discarded
    // as they end, in the event loop, which also takes the signals meanwhile.
    jobs.waitUntilWorkersEnded();
    // The idle offices end while the event loop takes the signals: one ends them at once.
    QEventLoop waiting;
    std::thread ending([&waiting] {
        EndIdleOfficeProcesses();
        QMetaObject::invokeMethod(&waiting, &QEventLoop::quit, Qt::QueuedConnection);
    });
    waiting.exec();
    ending.join();
    return jobs.failures().empty() ? 0 : 1;
}
