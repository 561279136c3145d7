#pragma once

#include <string>

// The pager a long review is read in on a terminal, as git runs its own: the command
// HCDTOOL_PAGER names, else PAGER, else less, with LESS=FRX and LV=-c when those are
// unset (less then quits at once when the text fits the screen, and keeps colours).
// An empty command or "cat" means none.

// hcdtool --no-pager: no command of the run pages.
void ForbidPager();

// Whether a command that pages should: stdout is a terminal, and a pager is named
// and not forbidden.
bool PagerWanted();

// Starts the pager: stdout, and stderr when it is a terminal, then go to it, and a
// reader that quits early ends nothing but the output (ToolOutput). A pager that
// cannot be started leaves the output on the terminal, as git does. Until it ends,
// SIGINT, SIGTERM, SIGHUP and SIGQUIT wait for the pager, so the terminal is left as
// it was, then end the run as the signal does. Call once, before any output.
void StartPager();

// At the end of the run: ends the pager's input and waits until the person quits it.
// Empty when no pager ran or it ended well; else why the output may not have been
// shown (the pager could not be run, or ended with a failure), for stderr, which is
// the terminal again.
std::string FinishPager();
