#include "ui/terminal/MessageBoxLayer.h"

#include <algorithm>

#include "ui/WinConstants.h"
#include "ui/terminal/Painter.h"
#include "ui/terminal/TerminalText.h"

namespace {

constexpr int kMostTextWidth = 64;

std::u32string IconWord(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Error:
      return U"Error: ";
    case MessageIcon::Question:
      return U"Question: ";
    case MessageIcon::Warning:
      return U"Warning: ";
    case MessageIcon::Information:
      return U"Information: ";
    case MessageIcon::None:
      break;
  }
  return {};
}

}  // namespace

MessageBoxLayer::MessageBoxLayer(const MessageBoxRequest& request)
    : caption_(FromLatin1(request.caption)),
      text_(IconWord(request.Icon()) + FromLatin1(request.text)) {
  switch (request.Buttons()) {
    case MB_OKCANCEL:
      buttons_ = {{U"OK", U'O', IDOK}, {U"Cancel", U'C', IDCANCEL}};
      closedAnswer_ = IDCANCEL;
      break;
    case MB_YESNO:
      buttons_ = {{U"Yes", U'Y', IDYES}, {U"No", U'N', IDNO}};
      closedAnswer_ = IDNO;
      break;
    case MB_YESNOCANCEL:
      buttons_ = {{U"Yes", U'Y', IDYES}, {U"No", U'N', IDNO}, {U"Cancel", U'C', IDCANCEL}};
      closedAnswer_ = IDCANCEL;
      break;
    default:
      buttons_ = {{U"OK", U'O', IDOK}};
      closedAnswer_ = IDOK;
      break;
  }
  const int defaultAnswer = request.DefaultAnswer();
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    if (buttons_[i].answer == defaultAnswer) focused_ = static_cast<int>(i);
}

int MessageBoxLayer::ButtonsWidth() const {
  int width = 0;
  for (const Button& button : buttons_) width += static_cast<int>(button.caption.size()) + 6;
  return width;
}

int MessageBoxLayer::ButtonX(std::size_t index, int width) const {
  int x = (width - ButtonsWidth()) / 2;
  for (std::size_t i = 0; i < index; ++i) x += static_cast<int>(buttons_[i].caption.size()) + 6;
  return x + 1;
}

// Word by word; the text's own line breaks stay.
void MessageBoxLayer::Wrap(int width) {
  lines_.clear();
  width = std::max(width, 8);
  std::u32string line;
  int lineWidth = 0;
  std::u32string word;
  auto flushWord = [&] {
    if (word.empty()) return;
    const int wordWidth = CellWidth(word);
    if (lineWidth > 0 && lineWidth + 1 + wordWidth > width) {
      lines_.push_back(line);
      line.clear();
      lineWidth = 0;
    }
    if (lineWidth > 0) {
      line += U' ';
      ++lineWidth;
    }
    line += word;
    lineWidth += wordWidth;
    word.clear();
  };
  for (char32_t c : text_) {
    if (c == U'\n') {
      flushWord();
      lines_.push_back(line);
      line.clear();
      lineWidth = 0;
    } else if (c == U' ' || c == U'\t') {
      flushWord();
    } else if (c != U'\r') {
      word += c;
    }
  }
  flushWord();
  lines_.push_back(line);
}

CellRect MessageBoxLayer::Place(int rows, int columns) {
  const int textWidth = std::min(kMostTextWidth, std::max(columns - 6, 8));
  Wrap(textWidth);
  int widest = std::max(ButtonsWidth(), CellWidth(caption_) + 4);
  for (const std::u32string& line : lines_) widest = std::max(widest, CellWidth(line));
  const int width = std::min(widest + 4, columns);
  const int height = std::min(static_cast<int>(lines_.size()) + 5, rows);
  box_ = {0, 0, width, height};
  return {(columns - width) / 2, (rows - height) / 2, width, height};
}

void MessageBoxLayer::Draw(const Painter& painter) {
  painter.Frame(box_, Look::Frame, caption_);
  const int shownLines = std::max(box_.height - 5, 1);
  for (int i = 0; i < shownLines && i < static_cast<int>(lines_.size()); ++i)
    painter.Text(2, 2 + i, lines_[static_cast<std::size_t>(i)], Look::Plain, box_.width - 4);
  const int y = box_.height - 2;
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    const bool focused = static_cast<int>(i) == focused_;
    const Look look = focused ? Look::Focused : Look::Plain;
    const int x = ButtonX(i, box_.width);
    const std::u32string& caption = buttons_[i].caption;
    painter.Put(x, y, focused ? U'<' : U'[', look);
    painter.Put(x + 1, y, U' ', look);
    painter.Caption(x + 2, y, caption, 0, look);
    painter.Put(x + 2 + static_cast<int>(caption.size()), y, U' ', look);
    painter.Put(x + 3 + static_cast<int>(caption.size()), y, focused ? U'>' : U']', look);
  }
}

std::optional<CellPoint> MessageBoxLayer::Cursor() const {
  return CellPoint{ButtonX(static_cast<std::size_t>(focused_), box_.width) + 2, box_.height - 2};
}

std::string MessageBoxLayer::Hints() const {
  std::string hints = "Enter press  Left Right choose";
  for (const Button& button : buttons_)
    hints += "  " + std::string(1, static_cast<char>(button.key)) + " " + ToLatin1(button.caption);
  return hints;
}

void MessageBoxLayer::HandleKey(const TerminalKey& key) {
  const int count = static_cast<int>(buttons_.size());
  if (key.code == KeyCode::Char && !key.ctrl) {
    const char32_t letter = key.ch >= U'a' && key.ch <= U'z' ? key.ch - U'a' + U'A' : key.ch;
    for (const Button& button : buttons_) {
      if (button.key != letter) continue;
      answer_ = button.answer;
      done_ = true;
      return;
    }
    if (key.ch == U' ') {
      answer_ = buttons_[static_cast<std::size_t>(focused_)].answer;
      done_ = true;
    }
    return;
  }
  switch (key.code) {
    case KeyCode::Enter:
      answer_ = buttons_[static_cast<std::size_t>(focused_)].answer;
      done_ = true;
      return;
    case KeyCode::Escape:
      answer_ = closedAnswer_;
      done_ = true;
      return;
    case KeyCode::Tab:
    case KeyCode::Right:
      focused_ = (focused_ + (key.shift ? count - 1 : 1)) % count;
      return;
    case KeyCode::BackTab:
    case KeyCode::Left:
      focused_ = (focused_ + count - 1) % count;
      return;
    default:
      return;
  }
}
