// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One office process of ours: started headless and confined (see OfficeConfinement) on a private
// profile with a pipe and a work folder of its own, connected through a UNO bridge, watched by a
// deadline on every call, and ended only by us. Application objects get one through the
// OfficePool.

#include "OfficeProcessors.h"
#include "OfficeProfile.h"
#include "OfficeSettings.h"
#include "OfficeWatchdog.h"
#include "OfficeWorkFolder.h"
#include "PreparationScript.h"
#include "UntrustedFolders.h"
#include "ViewlessLoader.h"

#include <com/sun/star/bridge/XBridge.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XGlobalEventBroadcaster.hpp>
#include <com/sun/star/lang/XEventListener.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <QString>

#include <sys/types.h>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class OfficeProcess {
public:
    // Starts the office without waiting for it to be ready; throws AutomationError when it
    // cannot be started.
    explicit OfficeProcess(const OfficeSettings &settings);
    // Ends the process if nothing did before.
    ~OfficeProcess();
    OfficeProcess(const OfficeProcess &) = delete;
    OfficeProcess &operator=(const OfficeProcess &) = delete;

    // Waits, within the start limit, until the office answers, and connects to it; nothing
    // happens when it is connected already. Throws AutomationError.
    void connect();

    // False once the bridge is gone or the process has ended; learnt without waiting.
    bool isAlive() const;
    const OfficeSettings &settings() const { return settings_; }
    const OfficeLimits &limits() const { return settings_.limits; }
    // A copy of the document at path for the office to read, in its work folder, where it also
    // writes the pages of that document; returns the copy's path. Throws AutomationError.
    QString handIn(const QString &path);
    // The document whose copy is at copy is done with: the copy and all beside it go.
    void forget(const QString &copy);
    css::uno::Reference<css::uno::XComponentContext> context() const { return context_; }
    // What loads documents into this office; only within call(), on a connected office.
    ViewlessLoader &loader();
    // The script that prepares this office's documents inside it; only within call(), on a
    // connected office.
    PreparationScript &preparationScript();
    // The folder the office works in, which it may write.
    QString workFolder() const { return work_->path(); }

    // Runs work, which calls into the office, under the deadline limit. A call that overruns
    // ends the process and fails with EngineTimeout; a process that dies meanwhile fails it
    // with EngineGone; task names the work in those messages ("opening \"a.doc\"").
    // Other exceptions of the work, from a live office, pass through. Any failure is noted.
    void call(std::chrono::milliseconds limit, const QString &task, const std::function<void()> &work);

    // What decides whether the process may serve another application object.
    void noteFailure() { sawFailure_ = true; }
    bool sawFailure() const { return sawFailure_; }
    void noteDocumentLoaded() { ++documentsLoaded_; }
    int documentsLoaded() const { return documentsLoaded_; }
    // Resident memory of the office in bytes, as the kernel counts it; 0 when it is gone.
    qint64 residentMemory() const;
    // True when no document and no window is left open in the office; false when it cannot
    // tell. Throws AutomationError when the office is lost meanwhile.
    bool holdsNothingOpen();

    // The process will serve no other application object: the office that replaces it may take
    // its processor while it ends.
    void retire() { processor_.release(); }
    // Lets the office end by itself as on quitting, kills it after the grace period, and
    // collects it. Any thread may end a process that no other thread is using.
    void end();
    // Ends the process at once and collects it.
    void kill();

private:
    void launch();
    // Connects to the started office; false when its process ended first. Any thread.
    bool openBridge(std::chrono::steady_clock::time_point deadline);
    bool hasEnded() const;
    void disposeBridge();
    void collected();

    OfficeSettings settings_;
    OfficeProfile profile_;
    ProcessorClaim processor_; // that the office and our calls into it keep to, if any
    QString pipeName_;
    std::unique_ptr<OfficeWorkFolder> work_;
    FileDescriptor pipeFolder_; // where the office's pipe appears
    pid_t pid_ = 0;             // our child: the office, or the sandbox that holds it
    pid_t office_ = 0;          // the office itself, once connected
    bool collected_ = false;    // the process has ended and been waited for
    std::unique_ptr<OfficeWatchdog> watchdog_;
    std::shared_ptr<std::atomic_bool> bridgeDisposed_ = std::make_shared<std::atomic_bool>(false);
    css::uno::Reference<css::bridge::XBridge> bridge_;
    css::uno::Reference<css::uno::XComponentContext> context_;
    css::uno::Reference<css::frame::XDesktop2> desktop_;
    css::uno::Reference<css::frame::XGlobalEventBroadcaster> documents_; // every document model, once asked for
    std::optional<ViewlessLoader> loader_;
    std::optional<PreparationScript> preparationScript_;
    bool sawFailure_ = false;
    int documentsLoaded_ = 0;
};
