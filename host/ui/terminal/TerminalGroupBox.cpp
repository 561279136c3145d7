#include "ui/terminal/TerminalGroupBox.h"

#include "ui/terminal/Painter.h"

void TerminalGroupBox::Draw(const Painter& painter, bool) const {
  painter.Frame(Cells(), Look::Frame, ShownCaption(nullptr),
                IsEnabled() ? Look::Title : Look::Disabled);
}
