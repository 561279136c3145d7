#pragma once

#include "ui/terminal/ListWindow.h"
#include "ui/terminal/TerminalControl.h"
#include "ui/terminal/TerminalItemList.h"

// A list box of one selection in a frame: the arrows, PgUp, PgDn, Home and End move
// the selection, letters find an item by its beginning; with ControlStyle::Notify
// the page hears of each change. With nothing chosen, the first row is current (">"
// without the selection's colour) once the list has the focus, and Space or an arrow
// chooses it.
class TerminalListBox final : public TerminalControl, public TerminalItemList {
 public:
  TerminalListBox(const ControlTemplate& control, TerminalWindow& window);

  bool TakesFocus() const override { return true; }
  void Draw(const Painter& painter, bool focused) const override;
  CellPoint CursorAt() const override;
  bool HandleKey(const TerminalKey& key) override;
  std::string Hints() const override;
  void FocusLeft() override { EndTypeAhead(); }
  void FocusEntered() override;

 protected:
  void ItemsChanged() override;

 private:
  void SelectByUser(int index);

  ListWindow rows_;
};
