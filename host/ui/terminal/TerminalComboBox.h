#pragma once

#include "ui/terminal/TerminalEdit.h"
#include "ui/terminal/TerminalItemList.h"

// A combo box: a text field (editable with ControlStyle::DropDown, else the selected
// item's text) and its list, which Alt+Down, F4 (or Space, in a list that cannot be
// typed in) drops down below it. Up and Down choose the item before or after.
// Typing in the field selects the item whose text it equals.
class TerminalComboBox final : public TerminalEdit, public TerminalItemList {
 public:
  TerminalComboBox(const ControlTemplate& control, TerminalWindow& window);

  void SetText(std::string_view text) override;
  std::string Text() const override;
  std::optional<char32_t> UnstorableCharacter() const override;
  void SetSelection(int index) override;

  void Draw(const Painter& painter, bool focused) const override;
  CellPoint CursorAt() const override;
  bool HandleKey(const TerminalKey& key) override;
  void HandlePaste(std::u32string_view text) override;
  std::string Hints() const override;
  void FocusLeft() override { EndTypeAhead(); }

 protected:
  void NotifyEdited() override;

 private:
  bool Editable() const { return Template().Has(ControlStyle::DropDown); }
  CellRect FieldCells() const;
  void ChooseByUser(int index);
  void DropDown();
};
