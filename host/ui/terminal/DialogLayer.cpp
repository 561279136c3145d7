#include "ui/terminal/DialogLayer.h"

#include <algorithm>

#include "ui/terminal/Painter.h"
#include "ui/terminal/TerminalApplication.h"
#include "ui/terminal/TerminalText.h"
#include "ui/terminal/TerminalWindow.h"

CellRect DialogLayer::Place(int rows, int columns) {
  if (window_ == nullptr) return {0, 0, 1, 1};
  window_->FitWidth(columns - 2);
  const CellRect size = window_->Size();
  const int width = std::min(size.width + 2, columns);
  const int height = std::min(size.height + 2, rows);
  viewport_ = {1, 1, std::max(width - 2, 1), std::max(height - 2, 1)};
  return {(columns - width) / 2, (rows - height) / 2, width, height};
}

void DialogLayer::Draw(const Painter& painter) {
  if (window_ == nullptr) return;
  const CellRect frame{0, 0, viewport_.width + 2, viewport_.height + 2};
  painter.Frame(frame, Look::Frame, FromLatin1(window_->Template().title));
  view_.Follow(*window_, viewport_.width, viewport_.height);
  view_.Draw(painter, viewport_, *window_, true);
  view_.DrawMarks(painter, frame, *window_, viewport_);
}

std::optional<CellPoint> DialogLayer::Cursor() const {
  if (window_ == nullptr) return std::nullopt;
  return view_.Cursor(*window_, viewport_);
}

std::string DialogLayer::Hints() const {
  if (window_ == nullptr) return {};
  std::string hints = window_->Hints();
  if (!hints.empty()) hints += "  |  ";
  return hints + "Tab next  Enter " + (window_->FocusedIsButton() ? "press" : "OK") +
         "  Esc cancel  Alt+letter jump";
}

void DialogLayer::HandleKey(const TerminalKey& key) {
  if (window_ == nullptr) return;
  if (const char letter = key.AltLetter()) {
    if (!window_->PressMnemonic(letter)) window_->App().Beep();
    return;
  }
  switch (key.code) {
    case KeyCode::Tab:
      if (!key.alt && !key.ctrl) {
        window_->FocusNext(key.shift, true);
        return;
      }
      break;
    case KeyCode::BackTab:
      window_->FocusNext(true, true);
      return;
    case KeyCode::Enter:
      window_->PressEnter();
      return;
    case KeyCode::Escape:
      // Escape also starts every Alt sequence: a stray one must not throw away what
      // the dialog built.
      if (window_->Changed() && !window_->App().ConfirmDiscard(window_->Template().title)) return;
      if (window_ != nullptr) window_->PressCancel();
      return;
    default:
      break;
  }
  window_->HandleKey(key);
}

void DialogLayer::HandlePaste(std::u32string_view text) {
  if (window_ != nullptr) window_->HandlePaste(text);
}

bool DialogLayer::Done() const { return window_ == nullptr || window_->Ended(); }

void DialogLayer::MarkChanged() {
  if (window_ != nullptr) window_->MarkChanged();
}

void DialogLayer::Forget(const TerminalWindow& window) {
  if (window_ == &window) window_ = nullptr;
}
