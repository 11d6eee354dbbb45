// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "OfficeChild.h"

#include "FileDescriptor.h"
#include "OfficeErrors.h"
#include "OfficeProcessors.h"
#include "ProcessRecords.h"

#include <QFile>

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <linux/close_range.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

// The thread that starts every office child. It lasts until the program's end, and is never
// destroyed: offices ending during the static destruction may still need it.
class Launcher {
public:
    static Launcher &instance()
    {
        static Launcher *launcher = new Launcher;
        return *launcher;
    }

    // Runs start on the launcher's thread and returns what it returns.
    pid_t launch(std::function<pid_t()> start)
    {
        std::packaged_task<pid_t()> task(std::move(start));
        std::future<pid_t> started = task.get_future();
        {
            std::lock_guard lock(mutex);
            tasks.push_back(std::move(task));
        }
        changed.notify_one();
        return started.get();
    }

private:
    Launcher()
        : thread([this] { serve(); })
    {
    }

    [[noreturn]] void serve()
    {
        std::unique_lock lock(mutex);
        for (;;) {
            if (tasks.empty()) {
                changed.wait(lock);
                continue;
            }
            std::packaged_task<pid_t()> task = std::move(tasks.front());
            tasks.pop_front();
            lock.unlock();
            task();
            lock.lock();
        }
    }

    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::packaged_task<pid_t()>> tasks;
    std::thread thread;
};

// A sandbox given its office's end collects it and ends within this; one that does not is killed.
constexpr auto SandboxEndLimit = 2s;

// The children started and not yet collected, so that the program's end can kill them all, and
// whether each is a sandbox. Never destroyed, like the launcher.
struct LiveChildren {
    std::mutex mutex;
    std::map<pid_t, bool> sandboxed;
    bool ending = false; // the program is ending: no further child starts
};

LiveChildren &liveChildren()
{
    static LiveChildren *live = new LiveChildren;
    return *live;
}

void forget(pid_t pid)
{
    std::lock_guard lock(liveChildren().mutex);
    liveChildren().sandboxed.erase(pid);
}

bool isSandbox(pid_t pid)
{
    std::lock_guard lock(liveChildren().mutex);
    const auto found = liveChildren().sandboxed.find(pid);
    return found != liveChildren().sandboxed.end() && found->second;
}

// The process the sandbox pid started (with --as-pid-1 its only child): the office.
pid_t startedBy(pid_t pid)
{
    return static_cast<pid_t>(ChildProcesses(pid).value(0));
}

// Kills the office of pid; a sandbox is killed itself only while it has started none.
void stop(pid_t pid, bool sandboxed)
{
    const pid_t office = sandboxed ? startedBy(pid) : pid;
    ::kill(office > 0 ? office : pid, SIGKILL);
}

// Waits for a sandbox whose office was killed to collect it and end; kills it after the limit.
void collectStopped(pid_t pid, bool sandboxed)
{
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + SandboxEndLimit;
    while (sandboxed && ::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline)
            break;
        std::this_thread::sleep_for(5ms);
    }
    ::kill(pid, SIGKILL); // nothing when it has been collected
    ::waitpid(pid, nullptr, 0);
}

// In the child, between fork and exec: only calls that are safe there.
[[noreturn]] void becomeOffice(pid_t parent, int failurePipe, char *const argv[], const cpu_set_t *processor)
{
    // Ends the office when we end, however we end; if we ended before this line, end now.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent)
        ::_exit(127);
    const int nothing = ::open("/dev/null", O_RDWR);
    for (int stream = 0; stream < 3; ++stream)
        ::dup2(nothing, stream);
    // Our other open files (pipes of whoever started us) must not stay open in the office.
    ::syscall(SYS_close_range, 3U, ~0U, CLOSE_RANGE_CLOEXEC);
    // It can gain no privilege, not even through a program that would grant one, and leaves
    // no core dump, which would hold what it read.
    ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0);
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    // The office gets the signals as a program of its own would.
    ::signal(SIGPIPE, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    // Inherited by every process and thread the office starts.
    if (processor)
        ::sched_setaffinity(0, sizeof *processor, processor);
    ::execv(argv[0], argv);
    const int error = errno;
    [[maybe_unused]] const ssize_t written = ::write(failurePipe, &error, sizeof error);
    ::_exit(127);
}

