#include "ui/terminal/TerminalApplication.h"

#include <unistd.h>

#include <csignal>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "ui/backend/UiRunAborted.h"
#include "ui/model/SafeQuestion.h"
#include "ui/terminal/MessageBoxLayer.h"
#include "ui/terminal/Painter.h"
#include "ui/terminal/TerminalLayer.h"
#include "ui/terminal/TerminalText.h"

TerminalLayer::~TerminalLayer() = default;

namespace {

// The status line's hints in `width` columns: all while they fit, else the focused
// control's part and F1, which shows the rest.
std::string FitHints(const std::string& hints, int width) {
  if (CellWidth(FromUtf8(hints)) <= width) return hints;
  const std::size_t bar = hints.find("  |  ");
  if (bar == std::string::npos) return hints;
  return hints.substr(0, bar) + "  |  F1 keys";
}

}  // namespace

TerminalApplication::TerminalApplication() = default;

TerminalApplication::~TerminalApplication() {
  while (!shown_.empty()) Pop();
}

bool TerminalApplication::Unicode() const { return screen_.Unicode(); }

void TerminalApplication::Tell(std::string text, bool beep) {
  if (text.empty()) {
    if (beep) Beep();
    return;
  }
  told_ = std::move(text);
  if (beep) Beep();
}

void TerminalApplication::Beep() { screen_.Beep(); }

void TerminalApplication::Refuse() {
  std::string own = shown_.empty() ? std::string() : shown_.back().layer->Hints();
  own = own.substr(0, own.find("  |  "));
  Tell(own.empty() ? "Refused" : "Refused: " + own, true);
}

bool TerminalApplication::ConfirmDiscard(std::string_view caption) {
  MessageBoxLayer ask({"Discard changes?", std::string(caption), kDestructiveQuestion});
  Run(ask);
  return ask.Answer() == IDYES;
}

void TerminalApplication::MarkChanged() {
  if (!shown_.empty()) shown_.back().layer->MarkChanged();
}

void TerminalApplication::Forget(const TerminalWindow& window) {
  for (Shown& shown : shown_) shown.layer->Forget(window);
}

void TerminalApplication::WindowFocused(const TerminalWindow& window) {
  for (Shown& shown : shown_) shown.layer->WindowFocused(window);
}

std::string TerminalApplication::ChooserFolder() const {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (!lastFolder_.empty() && fs::is_directory(lastFolder_, ec)) return lastFolder_;
  for (auto document = documents_.rbegin(); document != documents_.rend(); ++document) {
    if (document->empty()) continue;
    const fs::path folder = fs::absolute(fs::path(*document), ec).parent_path();
    if (!ec && fs::is_directory(folder, ec)) return folder.string();
  }
  const fs::path here = fs::current_path(ec);
  return ec ? std::string("/") : here.string();
}

void TerminalApplication::Run(TerminalLayer& layer) {
  if (shown_.empty()) {
    screen_.Start();
    status_ = newwin(1, std::max(COLS, 1), std::max(LINES - 1, 0), 0);
    statusPanel_ = new_panel(status_);
  }
  WINDOW* window = newwin(1, 1, 0, 0);
  shown_.push_back({&layer, window, new_panel(window), {}});
  if (tooSmall_) hide_panel(shown_.back().panel);
  struct Popper {
    TerminalApplication* app;
    ~Popper() { app->Pop(); }
  } popper{this};

  while (!layer.Done()) {
    Render();
    const TerminalKey key = NextKey();
    // What was told stays while the user types on (a refused character among
    // others), and goes with any other key.
    if (!key.IsText()) told_.clear();
    if (key.code == KeyCode::PasteStart) {
      // What is pasted arrives at once: a field can refuse it whole.
      std::u32string pasted;
      for (;;) {
        const ScreenEvent event = screen_.Next(1000);
        if (event.kind == ScreenEvent::Kind::Interrupted || event.kind == ScreenEvent::Kind::HungUp)
          Abort(event);
        if (event.kind != ScreenEvent::Kind::Key || event.key.code == KeyCode::PasteEnd) break;
        if (event.key.code == KeyCode::Enter) pasted += U'\n';
        if (event.key.code == KeyCode::Tab) pasted += U'\t';
        if (event.key.code == KeyCode::Char) pasted += event.key.ch;
      }
      if (tooSmall_) {
        Beep();
      } else {
        layer.HandlePaste(pasted);
      }
      continue;
    }
    if (key.code == KeyCode::PasteEnd) continue;
    if (tooSmall_) {
      // Nothing is typed or pressed unseen.
      Beep();
      continue;
    }
    if (key.code == KeyCode::F1 && !key.alt && !key.ctrl && !showingKeys_) {
      ShowKeys(layer);
      continue;
    }
    layer.HandleKey(key);
  }
}

void TerminalApplication::ShowKeys(const TerminalLayer& layer) {
  std::string keys = layer.Hints();
  for (std::size_t at = 0; (at = keys.find("  |  ", at)) != std::string::npos;)
    keys.replace(at, 5, "\n\n");
  for (std::size_t at = 0; (at = keys.find("  ", at)) != std::string::npos;)
    keys.replace(at, 2, "\n");
  MessageBoxLayer help({keys + "\n\nF1 these keys", "Keys", MB_OK});
  showingKeys_ = true;
  struct Showing {
    bool& flag;
    ~Showing() { flag = false; }
  } showing{showingKeys_};
  Run(help);
}

