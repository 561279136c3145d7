#include "ui/terminal/TerminalControl.h"

#include "ui/terminal/TerminalText.h"

TerminalControl::TerminalControl(const ControlTemplate& control, TerminalWindow& window)
    : template_(control),
      window_(window),
      cells_(ControlCells(control)),
      text_(control.caption),
      enabled_(!control.Has(ControlStyle::Disabled)) {}

TerminalControl::~TerminalControl() = default;

std::string TerminalControl::Describe() const {
  return "control " + std::to_string(Id()) + " (" + ControlKindName(Kind()) + ")";
}

char TerminalControl::MnemonicKey() const { return ::MnemonicKey(Text(), mnemonic_); }

std::u32string TerminalControl::ShownCaption(int* mnemonicIndex) const {
  const std::string caption = Text();
  if (mnemonicIndex != nullptr) *mnemonicIndex = ShownMnemonicIndex(caption, mnemonic_);
  return FromLatin1(CaptionWithoutMarks(caption));
}
