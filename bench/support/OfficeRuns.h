// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs of the office engine as the program makes them, for the conversion benchmarks: the offices
// prepared beforehand or all ended, and every document converted as "Convert to HTML" does.

#include "ConversionJobs.h"
#include "ObjectRegistry.h"
#include "OfficeEngine.h"
#include "OfficeProcesses.h"

#include <QElapsedTimer>
#include <QEventLoop>

#include <chrono>
#include <thread>

// Ends every office of this program and waits until none is left.
inline void EndEveryOffice()
{
    EndIdleOfficeProcesses();
    while (!OfficeProcesses().isEmpty())
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

// Offices prepared before the run, as the window prepares them when the list fills.
inline void PrepareOffices(int count)
{
    PrepareObjects(QStringLiteral("Word.Application"), count, std::chrono::minutes(10));
    while (ReadyOfficeProcesses() < count)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

struct RunOutcome {
    int failed = 0;
    double firstPlaced = -1; // seconds from the start until the first page was put in place
};

// Converts every document, jobs at once, the pages placed in list order, trying every document.
inline RunOutcome ConvertAsARun(const QStringList &documents, std::int32_t format, int jobs)
{
    ConversionJobs conversion(documents, format, jobs, true);
    QEventLoop waiting;
    QObject::connect(&conversion, &ConversionJobs::finished, &waiting, &QEventLoop::quit);
    QElapsedTimer timer;
    RunOutcome outcome;
    QObject::connect(&conversion, &ConversionJobs::placed, [&](int position) {
        if (position == 1)
            outcome.firstPlaced = timer.nsecsElapsed() / 1e9;
    });
    timer.start();
    conversion.start();
    if (!conversion.isFinished())
        waiting.exec();
    outcome.failed = int(conversion.failures().size());
    return outcome;
}