// fork and exec; -1 when the program could not be executed.
pid_t spawn(const std::vector<std::string> &arguments, std::optional<int> processor)
{
    std::optional<cpu_set_t> only; // made before the fork, where the child may only make calls
    if (processor)
        only = OnlyProcessor(*processor);
    std::vector<char *> argv;
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    int failure[2];
    if (::pipe2(failure, O_CLOEXEC) != 0)
        return -1;
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid == 0)
        becomeOffice(parent, failure[1], argv.data(), only ? &*only : nullptr);
    ::close(failure[1]);
    int execError = 0;
    const bool execFailed = pid > 0 && ::read(failure[0], &execError, sizeof execError) > 0;
    ::close(failure[0]);
    if (pid > 0 && execFailed) {
        ::waitpid(pid, nullptr, 0);
        return -1;
    }
    return pid;
}

} // namespace

QStringList HeadlessOfficeArguments()
{
    return {QStringLiteral("--headless"), QStringLiteral("--invisible"), QStringLiteral("--norestore"),
            QStringLiteral("--nologo"), QStringLiteral("--nodefault")};
}

pid_t StartOfficeChild(const QStringList &arguments, bool sandboxed, std::optional<int> processor)
{
    std::vector<std::string> command;
    for (const QString &argument : arguments)
        command.push_back(QFile::encodeName(argument).toStdString());
    // Started and noted under one lock, so that the program's end kills every child it started.
    const pid_t pid = Launcher::instance().launch([&command, sandboxed, processor] {
        std::lock_guard lock(liveChildren().mutex);
        if (liveChildren().ending)
            return pid_t(0);
        const pid_t started = spawn(command, processor);
        if (started > 0)
            liveChildren().sandboxed[started] = sandboxed;
        return started;
    });
    if (pid == 0)
        throw OfficeErrors::gone(QStringLiteral("starting, as the program is ending,"));
    if (pid < 0)
        throw OfficeErrors::notInstalled(arguments.value(0));
    return pid;
}

pid_t OfficeOf(pid_t child)
{
    return isSandbox(child) ? startedBy(child) : child;
}

void StopOfficeNow(pid_t child)
{
    stop(child, isSandbox(child));
}

bool OfficeChildHasEnded(pid_t pid)
{
    // Looks without collecting: the process stays ours to wait for.
    siginfo_t info{};
    return ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0 || info.si_pid != 0;
}

std::optional<int> CollectOfficeChild(pid_t pid, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    // Tells the moment the child ends, where the system can; else it is looked at every 20 ms.
    const FileDescriptor ending(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)));
    for (;;) {
        int status = 0;
        const pid_t collected = ::waitpid(pid, &status, WNOHANG);
        if (collected == pid || (collected < 0 && errno == ECHILD)) {
            forget(pid);
            return collected == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left <= 0ms)
            return std::nullopt;
        if (ending.isOpen()) {
            pollfd ended{ending.get(), POLLIN, 0};
            ::poll(&ended, 1, int(std::min(left, 1000ms).count()));
        } else {
            std::this_thread::sleep_for(std::min(left, 20ms));
        }
    }
}

void KillOfficeChild(pid_t pid)
{
    const bool sandboxed = isSandbox(pid);
    stop(pid, sandboxed);
    collectStopped(pid, sandboxed);
    forget(pid);
}

void KillAllOfficeChildren()
{
    std::lock_guard lock(liveChildren().mutex);
    liveChildren().ending = true;
    for (const auto &[pid, sandboxed] : liveChildren().sandboxed)
        stop(pid, sandboxed);
    for (const auto &[pid, sandboxed] : liveChildren().sandboxed)
        collectStopped(pid, sandboxed);
    liveChildren().sandboxed.clear();
}
