// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConvertCommand.h"

#include "ConversionJobs.h"
#include "InterruptSignals.h"
#include "OfficeEngine.h"
#include "RunOutput.h"

#include <QEventLoop>

int ConvertDocuments(const QStringList &documents, const ConvertOptions &options, RunOutput &output)
{
    ConversionJobs jobs(documents, options.filtered ? WordSaveFormat::FilteredHtml : WordSaveFormat::Html, options.jobs,
                        options.keepGoing);
    QObject::connect(&jobs, &ConversionJobs::nextToPlace, [&output](int position) { output.nextToPlace(position); });
    QObject::connect(&jobs, &ConversionJobs::placed, [&output](int position) { output.placed(position); });
    QObject::connect(&jobs, &ConversionJobs::failed, [&output](const ConversionJobs::Failure &failure) {
        if (!InterruptSignals::arrived()) // else the office failed because the signal ends it
            output.failed(failure);
    });
    QEventLoop waiting;
    QObject::connect(&jobs, &ConversionJobs::finished, &waiting, &QEventLoop::quit);
    QObject::connect(&jobs, &ConversionJobs::workersEnded, &waiting, &QEventLoop::quit);
    output.begin(documents);
    jobs.start();
    if (!jobs.isFinished())
        waiting.exec();
    if (InterruptSignals::arrived())
        return 1; // the caller ends the program by the signal
    output.finished(jobs.failures(), options.keepGoing);
    // A failure ended the run while later documents were converting: their pages are discarded
    // as they end, in the event loop, which also takes the signals meanwhile.
    if (jobs.working())
        waiting.exec();
    EndIdleOfficeProcesses();
    return jobs.failures().empty() ? 0 : 1;
}
