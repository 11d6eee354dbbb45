// Closing the main window ends the program at once.
#include "Form1.h"
#include "ObjectRegistry.h"
#include "StagedPage.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

void Form1::Form_Unload()
{
    // Returning to the event loop is not enough: a command waiting in a nested loop (a dialog,
    // the folder walk, a conversion run) would carry on. Nothing is kept between runs, so
    // nothing is saved. The offices end first, so that none writes into a staging folder while
    // it is removed, and no half-written page is left anywhere. _Exit, not exit: static
    // destructors would run while the interrupted command still lives on the stack.
    EndAllServers();
    DiscardAllStagedPages();
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}