void TerminalApplication::Pop() {
  Shown shown = shown_.back();
  shown_.pop_back();
  del_panel(shown.panel);
  delwin(shown.window);
  if (!shown_.empty()) return;
  del_panel(statusPanel_);
  delwin(status_);
  statusPanel_ = nullptr;
  status_ = nullptr;
  told_.clear();
  pending_.reset();
  tooSmall_ = false;
  screen_.Stop();
}

void TerminalApplication::Abort(const ScreenEvent& event) {
  if (event.kind == ScreenEvent::Kind::HungUp)
    throw UiRunAborted("the terminal hung up", event.signal != 0 ? event.signal : SIGHUP);
  throw UiRunAborted(
      std::string("interrupted by ") + (event.signal == SIGINT ? "SIGINT" : "SIGTERM"),
      event.signal);
}

TerminalKey TerminalApplication::NextKey() {
  if (pending_) {
    const TerminalKey key = *pending_;
    pending_.reset();
    return key;
  }
  for (;;) {
    const ScreenEvent event = screen_.Next(-1);
    switch (event.kind) {
      case ScreenEvent::Kind::Interrupted:
      case ScreenEvent::Kind::HungUp:
        Abort(event);
      case ScreenEvent::Kind::Resized:
      case ScreenEvent::Kind::TimedOut:
        Render();
        continue;
      case ScreenEvent::Kind::Key:
        break;
    }
    if (event.key.code != KeyCode::Escape) return event.key;
    // Escape alone is Cancel; followed by a letter it is Alt with the letter, for
    // terminals (and people) that send no Alt.
    const ScreenEvent next = screen_.Next(kEscapeWaitMs);
    if (next.kind == ScreenEvent::Kind::Interrupted || next.kind == ScreenEvent::Kind::HungUp)
      Abort(next);
    if (next.kind == ScreenEvent::Kind::Key) {
      if (const std::optional<TerminalKey> joined = JoinEscape(next.key)) return *joined;
      if (next.key.code != KeyCode::Escape) pending_ = next.key;
    }
    return event.key;
  }
}

void TerminalApplication::PlaceLayer(Shown& shown, int rows, int columns) {
  CellRect place = shown.layer->Place(rows, columns);
  place.width = std::clamp(place.width, 1, std::max(columns, 1));
  place.height = std::clamp(place.height, 1, std::max(rows, 1));
  place.x = std::clamp(place.x, 0, std::max(columns - place.width, 0));
  place.y = std::clamp(place.y, 0, std::max(rows - place.height, 0));
  if (place == shown.place) return;
  wresize(shown.window, place.height, place.width);
  move_panel(shown.panel, place.y, place.x);
  shown.place = place;
}

void TerminalApplication::RenderTooSmall(int rows, int columns) {
  wresize(status_, rows, columns);
  move_panel(statusPanel_, 0, 0);
  top_panel(statusPanel_);
  werase(status_);
  const Painter screen(status_, {0, 0, columns, rows}, {0, 0}, screen_.Palette(),
                       screen_.Unicode());
  for (int y = 0; y < rows; ++y) screen.Fill(0, y, columns, Look::Status);
  const std::u32string least =
      U"at least " + FromUtf8(std::to_string(kLeastColumns) + "x" + std::to_string(kLeastRows));
  screen.Text(0, 0, U"Terminal too small", Look::Status, columns);
  if (rows > 1) screen.Text(0, 1, least, Look::Status, columns);
  update_panels();
  curs_set(0);
  doupdate();
}

void TerminalApplication::Render() {
  const int rows = std::max(screen_.Rows(), 1);
  const int columns = std::max(screen_.Columns(), 1);
  const TerminalPalette& palette = screen_.Palette();
  const bool tooSmall = rows < kLeastRows || columns < kLeastColumns;
  if (tooSmall != tooSmall_) {
    tooSmall_ = tooSmall;
    // Shown again bottom first, so that each lands above the one before.
    for (Shown& shown : shown_) tooSmall ? hide_panel(shown.panel) : show_panel(shown.panel);
  }
  if (tooSmall) return RenderTooSmall(rows, columns);
  for (Shown& shown : shown_) {
    PlaceLayer(shown, std::max(rows - 1, 1), columns);
    werase(shown.window);
    const Painter painter(shown.window, {0, 0, shown.place.width, shown.place.height}, {0, 0},
                          palette, screen_.Unicode());
    shown.layer->Draw(painter);
  }
  wresize(status_, 1, columns);
  move_panel(statusPanel_, rows - 1, 0);
  top_panel(statusPanel_);
  werase(status_);
  const Painter status(status_, {0, 0, columns, 1}, {0, 0}, palette, screen_.Unicode());
  const bool telling = !told_.empty();
  const std::string line = telling ? told_ : FitHints(shown_.back().layer->Hints(), columns - 2);
  status.Fill(0, 0, columns, telling ? Look::Tip : Look::Status);
  status.Text(1, 0, FromUtf8(line), telling ? Look::Tip : Look::Status, columns - 2);
  update_panels();

  const Shown& top = shown_.back();
  if (const std::optional<CellPoint> cursor = top.layer->Cursor()) {
    cursor_ = {top.place.x + cursor->x, top.place.y + cursor->y};
    wmove(top.window, cursor->y, cursor->x);
    wnoutrefresh(top.window);
    curs_set(1);
  } else {
    curs_set(0);
  }
  doupdate();
}
