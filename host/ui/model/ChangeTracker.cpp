#include "ui/model/ChangeTracker.h"

#include <string_view>

#include "ui/DialogTemplate.h"
#include "ui/backend/UiWindow.h"

namespace {

// FNV-1a, with each part closed by its length so that "ab"+"c" and "a"+"bc" differ.
class Digest {
 public:
  void Add(std::string_view text) {
    for (unsigned char c : text) Byte(c);
    Add(static_cast<std::int64_t>(text.size()));
  }
  void Add(std::int64_t number) {
    for (int i = 0; i < 8; ++i) Byte(static_cast<unsigned char>(number >> (8 * i)));
  }
  std::uint64_t Value() const { return value_; }

 private:
  void Byte(unsigned char c) {
    value_ ^= c;
    value_ *= 1099511628211ull;
  }
  std::uint64_t value_ = 14695981039346656037ull;
};

// The columns of a list view row that say what it is (its key and its remark):
// no page edits a row in place, so a change adds or removes whole rows.
constexpr int kRowColumns = 2;

}  // namespace

ChangeScope ChangeScopeOf(WindowRole role) {
  return role == WindowRole::PropertyPage ? ChangeScope::AllValues : ChangeScope::ListItems;
}

std::uint64_t WindowValues(const UiWindow& window, const DialogTemplate& dialog,
                           ChangeScope scope) {
  Digest digest;
  for (const ControlTemplate& control : dialog.controls) {
    if (control.id == IDC_STATIC) continue;
    if (scope == ChangeScope::ListItems) {
      if (control.kind != ControlKind::ComboBox && control.kind != ControlKind::ListBox) continue;
      const int count = window.ItemCount(control.id);
      digest.Add(count);
      for (int i = 0; i < count; ++i) digest.Add(window.ItemText(control.id, i));
      continue;
    }
    switch (control.kind) {
      case ControlKind::Label:
      case ControlKind::GroupBox:
      case ControlKind::PushButton:
        continue;
      case ControlKind::CheckBox:
      case ControlKind::RadioButton:
        digest.Add(window.Check(control.id));
        break;
      case ControlKind::Edit:
        digest.Add(window.Text(control.id));
        break;
      case ControlKind::ComboBox:
      case ControlKind::ListBox: {
        digest.Add(window.Text(control.id));
        digest.Add(window.Selection(control.id));
        const int count = window.ItemCount(control.id);
        digest.Add(count);
        for (int i = 0; i < count; ++i) digest.Add(window.ItemText(control.id, i));
        break;
      }
      case ControlKind::ListView: {
        const int rows = window.RowCount(control.id);
        digest.Add(rows);
        for (int row = 0; row < rows; ++row)
          for (int column = 0; column < kRowColumns; ++column)
            digest.Add(window.CellText(control.id, row, column));
        break;
      }
      case ControlKind::DateTimePicker: {
        const DateTimeValue value = window.DateTime(control.id);
        for (int field :
             {value.year, value.month, value.day, value.hour, value.minute, value.second})
          digest.Add(field);
        break;
      }
    }
  }
  return digest.Value();
}
