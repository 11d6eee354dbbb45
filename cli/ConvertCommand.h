// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The conversion of quorvane-convert: every document as "Convert to HTML" converts it, several
// at a time, the pages put in place in list order.

#include "CommandLine.h"
#include "RunPlan.h"

class InterruptSignals;
class RunOutput;
class RunReport;

// Converts the plan's documents with the options' format, jobs and failure rule, each page at
// its target, telling output and report; returns the exit status: 0 when every document was
// converted, else 1. Returns once no office of the run is in use any more; a signal of interrupts
// ends the program at once, also as the run ends.
int ConvertDocuments(const RunPlan &plan, const ConvertOptions &options, RunOutput &output, RunReport &report,
                     InterruptSignals &interrupts);
