#include "ui/terminal/SheetLayer.h"

#include <algorithm>
#include <stdexcept>

#include "text/TextEscape.h"
#include "ui/backend/MnemonicAssignment.h"
#include "ui/terminal/Painter.h"
#include "ui/terminal/TerminalApplication.h"
#include "ui/terminal/TerminalText.h"
#include "ui/terminal/TerminalWindow.h"

namespace {

TerminalWindow* TerminalPage(const SheetPage& page) {
  auto* window = dynamic_cast<TerminalWindow*>(page.window);
  if (window == nullptr)
    throw std::logic_error("a sheet page was not made by the terminal backend");
  return window;
}

// "handler.xml — Handler Properties": the file first, as desktops name windows.
std::u32string SheetTitle(std::string_view caption, std::string_view document, bool unicode) {
  if (document.empty()) return FromLatin1(caption);
  const std::size_t slash = document.find_last_of('/');
  const std::string_view file =
      slash == std::string_view::npos ? document : document.substr(slash + 1);
  return FromUtf8(EscapeText(file, TextBytes::Utf8)) + (unicode ? U" \u2014 " : U" - ") +
         FromLatin1(caption);
}

constexpr int kButtonWidth = 10;

std::uint64_t PageValues(const TerminalWindow& page) {
  return WindowValues(page, page.Template(), ChangeScopeOf(page.Role()));
}

}  // namespace

SheetLayer::SheetLayer(TerminalApplication& app, std::string_view caption,
                       std::string_view document, std::span<const SheetPage> pages,
                       PropertySheetListener& listener)
    : app_(app), listener_(listener) {
  if (pages.empty()) throw std::logic_error("a property sheet needs at least one page");
  caption_ = caption;
  document_ = document;
  for (const SheetPage& page : pages) {
    tabs_.push_back({TerminalPage(page), FromLatin1(page.title), 0, {}});
    tabs_.back().changes.Shown(PageValues(*tabs_.back().window));
  }
  FocusPageStart(false);
}

TerminalWindow* SheetLayer::Active() const {
  return tabs_[static_cast<std::size_t>(active_)].window;
}

CellRect SheetLayer::Place(int rows, int columns) {
  // The widest page, and room for the tabs and the buttons.
  int width = 2 * kButtonWidth + 4;
  int height = 1;
  int tabsWidth = 0;
  for (const Tab& tab : tabs_) {
    tabsWidth += CellWidth(tab.title) + 3;
    if (tab.window == nullptr) continue;
    tab.window->FitWidth(columns - 2);
    width = std::max(width, tab.window->Size().width);
    height = std::max(height, tab.window->Size().height);
  }
  // Known once the terminal is: its em dash, or a hyphen without Unicode.
  title_ = SheetTitle(caption_, document_, app_.Unicode());
  width = std::max({width + 2, tabsWidth + 2, CellWidth(title_) + 6});
  height += 5;  // the frame, the tabs and the buttons
  width = std::min(width, columns);
  height = std::min(height, rows);
  frame_ = {0, 0, width, height};
  viewport_ = {1, 2, std::max(width - 2, 1), std::max(height - 5, 1)};
  return {(columns - width) / 2, (rows - height) / 2, width, height};
}

CellRect SheetLayer::OkCells() const {
  return {frame_.Right() - 2 * kButtonWidth - 3, frame_.Bottom() - 2, kButtonWidth, 1};
}

CellRect SheetLayer::CancelCells() const {
  return {frame_.Right() - kButtonWidth - 2, frame_.Bottom() - 2, kButtonWidth, 1};
}

