#pragma once

#include <optional>
#include <string>
#include <string_view>

// Asks at the terminal on fd for one line without showing what is typed, writing the
// prompt to stderr; the line without its end, or nothing when the input ended (Ctrl+D)
// before a line was ended. The terminal's modes are put back however the question
// ends: an answer, an error, or a signal that ends the process (SIGINT, SIGTERM,
// SIGHUP, SIGQUIT and the other ones whose default is to end it), which then ends it
// as it would have. Ctrl+Z (SIGTSTP) puts the modes back before the process stops,
// and asks again once it goes on. A signal ignored when the question starts stays
// ignored. Only SIGKILL, which nothing can catch, leaves the typing hidden (stty sane
// shows it again). Throws std::runtime_error when the terminal cannot be read.
std::optional<std::string> ReadHiddenLine(int fd, std::string_view prompt);
