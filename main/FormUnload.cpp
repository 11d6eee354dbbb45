// Closing the main window ends the program at once.
#include "Form1.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

void Form1::Form_Unload()
{
    // Returning to the event loop is not enough: a command waiting in a nested loop (a dialog,
    // the folder walk) would carry on. Nothing is kept between runs, so nothing is saved; the
    // office processes end with their parent. _Exit, not exit: static destructors would run
    // while the application object and the interrupted command still live on the stack.
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}
