// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "OfficeEngine.h"

#include "ObjectRegistry.h"
#include "OfficeChild.h"
#include "OfficePool.h"
#include "WordApplication.h"
#include "WordClass.h"

#include <csignal>

void RegisterOfficeEngine()
{
    RegisterOfficeEngine(DefaultOfficeSettings());
}

void RegisterOfficeEngine(const OfficeSettings &settings)
{
    // The bridge writes to the office's pipe without MSG_NOSIGNAL: an office that drops the
    // connection (as some do after a refused password) must turn into an error, not end the
    // program by SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    OfficePool::instance().configure(settings);
    RegisterClass(WordClass, [] { return WordApplication::create(); },
                  {[](int count, std::chrono::milliseconds keepFor) { OfficePool::instance().prepare(count, keepFor); },
                   [] { KillAllOfficeChildren(); }});
}

void EndIdleOfficeProcesses()
{
    OfficePool::instance().endIdleProcesses();
}

int ReadyOfficeProcesses()
{
    return OfficePool::instance().readyCount();
}
