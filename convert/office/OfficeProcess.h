#pragma once
// One office process of ours: started headless on a private profile with a pipe of its own,
// connected through a UNO bridge, watched by a deadline on every call, and ended only by us.

#include "convert/office/OfficeEngine.h"
#include "convert/office/OfficeProfile.h"
#include "convert/office/OfficeWatchdog.h"

#include <com/sun/star/bridge/XBridge.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/lang/XEventListener.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <QProcess>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>

class OfficeProcess {
public:
    // Starts the office and connects to it within the start limit; throws AutomationError.
    explicit OfficeProcess(const OfficeSettings &settings);
    // Ends the process if Quit did not.
    ~OfficeProcess();
    OfficeProcess(const OfficeProcess &) = delete;
    OfficeProcess &operator=(const OfficeProcess &) = delete;

    // False once the bridge is gone or the process has ended; learnt without waiting.
    bool isAlive() const;
    const OfficeLimits &limits() const { return settings_.limits; }
    css::uno::Reference<css::uno::XComponentContext> context() const { return context_; }

    // Runs work, which calls into the office, under the deadline limit. A call that overruns
    // ends the process and fails with EngineTimeout; a process that dies meanwhile fails it
    // with EngineGone; task names the work in those messages ("opening \"a.doc\"").
    // Other exceptions of the work, from a live office, pass through.
    void call(std::chrono::milliseconds limit, const QString &task, const std::function<void()> &work);

    // Asks the office to end, waits the grace period, then kills it.
    void quit();
    // Ends the process at once and waits for it.
    void kill();

private:
    void launch();
    void connect(std::chrono::steady_clock::time_point deadline);
    void endProcess(std::chrono::milliseconds grace);
    void disposeBridge();
    [[noreturn]] void throwEngineGone(const QString &task) const;

    OfficeSettings settings_;
    OfficeProfile profile_;
    QString pipeName_;
    QProcess process_;
    std::unique_ptr<OfficeWatchdog> watchdog_;
    std::shared_ptr<std::atomic_bool> bridgeDisposed_ = std::make_shared<std::atomic_bool>(false);
    css::uno::Reference<css::bridge::XBridge> bridge_;
    css::uno::Reference<css::uno::XComponentContext> context_;
    css::uno::Reference<css::frame::XDesktop2> desktop_;
};

// The one place application objects get their office process from, and give it back to.
std::shared_ptr<OfficeProcess> ObtainOfficeProcess(const OfficeSettings &settings);
void ReleaseOfficeProcess(std::shared_ptr<OfficeProcess> process);
