// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunOutput.h"

#include "NameBytes.h"

#include <cstdio>

#include <unistd.h>

namespace {

// line as one line, whatever the names in it hold (see ReadableName).
void printLine(std::FILE *stream, const QString &line)
{
    std::fprintf(stream, "%s\n", qPrintable(ReadableName(line)));
    std::fflush(stream);
}

} // namespace

RunOutput::RunOutput(bool quiet)
    : mode(quiet                     ? Mode::Quiet
           : ::isatty(STDERR_FILENO) ? Mode::Bar
                                     : Mode::Lines)
{
    everySecond.setInterval(1000);
    QObject::connect(&everySecond, &QTimer::timeout, [this] { redraw(); });
}

void RunOutput::warn(const QString &message)
{
    bar.clear();
    printLine(stderr, QStringLiteral("quorvane-convert: ") + message);
    redraw();
}

void RunOutput::begin(const QStringList &runDocuments)
{
    documents = runDocuments;
    clock.start();
    if (mode == Mode::Bar) {
        everySecond.start();
        redraw();
    }
}

void RunOutput::nextToPlace(int position)
{
    waitingFor = position;
    redraw();
}

void RunOutput::placed(int position)
{
    ++done;
    if (mode == Mode::Lines)
        printLine(
            stdout,
            QStringLiteral("[%1/%2] converted %3").arg(position).arg(documents.size()).arg(documents.at(position - 1)));
    redraw();
}

void RunOutput::failed(const DocumentFailure &failure)
{
    ++done;
    if (mode == Mode::Lines)
        printLine(
            stdout,
            QStringLiteral("[%1/%2] failed %3").arg(failure.position).arg(documents.size()).arg(FailureLine(failure)));
    if (mode == Mode::Bar) {
        bar.clear();
        printLine(stderr, QStringLiteral("failed ") + FailureLine(failure));
    }
    redraw();
}

void RunOutput::finished(const std::vector<DocumentFailure> &failures, bool keepGoing)
{
    everySecond.stop();
    waitingFor = 0;
    redraw();
    bar.end();
    if (failures.empty())
        return;
    // Without --keep-going the documents after the failure were not tried.
    const qsizetype untried = keepGoing ? 0 : documents.size() - failures.back().position;
    const qsizetype failed = qsizetype(failures.size());
    QString counts
        = QStringLiteral("%1 of %2").arg(QString::number(failed + untried), QString::number(documents.size()));
    if (untried > 0)
        counts += QStringLiteral(", %1 failed, %2 not tried").arg(QString::number(failed), QString::number(untried));
    printLine(stderr, QStringLiteral("quorvane-convert: not converted (%1):").arg(counts));
    for (const DocumentFailure &failure : failures)
        printLine(stderr, QStringLiteral("  ") + FailureLine(failure));
    if (untried > 0)
        printLine(stderr, NotConvertedAfter(untried) + QStringLiteral(" (--keep-going tries every document)."));
}

void RunOutput::upToDate(qsizetype count)
{
    if (count > 0 && mode != Mode::Quiet)
        printLine(stderr,
                  QStringLiteral("quorvane-convert: %1 up to date, not converted again.")
                      .arg(count == 1 ? QStringLiteral("1 document") : QStringLiteral("%1 documents").arg(count)));
}

void RunOutput::interrupted()
{
    everySecond.stop();
    bar.end();
}

void RunOutput::redraw()
{
    if (mode != Mode::Bar || !clock.isValid())
        return;
    const QString current = waitingFor > 0 ? ReadableName(documents.value(waitingFor - 1)) : QString();
    bar.draw({done, int(documents.size()), current, std::chrono::milliseconds(clock.elapsed())});
}
