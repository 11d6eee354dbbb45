// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "InterruptSignals.h"

#include "ConversionJobs.h"

#include <csignal>
#include <cstdio>

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

namespace {

constexpr int EndingSignals[] = {SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t arrivedSignal = 0;
int wakeUp[2] = {-1, -1}; // read end, write end

extern "C" void noteSignal(int number)
{
    if (arrivedSignal == 0)
        arrivedSignal = number;
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = ::write(wakeUp[1], &byte, 1);
}

} // namespace

InterruptSignals::InterruptSignals(std::function<void()> beforeEnding)
    : beforeEnding(std::move(beforeEnding))
{
    if (::pipe2(wakeUp, O_CLOEXEC | O_NONBLOCK) != 0) {
        std::perror("quorvane-convert: pipe");
        return; // the signals keep their default action: the offices still end with this process
    }
    notifier = std::make_unique<QSocketNotifier>(wakeUp[0], QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, [this] { endIfArrived(); });
    struct sigaction action {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART; // the office engine's calls go on undisturbed until the ending
    for (const int number : EndingSignals)
        ::sigaction(number, &action, nullptr);
}

InterruptSignals::~InterruptSignals()
{
    for (const int number : EndingSignals)
        std::signal(number, SIG_DFL);
}

bool InterruptSignals::arrived()
{
    return arrivedSignal != 0;
}

void InterruptSignals::endIfArrived()
{
    const int number = arrivedSignal;
    if (number == 0)
        return;
    beforeEnding();
    AbandonAllConversions();
    std::fflush(nullptr);
    std::signal(number, SIG_DFL);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, number);
    ::pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    std::raise(number);
}
