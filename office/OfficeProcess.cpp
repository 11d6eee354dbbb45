// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "OfficeProcess.h"

#include "NameBytes.h"
#include "OfficeChild.h"
#include "OfficeConfinement.h"
#include "OfficeErrors.h"
#include "OfficeProcessors.h"
#include "ProcessRecords.h"
#include "SocketConnection.h"
#include "UnoRuntime.h"
#include "UnoText.h"

#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XFrames.hpp>
#include <com/sun/star/frame/theGlobalEventBroadcaster.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <cppuhelper/implbase1.hxx>

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>

#include <thread>

#include <unistd.h>

using namespace std::chrono_literals;

namespace {
constexpr auto ConnectRetryPause = 10ms;
constexpr auto ReapLimit = 10s;

// Tells us at once when the bridge to the office goes, whatever the reason.
class BridgeListener : public cppu::WeakImplHelper1<css::lang::XEventListener> {
public:
    explicit BridgeListener(std::shared_ptr<std::atomic_bool> disposed)
        : disposed_(std::move(disposed))
    {
    }
    void SAL_CALL disposing(const css::lang::EventObject &) override { *disposed_ = true; }

private:
    std::shared_ptr<std::atomic_bool> disposed_;
};
} // namespace

OfficeProcess::OfficeProcess(const OfficeSettings &settings)
    : settings_(settings)
    , profile_(settings)
    , processor_(settings.profileRoot)
    , pipeName_(QStringLiteral("quorvane-%1-%2")
                    .arg(QCoreApplication::applicationPid())
                    .arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0')))
{
    launch();
}

OfficeProcess::~OfficeProcess()
{
    kill();
}

void OfficeProcess::launch()
{
    profile_.clearStaleOfficeLock();
    work_.reset(); // an earlier start's, before the next is made in its place
    work_ = std::make_unique<OfficeWorkFolder>(profile_.path());
    // A confined office's /tmp is a folder of its work folder; another office's is the system's.
    pipeFolder_ = OpenFolder(OfficesConfined(settings_) ? work_->temporary() : QStringLiteral("/tmp"));
    const QStringList arguments = HeadlessOfficeArguments()
                                  << QStringLiteral("--accept=pipe,name=%1;urp;StarOffice.ComponentContext")
                                         .arg(pipeName_)
                                  << profile_.installationArgument();
    pid_ = StartOfficeChild(OfficeCommand(settings_, arguments, profile_.path(), work_->temporary()),
                            OfficesConfined(settings_), processor_.processor());
    collected_ = false;
    office_ = 0;
    watchdog_ = std::make_unique<OfficeWatchdog>(pid_);
}

void OfficeProcess::connect()
{
    const auto deadline = std::chrono::steady_clock::now() + settings_.limits.start;
    bool restarted = false;
    while (!openBridge(deadline)) {
        const int exitCode = CollectOfficeChild(pid_, ReapLimit).value_or(-1);
        collected();
        // A new profile's first start may end asking to be started again, once.
        if (exitCode == OfficeRestartRequested && !restarted) {
            restarted = true;
            launch();
            continue;
        }
        throw OfficeErrors::endedWhileStarting(exitCode);
    }
}

bool OfficeProcess::openBridge(std::chrono::steady_clock::time_point deadline)
{
    if (desktop_.is())
        return true;
    const auto context = LocalUnoContext();
    // The office names its pipe's socket after its user where it can look that user up; a
    // confined office cannot.
    const QStringList sockets{QStringLiteral("OSL_PIPE_%1_%2").arg(::geteuid()).arg(pipeName_),
                              QStringLiteral("OSL_PIPE_") + pipeName_};
    css::uno::Reference<css::connection::XConnection> connection;
    QString socket;
    while (!connection.is()) {
        if (hasEnded())
            return false;
        if (std::chrono::steady_clock::now() >= deadline) {
            StopOfficeNow(pid_);
            throw OfficeErrors::startTimedOut(settings_.limits.start);
        }
        for (const QString &name : sockets) {
            if (!connection.is() && (connection = ConnectToSocket(pipeFolder_.get(), name)).is())
                socket = name;
        }
        if (!connection.is())
            std::this_thread::sleep_for(ConnectRetryPause);
    }
    // Connected once and for all: the socket's name is of no further use, and so never outlives us.
    ::unlinkat(pipeFolder_.get(), QFile::encodeName(socket).constData(), 0);
    office_ = OfficeOf(pid_);
    watchdog_->arm(
        std::max(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()),
                 std::chrono::milliseconds(1)));
    try {
        // The bridge's threads of this program answer the office: they keep to its processor.
        const OnProcessor beside(processor_.processor());
        bridge_ = css::bridge::BridgeFactory::create(context)->createBridge(rtl::OUString(), "urp", connection,
                                                                            nullptr);
        css::uno::Reference<css::lang::XComponent>(bridge_, css::uno::UNO_QUERY_THROW)
            ->addEventListener(new BridgeListener(bridgeDisposed_));
        context_.set(bridge_->getInstance("StarOffice.ComponentContext"), css::uno::UNO_QUERY_THROW);
        desktop_ = css::frame::Desktop::create(context_);
    } catch (const css::uno::Exception &error) {
        watchdog_->disarm();
        StopOfficeNow(pid_);
        throw OfficeErrors::unreachable(toQString(error.Message));
    }
    if (watchdog_->disarm())
        throw OfficeErrors::startTimedOut(settings_.limits.start);
    return true;
}

