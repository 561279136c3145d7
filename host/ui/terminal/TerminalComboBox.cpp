#include "ui/terminal/TerminalComboBox.h"

#include <algorithm>
#include <vector>

#include "ui/WinConstants.h"
#include "ui/terminal/DropDownLayer.h"
#include "ui/terminal/Painter.h"
#include "ui/terminal/TerminalApplication.h"
#include "ui/terminal/TerminalText.h"
#include "ui/terminal/TerminalWindow.h"

TerminalComboBox::TerminalComboBox(const ControlTemplate& control, TerminalWindow& window)
    : TerminalEdit(control, window), TerminalItemList(control.Has(ControlStyle::Sorted)) {
  Field().SetText({});
}

void TerminalComboBox::SetText(std::string_view text) {
  TerminalItemList::SetSelection(Items().FindExact(text));
  if (Editable()) Field().SetText(FromLatin1(text));
}

std::string TerminalComboBox::Text() const {
  if (Editable()) return TerminalEdit::Text();
  return ItemText(Selection());
}

std::optional<char32_t> TerminalComboBox::UnstorableCharacter() const {
  if (!Editable()) return std::nullopt;
  return TerminalEdit::UnstorableCharacter();
}

void TerminalComboBox::SetSelection(int index) {
  if (index < -1 || index >= ItemCount()) return;
  TerminalItemList::SetSelection(index);
  Field().SetText(FromLatin1(ItemText(index)));
}

CellRect TerminalComboBox::FieldCells() const {
  CellRect cells = Cells();
  cells.width = std::max(cells.width - 2, 1);
  return cells;
}

void TerminalComboBox::Draw(const Painter& painter, bool focused) const {
  const CellRect field = FieldCells();
  if (Editable()) {
    DrawField(painter, field, focused);
  } else {
    const Look look = !IsEnabled() ? Look::Disabled : focused ? Look::FieldFocused : Look::Field;
    painter.Text(field.x, field.y, FromLatin1(Text()), look, field.width, true);
  }
  const Look arrow = IsEnabled() ? Look::Plain : Look::Disabled;
  painter.Put(field.Right(), field.y, U' ', arrow);
  painter.Put(field.Right() + 1, field.y, painter.DownArrow(), arrow);
}

CellPoint TerminalComboBox::CursorAt() const {
  if (Editable()) return CursorIn(FieldCells());
  return {Cells().x, Cells().y};
}

void TerminalComboBox::ChooseByUser(int index) {
  if (index < 0 || index >= ItemCount()) return;
  SetSelection(index);
  Window().UserNotify(Id(), CBN_SELCHANGE);
}

void TerminalComboBox::DropDown() {
  if (ItemCount() == 0) return;
  std::vector<std::u32string> texts;
  texts.reserve(static_cast<std::size_t>(ItemCount()));
  for (int i = 0; i < ItemCount(); ++i) texts.push_back(FromLatin1(ItemText(i)));
  DropDownLayer list(Window().App(), std::move(texts), Selection(), Cells().width,
                     CursorAt().x - Cells().x);
  Window().App().Run(list);
  if (list.Chosen()) ChooseByUser(*list.Chosen());
}

bool TerminalComboBox::HandleKey(const TerminalKey& key) {
  const bool open = key.code == KeyCode::F4 ||
                    ((key.code == KeyCode::Down || key.code == KeyCode::Up) && key.alt) ||
                    (!Editable() && key.IsText() && key.ch == U' ');
  if (open) {
    DropDown();
    return true;
  }
  if (key.alt || key.ctrl) return false;
  switch (key.code) {
    case KeyCode::Up:
      ChooseByUser(Selection() < 0 ? ItemCount() - 1 : Selection() - 1);
      return true;
    case KeyCode::Down:
      ChooseByUser(Selection() + 1);
      return true;
    default:
      break;
  }
  if (!Editable()) {
    if (key.IsText()) {
      ChooseByUser(TypeAhead(key.ch, Selection()));
      return true;
    }
    switch (key.code) {
      case KeyCode::Home:
        ChooseByUser(0);
        return true;
      case KeyCode::End:
        ChooseByUser(ItemCount() - 1);
        return true;
      default:
        return false;
    }
  }
  return TerminalEdit::HandleKey(key);
}

void TerminalComboBox::HandlePaste(std::u32string_view text) {
  if (Editable()) TerminalEdit::HandlePaste(text);
}

void TerminalComboBox::NotifyEdited() {
  // The item whose text the field now holds is selected, quietly, as the text
  // field of a Windows combo box does it.
  TerminalItemList::SetSelection(Items().FindExact(TerminalEdit::Text()));
  Window().UserNotify(Id(), CBN_EDITCHANGE);
}

std::string TerminalComboBox::Hints() const {
  return Editable() ? "type, or Up Down choose, Alt+Down list"
                    : "Up Down or letters choose, Alt+Down list";
}
