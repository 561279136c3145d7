#pragma once

#include <string>

#include "ui/terminal/TerminalControl.h"
#include "ui/terminal/TextField.h"

// An edit box of one line: a password shows as stars, a read-only box cannot be
// changed, a box marked as a whole number refuses, where it is typed, a character
// that cannot become one, and says so on the status line with a beep ("Unacceptable
// Character"); a paste holding one is refused whole. A text longer than the box
// scrolls in it; nothing limits its length.
class TerminalEdit : public TerminalControl {
 public:
  TerminalEdit(const ControlTemplate& control, TerminalWindow& window);

  void SetText(std::string_view text) override;
  std::string Text() const override;
  std::optional<char32_t> UnstorableCharacter() const override;
  void MarkWholeNumber() { wholeNumber_ = true; }
  void SetCueBanner(std::string_view text);

  bool TakesFocus() const override { return true; }
  void Draw(const Painter& painter, bool focused) const override;
  CellPoint CursorAt() const override;
  bool HandleKey(const TerminalKey& key) override;
  void HandlePaste(std::u32string_view text) override;
  std::string Hints() const override;

  // The title and text of the tip that refuses a character in a whole number.
  static constexpr const char* kRefusalTitle = "Unacceptable Character";
  static constexpr const char* kRefusalText = "You can only type a number here.";

 protected:
  // Draws the field in the cells given, for a combo box's text field too.
  void DrawField(const Painter& painter, const CellRect& cells, bool focused) const;
  CellPoint CursorIn(const CellRect& cells) const;
  // Edits the text with the key; true when taken. `changed` says whether the text
  // changed (the caller notifies).
  bool Edit(const TerminalKey& key, bool& changed);
  bool PasteInto(std::u32string_view text);
  TextField& Field() const { return field_; }
  bool ReadOnly() const { return Template().Has(ControlStyle::ReadOnly); }
  virtual void NotifyEdited();

 private:
  bool Accepts(std::u32string_view inserted);
  void Refuse();

  mutable TextField field_;
  std::u32string cue_;
  bool wholeNumber_ = false;
};
