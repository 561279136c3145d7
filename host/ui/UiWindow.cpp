#include "ui/UiWindow.h"

UiWindow::~UiWindow() = default;
