#pragma once

#include <string>

// How many files this process may open at once, and how to allow more: for a message
// about a run that met the limit (EMFILE), so that the user learns what to change.
// "this process may open 1024 files at once (ulimit -n; the hard limit is 4096)".
std::string OpenFileLimitText();

// What the system says of error (errno), and for EMFILE, the limit it met and how to
// raise it.
std::string SystemReason(int error);
