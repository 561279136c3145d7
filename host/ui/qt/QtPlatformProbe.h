#pragma once

// Whether Qt can open its platform here. Qt ends the process when it cannot, so the
// backend asks first: a platform named in QT_QPA_PLATFORM other than xcb is taken
// at its word; xcb, named or by default, needs an X display that answers.
bool QtPlatformCanStart();