bool OfficeProcess::hasEnded() const
{
    return collected_ || OfficeChildHasEnded(pid_);
}

bool OfficeProcess::isAlive() const
{
    return !*bridgeDisposed_ && !hasEnded();
}

void OfficeProcess::call(std::chrono::milliseconds limit, const QString &task, const std::function<void()> &work)
{
    if (!isAlive())
        throw OfficeErrors::gone(task);
    const OnProcessor beside(processor_.processor());
    watchdog_->arm(limit);
    bool timedOut = false;
    try {
        work();
        timedOut = watchdog_->disarm();
    } catch (const css::lang::DisposedException &) {
        // The bridge went under the call: the office is of no further use.
        noteFailure();
        timedOut = watchdog_->disarm();
        kill();
        if (!timedOut)
            throw OfficeErrors::gone(task);
    } catch (...) {
        noteFailure();
        timedOut = watchdog_->disarm();
        if (!timedOut && isAlive())
            throw;
        kill();
        if (!timedOut)
            throw OfficeErrors::gone(task);
    }
    if (timedOut) {
        kill();
        throw OfficeErrors::callTimedOut(task, limit);
    }
}

QString OfficeProcess::handIn(const QString &path)
{
    if (!work_)
        throw OfficeErrors::gone(QStringLiteral("receiving \"%1\"").arg(ReadableName(path)));
    return work_->handIn(path);
}

void OfficeProcess::forget(const QString &copy)
{
    if (work_) // else it went with the office's work folder
        work_->clear(copy);
}

qint64 OfficeProcess::residentMemory() const
{
    if (office_ <= 0 || hasEnded())
        return 0;
    return std::max<qint64>(0, ReadKilobyteFigure(QStringLiteral("/proc/%1/status").arg(office_), "VmRSS"));
}

bool OfficeProcess::holdsNothingOpen()
{
    bool empty = false;
    call(settings_.limits.call, QStringLiteral("checking that no document is left open"), [&] {
        try {
            // Every document model registers here, with or without a window; frames are the windows.
            if (!documents_.is())
                documents_ = css::frame::theGlobalEventBroadcaster::get(context_);
            empty = !documents_->createEnumeration()->hasMoreElements() && desktop_->getFrames()->getCount() == 0;
        } catch (const css::uno::Exception &) {
            // An office that cannot tell is not trusted with another document.
        }
    });
    return empty;
}

void OfficeProcess::end()
{
    const auto deadline = std::chrono::steady_clock::now() + settings_.limits.quitGrace;
    try {
        if (isAlive() && openBridge(deadline)) {
            watchdog_->arm(settings_.limits.quitGrace);
            try {
                desktop_->terminate();
            } catch (const css::uno::RuntimeException &) {
                // The ending office may close the bridge before it answers; it still gets its
                // grace period below to finish writing its profile.
            }
            watchdog_->disarm();
        }
    } catch (const AutomationError &) {
        // Ending only needs the process to end, which follows.
    } catch (const css::uno::Exception &) {
    }
    const auto grace = std::max(
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()),
        std::chrono::milliseconds(0));
    if (!collected_ && CollectOfficeChild(pid_, grace))
        collected();
    kill();
}

void OfficeProcess::kill()
{
    if (!collected_) {
        KillOfficeChild(pid_);
        collected();
    }
    disposeBridge();
}

// The process has ended and been waited for: what it worked with goes.
void OfficeProcess::collected()
{
    collected_ = true;
    work_.reset();
}

ViewlessLoader &OfficeProcess::loader()
{
    if (!loader_)
        loader_.emplace(context_);
    return *loader_;
}

PreparationScript &OfficeProcess::preparationScript()
{
    if (!preparationScript_)
        preparationScript_.emplace(context_);
    return *preparationScript_;
}

void OfficeProcess::disposeBridge()
{
    loader_.reset();
    preparationScript_.reset();
    documents_.clear();
    desktop_.clear();
    context_.clear();
    if (const css::uno::Reference<css::lang::XComponent> bridge{bridge_, css::uno::UNO_QUERY}; bridge.is()) {
        bridge_.clear();
        try {
            bridge->dispose();
        } catch (const css::uno::Exception &) {
            // Already gone with the office.
        }
    }
}
