#pragma once

// curses for the terminal backend: the wide-character library, and its functions as
// functions (not macros), which would otherwise take over names such as erase() and
// clear() of every class that has them.
#ifndef NCURSES_WIDECHAR
#define NCURSES_WIDECHAR 1
#endif
#ifndef NCURSES_NOMACROS
#define NCURSES_NOMACROS 1
#endif
#include <curses.h>
#include <panel.h>
