#include "ui/terminal/TerminalEdit.h"

#include "ui/WinConstants.h"
#include "ui/terminal/Painter.h"
#include "ui/terminal/TerminalText.h"
#include "ui/terminal/TerminalWindow.h"

TerminalEdit::TerminalEdit(const ControlTemplate& control, TerminalWindow& window)
    : TerminalControl(control, window) {
  field_.SetText(FromLatin1(control.caption));
}

void TerminalEdit::SetText(std::string_view text) {
  TerminalControl::SetText(text);
  field_.SetText(FromLatin1(text));
}

std::string TerminalEdit::Text() const { return ToLatin1(field_.Text()); }

std::optional<char32_t> TerminalEdit::UnstorableCharacter() const {
  return FirstBeyondLatin1(field_.Text());
}

void TerminalEdit::SetCueBanner(std::string_view text) { cue_ = FromLatin1(text); }

void TerminalEdit::Draw(const Painter& painter, bool focused) const {
  DrawField(painter, Cells(), focused);
}

void TerminalEdit::DrawField(const Painter& painter, const CellRect& cells, bool focused) const {
  const bool password = Template().Has(ControlStyle::Password);
  Look look = Look::Field;
  if (!IsEnabled()) {
    look = Look::Disabled;
  } else if (ReadOnly()) {
    look = Look::Plain;
  } else if (focused) {
    look = Look::FieldFocused;
  }
  painter.Fill(cells.x, cells.y, cells.width, look);
  const std::u32string& text = field_.Text();
  if (text.empty() && !cue_.empty()) {
    painter.Text(cells.x, cells.y, cue_, IsEnabled() ? Look::Hint : Look::Disabled, cells.width);
    return;
  }
  const int first = field_.FirstShown(cells.width, password);
  const std::u32string_view shown =
      std::u32string_view(text).substr(static_cast<std::size_t>(first));
  if (password) {
    painter.Text(cells.x, cells.y, std::u32string(shown.size(), U'*'), look, cells.width);
  } else {
    painter.Text(cells.x, cells.y, shown, look, cells.width);
  }
}

CellPoint TerminalEdit::CursorAt() const { return CursorIn(Cells()); }

CellPoint TerminalEdit::CursorIn(const CellRect& cells) const {
  const bool password = Template().Has(ControlStyle::Password);
  const int first = field_.FirstShown(cells.width, password);
  const std::u32string_view before = std::u32string_view(field_.Text())
                                         .substr(static_cast<std::size_t>(first),
                                                 static_cast<std::size_t>(field_.Cursor() - first));
  const int column = password ? static_cast<int>(before.size()) : CellWidth(before);
  return {cells.x + std::min(column, std::max(cells.width - 1, 0)), cells.y};
}

bool TerminalEdit::Accepts(std::u32string_view inserted) {
  return !wholeNumber_ || IsWholeNumberText(field_.WithInserted(inserted));
}

void TerminalEdit::Refuse() {
  Window().Tell(std::string(kRefusalTitle) + ": " + kRefusalText, true);
}

bool TerminalEdit::Edit(const TerminalKey& key, bool& changed) {
  changed = false;
  if (key.alt) return false;
  if (key.IsText()) {
    if (ReadOnly()) {
      Window().Tell("", true);
      return true;
    }
    const std::u32string typed(1, key.ch);
    if (!Accepts(typed)) {
      Refuse();
      return true;
    }
    field_.Insert(typed);
    changed = true;
    return true;
  }
  if (key.code == KeyCode::Char && key.ch < 0x20) {
    const std::optional<bool> edited = field_.ReadlineKey(key.ch, !ReadOnly());
    if (!edited) return false;
    changed = *edited;
    return true;
  }
  switch (key.code) {
    case KeyCode::Backspace:
      changed = !ReadOnly() && field_.Backspace();
      return true;
    case KeyCode::Delete:
      changed = !ReadOnly() && field_.DeleteForward();
      return true;
    case KeyCode::Left:
      field_.Left();
      return true;
    case KeyCode::Right:
      field_.Right();
      return true;
    case KeyCode::Home:
      field_.Home();
      return true;
    case KeyCode::End:
      field_.End();
      return true;
    default:
      return false;
  }
}

bool TerminalEdit::HandleKey(const TerminalKey& key) {
  bool changed = false;
  const bool taken = Edit(key, changed);
  if (changed) NotifyEdited();
  return taken;
}

bool TerminalEdit::PasteInto(std::u32string_view text) {
  std::u32string line;
  for (char32_t c : text) {
    if (c == U'\r' || c == U'\n') {
      if (!line.empty() && line.back() != U' ') line += U' ';
      continue;
    }
    line += c;
  }
  while (!line.empty() && line.back() == U' ' && (text.ends_with(U'\n') || text.ends_with(U'\r')))
    line.pop_back();
  if (line.empty()) return false;
  if (ReadOnly()) {
    Window().Tell("", true);
    return false;
  }
  if (!Accepts(line)) {
    Refuse();
    return false;
  }
  field_.Insert(line);
  return true;
}

void TerminalEdit::HandlePaste(std::u32string_view text) {
  if (PasteInto(text)) NotifyEdited();
}

void TerminalEdit::NotifyEdited() { Window().UserNotify(Id(), EN_CHANGE); }

std::string TerminalEdit::Hints() const {
  if (ReadOnly()) return "read-only";
  if (Template().Has(ControlStyle::Password)) return "type the password (shown as *)";
  if (wholeNumber_) return "type a whole number";
  return "type text";
}
