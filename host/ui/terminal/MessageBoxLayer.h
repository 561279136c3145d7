#pragma once

#include <string>
#include <vector>

#include "ui/backend/MessageBoxRequest.h"
#include "ui/terminal/TerminalLayer.h"

// A message box: its icon as a word ("Warning:"), so that it is read, not only
// seen; the text wrapped; the buttons of its set, the request's default focused
// (the first unless it names another, No for a destructive question). Enter
// presses the focused button, Escape answers Cancel where there is one (else No,
// else OK), a button's letter (with Alt or without) presses it.
class MessageBoxLayer final : public TerminalLayer {
 public:
  explicit MessageBoxLayer(const MessageBoxRequest& request);

  // The IDOK, IDCANCEL, IDYES or IDNO pressed.
  int Answer() const { return answer_; }

  CellRect Place(int rows, int columns) override;
  void Draw(const Painter& painter) override;
  std::optional<CellPoint> Cursor() const override;
  std::string Hints() const override;
  void HandleKey(const TerminalKey& key) override;
  bool Done() const override { return done_; }

 private:
  struct Button {
    std::u32string caption;
    char32_t key;
    int answer;
  };

  void Wrap(int width);
  int ButtonsWidth() const;
  int ButtonX(std::size_t index, int width) const;

  std::u32string caption_;
  std::u32string text_;
  std::vector<std::u32string> lines_;
  std::vector<Button> buttons_;
  int closedAnswer_;
  int focused_ = 0;
  int answer_ = 0;
  bool done_ = false;
  CellRect box_;
};
