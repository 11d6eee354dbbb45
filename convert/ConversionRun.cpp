// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConversionRun.h"

#include "DocumentList.h"
#include "InputBlocker.h"
#include "MousePointer.h"
#include "ObjectRegistry.h"
#include "Platform.h"
#include "RunProgress.h"
#include "UnexpectedFailure.h"
#include "Word1.h"
#include "WordClass.h"

#include <chrono>

namespace {

// How long the offices of the next run stay ready after the list last changed or a run ended.
constexpr std::chrono::seconds KeepReady{60};

const QString Conversion = QStringLiteral("The conversion");

} // namespace

ConversionRun::ConversionRun(Dialogs &dialogs, QWidget *owner, WindowPointer &pointer, const DocumentList &list,
                             SaveFormatChoice saveFormat, std::function<void(float)> showProgress, int jobs)
    : dialogs(dialogs)
    , owner(owner)
    , pointer(pointer)
    , list(list)
    , saveFormat(std::move(saveFormat))
    , showProgress(std::move(showProgress))
    , jobs(jobs)
{
}

ConversionRun::~ConversionRun() = default;

void ConversionRun::run()
{
    pointer.setMousePointer(BusyPointer);
    RunCommand(dialogs, owner, Conversion, [this] {
        if (list.count() < 1)
            dialogs.information(owner, QStringLiteral("No files added."));
        else if (!Word1::WarnIfWordRunning(dialogs, owner))
            convertEveryEntry();
    });
    showProgress(0);
    pointer.setMousePointer(DefaultPointer);
    prepareNextRun();
}

void ConversionRun::prepareNextRun()
{
    // A folder import changes the list many thousand times in a row; once a second is enough.
    if (list.count() < 1 || (sincePrepared.isValid() && !sincePrepared.hasExpired(1000)))
        return;
    sincePrepared.start();
    // No more offices than the list has documents: each takes memory while it waits.
    PrepareObjects(WordClass, std::min(jobs, list.count()), KeepReady);
}

// Converts every entry and says "Done."; a failure ends the run at its document and is told
// instead. The list cannot change meanwhile: the window takes no input.
void ConversionRun::convertEveryEntry()
{
    QStringList paths;
    for (int position = 1; position <= list.count(); ++position)
        paths << list.entry(position);
    // Read once: no input reaches the option buttons while the run works.
    auto conversion = std::make_unique<ConversionJobs>(paths, saveFormat(), jobs);
    const int count = int(paths.size());
    QObject::connect(conversion.get(), &ConversionJobs::nextToPlace, [this, count](int position) {
        pointer.setMousePointer(BusyPointer);
        showProgress(RunProgress(position, count));
    });
    {
        const InputBlocker noInput;
        conversion->start();
        conversion->waitUntilFinished();
    }
    if (conversion->failures().empty()) {
        dialogs.information(owner, QStringLiteral("Done."));
    } else {
        const DocumentFailure &failure = conversion->failures().front();
        dialogs.information(owner, FailureMessage(failure, count - failure.position));
    }
    retire(std::move(conversion));
}

void ConversionRun::retire(std::unique_ptr<ConversionJobs> jobs)
{
    if (!jobs->working())
        return;
    ConversionJobs *retired = jobs.get();
    retiring.push_back(std::move(jobs));
    QObject::connect(retired, &ConversionJobs::workersEnded, [this, retired] {
        const auto found = std::find_if(retiring.begin(), retiring.end(),
                                        [retired](const auto &jobs) { return jobs.get() == retired; });
        found->release()->deleteLater();
        retiring.erase(found);
    });
}
