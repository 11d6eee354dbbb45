// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Convert to HTML": every listed document to a web page beside it, several at a time, the pages
// put in place in list order, with the progress bar and the busy pointer, the warning about a
// running Word first and "Done." last. While it works the window keeps painting and answering
// the window manager, but takes no input; its close button still ends the program.

#include "ConversionJobs.h"

#include <QElapsedTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class Dialogs;
class DocumentList;
class QWidget;
class WindowPointer;

// The save format of the chosen HTML flavour (a WordSaveFormat), read when the run starts; empty
// when no flavour is chosen, in which case nothing is saved.
using SaveFormatChoice = std::function<std::optional<std::int32_t>()>;

class ConversionRun {
public:
    // showProgress receives where the bar stands, 0 to 100. jobs: documents converted at once.
    ConversionRun(Dialogs &dialogs, QWidget *owner, WindowPointer &pointer, const DocumentList &list,
                  SaveFormatChoice saveFormat, std::function<void(float)> showProgress, int jobs = DefaultJobCount());
    ~ConversionRun();
    ConversionRun(const ConversionRun &) = delete;
    ConversionRun &operator=(const ConversionRun &) = delete;

    // The whole command, from the busy pointer to the bar back at 0.
    void run();
    // The list has changed: the offices of the next run start in the background and stay ready
    // for a minute; nothing starts while the list is empty.
    void prepareNextRun();

private:
    void convertEveryEntry();
    void retire(std::unique_ptr<ConversionJobs> jobs);

    Dialogs &dialogs;
    QWidget *owner;
    WindowPointer &pointer;
    const DocumentList &list;
    SaveFormatChoice saveFormat;
    std::function<void(float)> showProgress;
    const int jobs;
    QElapsedTimer sincePrepared;
    // Runs that ended at a failure while documents after it were still converting: kept until
    // those conversions have ended, their pages discarded.
    std::vector<std::unique_ptr<ConversionJobs>> retiring;
};
