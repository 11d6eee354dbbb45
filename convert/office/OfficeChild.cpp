// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "OfficeChild.h"

#include "OfficeErrors.h"

#include <QFile>

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <linux/close_range.h>
#include <signal.h>
#include <sys/prctl.h>
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

// The children started and not yet collected, so that the program's end can kill them all.
// Never destroyed, like the launcher.
struct LiveChildren {
    std::mutex mutex;
    std::set<pid_t> pids;
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
    liveChildren().pids.erase(pid);
}

// In the child, between fork and exec: only calls that are safe there.
[[noreturn]] void becomeOffice(pid_t parent, int failurePipe, char *const argv[])
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
    // The office gets the signals as a program of its own would.
    ::signal(SIGPIPE, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::execv(argv[0], argv);
    const int error = errno;
    [[maybe_unused]] const ssize_t written = ::write(failurePipe, &error, sizeof error);
    ::_exit(127);
}

// fork and exec; -1 when the program could not be executed.
pid_t spawn(const std::vector<std::string> &arguments)
{
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
        becomeOffice(parent, failure[1], argv.data());
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

pid_t StartOfficeChild(const QString &program, const QStringList &arguments)
{
    std::vector<std::string> command{QFile::encodeName(program).toStdString()};
    for (const QString &argument : arguments)
        command.push_back(argument.toStdString());
    // Started and noted under one lock, so that the program's end kills every child it started.
    const pid_t pid = Launcher::instance().launch([&command] {
        std::lock_guard lock(liveChildren().mutex);
        if (liveChildren().ending)
            return pid_t(0);
        const pid_t started = spawn(command);
        if (started > 0)
            liveChildren().pids.insert(started);
        return started;
    });
    if (pid == 0)
        throw OfficeErrors::gone(QStringLiteral("starting, as the program is ending,"));
    if (pid < 0)
        throw OfficeErrors::notInstalled(program);
    return pid;
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
    for (;;) {
        int status = 0;
        const pid_t collected = ::waitpid(pid, &status, WNOHANG);
        if (collected == pid || (collected < 0 && errno == ECHILD)) {
            forget(pid);
            return collected == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(20ms);
    }
}

void KillOfficeChild(pid_t pid)
{
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    forget(pid);
}

void KillAllOfficeChildren()
{
    std::lock_guard lock(liveChildren().mutex);
    liveChildren().ending = true;
    for (const pid_t pid : liveChildren().pids)
        ::kill(pid, SIGKILL);
    for (const pid_t pid : liveChildren().pids)
        ::waitpid(pid, nullptr, 0);
    liveChildren().pids.clear();
}