void SheetLayer::Draw(const Painter& painter) {
  painter.Frame(frame_, Look::Frame, Changed() ? U"*" + title_ : title_);
  int x = 1;
  for (std::size_t i = 0; i < tabs_.size(); ++i) {
    const bool active = static_cast<int>(i) == active_;
    const Look look = active ? Look::TabActive : Look::Plain;
    painter.Put(x, 1, active ? U'[' : U' ', look);
    x += 1 + painter.Text(x + 1, 1, tabs_[i].title, look, frame_.width - x - 3);
    painter.Put(x++, 1, active ? U']' : U' ', look);
    ++x;
  }
  if (TerminalWindow* page = Active()) {
    view_.Follow(*page, viewport_.width, viewport_.height);
    view_.Draw(painter, viewport_, *page, focus_ == Focus::Page);
    view_.DrawMarks(painter, frame_, *page, viewport_);
  }
  auto button = [&](const CellRect& cells, std::u32string_view caption, bool focused) {
    const Look look = focused ? Look::Focused : Look::Plain;
    painter.Fill(cells.x, cells.y, cells.width, look);
    painter.Put(cells.x, cells.y, focused ? U'<' : U'[', look);
    painter.Put(cells.Right() - 1, cells.y, focused ? U'>' : U']', look);
    const int width = static_cast<int>(caption.size());
    painter.Caption(cells.x + (cells.width - width) / 2, cells.y, caption, 0, look);
  };
  button(OkCells(), U"OK", focus_ == Focus::Ok);
  button(CancelCells(), U"Cancel", focus_ == Focus::Cancel);
}

std::optional<CellPoint> SheetLayer::Cursor() const {
  if (focus_ == Focus::Ok) return CellPoint{OkCells().x + 4, OkCells().y};
  if (focus_ == Focus::Cancel) return CellPoint{CancelCells().x + 2, CancelCells().y};
  if (TerminalWindow* page = Active()) return view_.Cursor(*page, viewport_);
  return std::nullopt;
}

std::string SheetLayer::Hints() const {
  std::string hints;
  if (focus_ == Focus::Page && Active() != nullptr) hints = Active()->Hints();
  if (focus_ == Focus::Ok) hints = "OK: save and close";
  if (focus_ == Focus::Cancel) hints = "Cancel: close without saving";
  if (!hints.empty()) hints += "  |  ";
  // Enter presses a button that has the focus, Cancel included.
  const bool pressing = focus_ == Focus::Cancel || (focus_ == Focus::Page && Active() != nullptr &&
                                                    Active()->FocusedIsButton());
  hints += std::string("Tab next  Enter ") + (pressing ? "press" : "OK") +
           "  Esc cancel  Alt+letter jump";
  if (tabs_.size() > 1) hints += "  Ctrl+PgUp/PgDn tabs";
  return hints;
}

void SheetLayer::FocusPageStart(bool last) {
  TerminalWindow* page = Active();
  if (page != nullptr && (last ? page->FocusLast() : page->FocusFirst())) {
    focus_ = Focus::Page;
  } else {
    focus_ = last ? Focus::Cancel : Focus::Ok;
  }
}

// Round the page's controls, then OK, then Cancel, then the page again.
void SheetLayer::Tabbing(bool backwards) {
  TerminalWindow* page = Active();
  switch (focus_) {
    case Focus::Page:
      if (page != nullptr && page->FocusNext(backwards, false)) return;
      focus_ = backwards ? Focus::Cancel : Focus::Ok;
      return;
    case Focus::Ok:
      if (backwards) {
        FocusPageStart(true);
      } else {
        focus_ = Focus::Cancel;
      }
      return;
    case Focus::Cancel:
      if (backwards) {
        focus_ = Focus::Ok;
      } else {
        FocusPageStart(false);
      }
      return;
  }
}

void SheetLayer::Ok() {
  if (listener_.OnSheetOk()) {
    done_ = true;
    accepted_ = true;
    return;
  }
  ShowPage(listener_.ActivePageAfterRefusal());
}

void SheetLayer::Cancel() {
  done_ = true;
  accepted_ = false;
}

