// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The progress bar on a terminal: one line on standard error, redrawn in place, with the bar,
// the documents done of all, the time taken and the time left, and the current document.

#include <QString>

#include <chrono>

struct ProgressState {
    int done = 0; // documents put in place or failed
    int total = 0;
    QString current; // the document the run waits for; empty once all are done
    std::chrono::milliseconds elapsed{0};
};

class ProgressBar {
public:
    // Draws state over the line the bar occupies, in the terminal's width; the time left is
    // estimated from the pace so far, and the current document is cut from the left to fit.
    void draw(const ProgressState &state);
    // Clears the bar's line, so that a message can take it; the next draw shows the bar again.
    void clear();
    // Leaves the bar as it stands and moves to the next line.
    void end();

private:
    bool shown = false;
};
