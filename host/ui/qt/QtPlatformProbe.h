#pragma once

#include <optional>
#include <string>

// Why Qt cannot open its platform here, in one line, or nothing when it can. Qt
// ends the process when its platform plugin cannot start (a name it does not know,
// Wayland without a compositor, eglfs without a DRM device, xcb without an X
// display), or later when the platform has no screen to open a window on (linuxfb
// without a frame buffer). So the backend asks first: xcb, named or by default,
// needs an X display that answers; then a child process starts the platform and
// looks for a screen, and the answer is what it saw.
std::optional<std::string> QtPlatformProblem();

inline bool QtPlatformCanStart() { return !QtPlatformProblem(); }
