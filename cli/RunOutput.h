// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What quorvane-convert tells while it converts: a progress bar on standard error when that is
// a terminal, otherwise one line per document on standard output; with quiet, failures only.
// The failures are listed on standard error at the end. Every line is one line, whatever the
// names in it hold (see ReadableName).

#include "DocumentFailure.h"
#include "ProgressBar.h"

#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>

#include <vector>

class RunOutput {
public:
    explicit RunOutput(bool quiet);

    // A message on standard error, outside the run's own lines.
    void warn(const QString &message);

    // The run's documents; the clock starts.
    void begin(const QStringList &documents);
    void nextToPlace(int position);
    void placed(int position);
    void failed(const DocumentFailure &failure);
    // The run has ended: the bar's last state, then the failures.
    void finished(const std::vector<DocumentFailure> &failures, bool keepGoing);
    // The documents left out as up to date, once the run has ended; nothing when there are none.
    void upToDate(qsizetype count);
    // The program is ending by a signal: the bar's line is ended.
    void interrupted();

private:
    void redraw();

    enum class Mode { Bar, Lines, Quiet } mode;
    QStringList documents;
    int done = 0;
    int waitingFor = 0; // position of the next document to be put in place
    QElapsedTimer clock;
    QTimer everySecond; // the elapsed time moves on while one document takes long
    ProgressBar bar;
};
