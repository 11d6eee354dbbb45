// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConvertCommand.h"

#include "ConversionJobs.h"
#include "InterruptSignals.h"
#include "OfficeEngine.h"
#include "RunOutput.h"

#include <QEventLoop>

#include <thread>

int ConvertDocuments(const QStringList &documents, const ConvertOptions &options, RunOutput &output,
                     InterruptSignals &interrupts)
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
    // A signal that came as the run finished ends the program now, not once the conversions still
    // under way have ended.
    interrupts.endIfArrived();
    output.finished(jobs.failures(), options.keepGoing);
    // A failure ended the run while later documents were converting: their pages are discarded
    // as they end, in the event loop, which also takes the signals meanwhile.
    if (jobs.working())
        waiting.exec();
    // The idle offices end while the event loop takes the signals: one ends them at once.
    std::thread ending([&waiting] {
        EndIdleOfficeProcesses();
        QMetaObject::invokeMethod(&waiting, &QEventLoop::quit, Qt::QueuedConnection);
    });
    waiting.exec();
    ending.join();
    return jobs.failures().empty() ? 0 : 1;
}
