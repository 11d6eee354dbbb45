// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Closing the main window ends the program at once.
#include "ConversionJobs.h"
#include "Form1.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

void Form1::Form_Unload()
{
    // Returning to the event loop is not enough: a command waiting in a nested loop (a dialog,
    // the folder walk, a conversion run) would carry on. Nothing is kept between runs, so
    // nothing is saved; what a run was converting is abandoned. _Exit, not exit: static
    // destructors would run while the interrupted command still lives on the stack.
    AbandonAllConversions();
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}
