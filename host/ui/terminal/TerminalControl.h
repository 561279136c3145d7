#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui/ControlTemplate.h"
#include "ui/backend/MnemonicAssignment.h"
#include "ui/terminal/CellLayout.h"
#include "ui/terminal/TerminalKey.h"

class Painter;
class TerminalWindow;

// One control of a terminal window: its template, the cells it takes, and what
// every kind offers. Kinds with more to offer derive from it.
class TerminalControl {
 public:
  TerminalControl(const ControlTemplate& control, TerminalWindow& window);
  virtual ~TerminalControl();
  TerminalControl(const TerminalControl&) = delete;
  TerminalControl& operator=(const TerminalControl&) = delete;

  const ControlTemplate& Template() const { return template_; }
  int Id() const { return template_.id; }
  ControlKind Kind() const { return template_.kind; }
  const CellRect& Cells() const { return cells_; }
  // "control 12063 (list view)", for messages.
  std::string Describe() const;

  // The window text: a caption for labels, buttons and group boxes, the content of
  // edit boxes and combo boxes' text fields, a caption nobody sees for the rest.
  virtual void SetText(std::string_view text) { text_ = text; }
  virtual std::string Text() const { return text_; }
  virtual std::optional<char32_t> UnstorableCharacter() const { return std::nullopt; }
  bool IsEnabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }

  // Whether Tab stops at the control (when it is enabled).
  virtual bool TakesFocus() const { return false; }
  // Whether its caption takes a mnemonic of the window's.
  virtual bool TakesMnemonic() const { return false; }
  void SetMnemonic(const MnemonicPlace& place) { mnemonic_ = place; }
  // The key of its mnemonic, upper case; 0 for none.
  char MnemonicKey() const;

  virtual void Draw(const Painter& painter, bool focused) const = 0;
  // Where the hardware cursor sits while the control has the focus: where a screen
  // reader starts to read.
  virtual CellPoint CursorAt() const { return {cells_.x, cells_.y}; }
  // The cells a scrolled view keeps in sight while the control has the focus.
  virtual CellRect FocusArea() const { return cells_; }
  // A key while it has the focus; true when it took it.
  virtual bool HandleKey(const TerminalKey& key) {
    (void)key;
    return false;
  }
  virtual void HandlePaste(std::u32string_view text) { (void)text; }
  // What Alt with its mnemonic, or Space, does to it: a button's click.
  virtual void Activate() {}
  virtual void FocusLeft() {}
  virtual void FocusEntered() {}
  // The keys the control takes, for the status line.
  virtual std::string Hints() const { return {}; }

 protected:
  TerminalWindow& Window() const { return window_; }
  // The caption without marks, with the mnemonic's index in it (-1 for none).
  std::u32string ShownCaption(int* mnemonicIndex) const;

 private:
  ControlTemplate template_;
  TerminalWindow& window_;
  CellRect cells_;
  std::string text_;
  bool enabled_;
  MnemonicPlace mnemonic_;
};
