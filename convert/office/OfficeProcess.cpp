#include "convert/office/OfficeProcess.h"

#include "convert/automation/AutomationError.h"
#include "convert/office/OfficeChild.h"
#include "convert/office/UnoRuntime.h"
#include "convert/office/UnoText.h"

#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/connection/Connector.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <cppuhelper/implbase1.hxx>

#include <QCoreApplication>
#include <QRandomGenerator>

#include <sys/wait.h>
#include <thread>

using namespace std::chrono_literals;

namespace {
constexpr auto ConnectRetryPause = 50ms;
constexpr auto ReapLimit = 10s;

// Tells us at once when the bridge to the office goes, whatever the reason.
class BridgeListener : public cppu::WeakImplHelper1<css::lang::XEventListener> {
public:
    explicit BridgeListener(std::shared_ptr<std::atomic_bool> disposed) : disposed_(std::move(disposed)) {}
    void SAL_CALL disposing(const css::lang::EventObject &) override { *disposed_ = true; }

private:
    std::shared_ptr<std::atomic_bool> disposed_;
};

QString seconds(std::chrono::milliseconds duration)
{
    return QString::number(duration.count() / 1000.0, 'g', 3);
}
} // namespace

OfficeProcess::OfficeProcess(const OfficeSettings &settings)
    : settings_(settings)
    , profile_(settings)
    , pipeName_(QStringLiteral("quorvane-%1-%2").arg(QCoreApplication::applicationPid())
                    .arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0')))
{
    const auto deadline = std::chrono::steady_clock::now() + settings_.limits.start;
    launch();
    connect(deadline);
}

OfficeProcess::~OfficeProcess()
{
    kill();
}

void OfficeProcess::launch()
{
    profile_.clearStaleOfficeLock();
    PrepareOfficeChild(process_);
    process_.start(settings_.program,
                   HeadlessOfficeArguments()
                       << QStringLiteral("--accept=pipe,name=%1;urp;StarOffice.ComponentContext").arg(pipeName_)
                       << profile_.installationArgument());
    if (!process_.waitForStarted())
        ThrowOfficeNotInstalled(settings_.program);
    watchdog_ = std::make_unique<OfficeWatchdog>(static_cast<pid_t>(process_.processId()));
}

void OfficeProcess::connect(std::chrono::steady_clock::time_point deadline)
{
    const auto context = LocalUnoContext();
    const auto connector = css::connection::Connector::create(context);
    css::uno::Reference<css::connection::XConnection> connection;
    bool restarted = false;
    while (!connection.is()) {
        if (process_.waitForFinished(0) || process_.state() == QProcess::NotRunning) {
            // A new profile's first start may end asking to be started again, once.
            if (process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == OfficeRestartRequested && !restarted) {
                restarted = true;
                launch();
                continue;
            }
            throw AutomationError(AutomationErrorNumber::EngineGone,
                                  QStringLiteral("Word (here LibreOffice) ended while starting (exit code %1). "
                                                 "Check that the package libreoffice-writer-nogui is installed correctly.")
                                      .arg(process_.exitCode()));
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            kill();
            throw AutomationError(AutomationErrorNumber::EngineTimeout,
                                  QStringLiteral("Word (here LibreOffice) did not start within %1 seconds; its process was ended.")
                                      .arg(seconds(settings_.limits.start)));
        }
        try {
            connection = connector->connect(toOUString(QStringLiteral("pipe,name=") + pipeName_));
        } catch (const css::connection::NoConnectException &) {
            std::this_thread::sleep_for(ConnectRetryPause);
        }
    }
    const auto remaining = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    try {
        call(std::max(remaining, std::chrono::milliseconds(1)), QStringLiteral("starting"), [&] {
            bridge_ = css::bridge::BridgeFactory::create(context)->createBridge(rtl::OUString(), "urp", connection, nullptr);
            css::uno::Reference<css::lang::XComponent>(bridge_, css::uno::UNO_QUERY_THROW)
                ->addEventListener(new BridgeListener(bridgeDisposed_));
            context_.set(bridge_->getInstance("StarOffice.ComponentContext"), css::uno::UNO_QUERY_THROW);
            desktop_ = css::frame::Desktop::create(context_);
        });
    } catch (const css::uno::Exception &error) {
        kill();
        throw AutomationError(AutomationErrorNumber::EngineGone,
                              QStringLiteral("Word (here LibreOffice) started but could not be reached (%1).")
                                  .arg(toQString(error.Message)));
    }
}

bool OfficeProcess::isAlive() const
{
    if (*bridgeDisposed_ || process_.state() == QProcess::NotRunning)
        return false;
    // Looks without reaping: the process stays ours to wait for.
    siginfo_t info{};
    return ::waitid(P_PID, static_cast<id_t>(process_.processId()), &info, WEXITED | WNOHANG | WNOWAIT) == 0
        && info.si_pid == 0;
}

void OfficeProcess::call(std::chrono::milliseconds limit, const QString &task, const std::function<void()> &work)
{
    if (!isAlive())
        throwEngineGone(task);
    watchdog_->arm(limit);
    bool timedOut = false;
    try {
        work();
        timedOut = watchdog_->disarm();
    } catch (const css::lang::DisposedException &) {
        // The bridge went under the call: the office is of no further use.
        timedOut = watchdog_->disarm();
        kill();
        if (!timedOut)
            throwEngineGone(task);
    } catch (...) {
        timedOut = watchdog_->disarm();
        if (!timedOut && isAlive())
            throw;
        kill();
        if (!timedOut)
            throwEngineGone(task);
    }
    if (timedOut) {
        kill();
        throw AutomationError(AutomationErrorNumber::EngineTimeout,
                              QStringLiteral("Word (here LibreOffice) did not finish %1 within %2 seconds; "
                                             "its process was ended.").arg(task, seconds(limit)));
    }
}

void OfficeProcess::throwEngineGone(const QString &task) const
{
    throw AutomationError(AutomationErrorNumber::EngineGone,
                          QStringLiteral("Word (here LibreOffice) is no longer running: it ended while %1 "
                                         "or before.").arg(task));
}

void OfficeProcess::quit()
{
    if (isAlive()) {
        try {
            call(settings_.limits.quitGrace, QStringLiteral("quitting"), [this] {
                try {
                    desktop_->terminate();
                } catch (const css::uno::RuntimeException &) {
                    // The ending office may close the bridge before it answers; it still gets
                    // its grace period below to finish writing its profile.
                }
            });
        } catch (const AutomationError &) {
            // Quitting only needs the process to end, which endProcess sees to.
        } catch (const css::uno::Exception &) {
        }
    }
    endProcess(settings_.limits.quitGrace);
}

void OfficeProcess::kill()
{
    endProcess(0ms);
}

void OfficeProcess::endProcess(std::chrono::milliseconds grace)
{
    if (process_.state() != QProcess::NotRunning && !process_.waitForFinished(static_cast<int>(grace.count()))) {
        process_.kill();
        process_.waitForFinished(static_cast<int>(std::chrono::milliseconds(ReapLimit).count()));
    }
    disposeBridge();
}

void OfficeProcess::disposeBridge()
{
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

std::shared_ptr<OfficeProcess> ObtainOfficeProcess(const OfficeSettings &settings)
{
    return std::make_shared<OfficeProcess>(settings);
}

void ReleaseOfficeProcess(std::shared_ptr<OfficeProcess> process)
{
    process->quit();
}