void SheetLayer::CancelAsking() {
  if (Changed() && !app_.ConfirmDiscard(caption_)) return;
  Cancel();
}

bool SheetLayer::Changed() const {
  if (marked_) return true;
  for (const Tab& tab : tabs_) {
    if (tab.window == nullptr) continue;
    if (tab.changes.Changed(PageValues(*tab.window)) || tab.window->Changed()) return true;
  }
  return false;
}

void SheetLayer::ShowPage(int index) {
  if (index < 0 || index >= static_cast<int>(tabs_.size())) return;
  active_ = index;
}

void SheetLayer::SwitchTab(int delta) {
  const int count = static_cast<int>(tabs_.size());
  if (count < 2) return;
  const int next = ((active_ + delta) % count + count) % count;
  if (!listener_.OnLeavePage(active_)) return;
  ShowPage(next);
  listener_.OnPageActivated(next);
  if (Active() != nullptr && Active()->Focused() == nullptr) FocusPageStart(false);
  if (Active() != nullptr && Active()->Focused() != nullptr) focus_ = Focus::Page;
}

void SheetLayer::HandleKey(const TerminalKey& key) {
  if (const char letter = key.AltLetter()) {
    if (letter == 'O') return Ok();
    if (letter == 'C') return Cancel();
    TerminalWindow* page = Active();
    if (page != nullptr && page->PressMnemonic(letter)) {
      if (!done_ && Active() == page && page->Focused() != nullptr) focus_ = Focus::Page;
      return;
    }
    app_.Beep();
    return;
  }
  if (key.ctrl && (key.code == KeyCode::PageDown || key.code == KeyCode::PageUp)) {
    SwitchTab(key.code == KeyCode::PageDown ? 1 : -1);
    return;
  }
  switch (key.code) {
    case KeyCode::Tab:
      if (!key.alt && !key.ctrl) return Tabbing(key.shift);
      break;
    case KeyCode::BackTab:
      return Tabbing(true);
    case KeyCode::Escape:
      return CancelAsking();
    case KeyCode::Enter:
      if (focus_ == Focus::Cancel) return Cancel();
      if (focus_ == Focus::Page && Active() != nullptr && Active()->FocusedIsButton())
        return Active()->PressEnter();
      return Ok();
    default:
      break;
  }
  if (focus_ != Focus::Page) {
    if (key.IsText() && key.ch == U' ') return focus_ == Focus::Ok ? Ok() : Cancel();
    if (key.code == KeyCode::Left || key.code == KeyCode::Right)
      focus_ = focus_ == Focus::Ok ? Focus::Cancel : Focus::Ok;
    return;
  }
  if (TerminalWindow* page = Active()) page->HandleKey(key);
}

void SheetLayer::HandlePaste(std::u32string_view text) {
  if (focus_ == Focus::Page && Active() != nullptr) Active()->HandlePaste(text);
}

void SheetLayer::ReplacePage(int index, const SheetPage& page) {
  Tab& tab = tabs_.at(static_cast<std::size_t>(index));
  const int focusedId = tab.window != nullptr ? tab.window->FocusedId() : tab.focusedId;
  tab.window = TerminalPage(page);
  tab.title = FromLatin1(page.title);
  ShowPage(index);
  // The focus went with the old page; the same field of the new one takes it, as
  // though nothing had changed.
  if (focusedId == 0 || !tab.window->FocusControl(focusedId)) tab.window->FocusFirst();
}

void SheetLayer::Forget(const TerminalWindow& window) {
  for (Tab& tab : tabs_) {
    if (tab.window != &window) continue;
    tab.focusedId = window.FocusedId();
    tab.window = nullptr;
  }
}

void SheetLayer::WindowFocused(const TerminalWindow& window) {
  for (std::size_t i = 0; i < tabs_.size(); ++i) {
    if (tabs_[i].window != &window) continue;
    active_ = static_cast<int>(i);
    focus_ = Focus::Page;
  }
}
