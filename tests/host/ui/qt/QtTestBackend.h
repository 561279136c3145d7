#pragma once

#include "ui/qt/QtUiBackend.h"

// The Qt backend the tests of a program share: created and installed before the
// first test and destroyed after the last, with the QApplication under it.
QtUiBackend& TestBackend();
