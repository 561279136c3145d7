#include "tests/kelo/pages/TemplateLayout.h"

#include <cctype>

namespace {

bool Overlap(const DluRect& a, const DluRect& b) {
  return a.x < b.Right() && b.x < a.Right() && a.y < b.Bottom() && b.y < a.Bottom();
}

bool Inside(const DluRect& inner, const DluRect& outer) {
  return inner.x >= outer.x && inner.y >= outer.y && inner.Right() <= outer.Right() &&
         inner.Bottom() <= outer.Bottom();
}

std::string Name(const ControlTemplate& c) {
  return std::string(ControlKindName(c.kind)) + " " + std::to_string(c.id) + " \"" + c.caption +
         "\"";
}

// Room a control needs beside its caption: the box of a check box or radio button,
// the frame of a button, the corners of a group box.
int CaptionPadding(ControlKind kind) {
  switch (kind) {
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      return 14;
    case ControlKind::PushButton:
      return 10;
    case ControlKind::GroupBox:
      return 12;
    default:
      return 0;
  }
}

int MinimumHeight(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label:
      return 8;
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      return 10;
    case ControlKind::Edit:
    case ControlKind::ComboBox:
    case ControlKind::PushButton:
      return 12;
    default:
      return 8;
  }
}

}  // namespace

// Widths in quarters of the average character: wide capitals count 6, other
// capitals and wide small letters 5, narrow letters and punctuation 2, the rest 4.
int EstimatedTextWidth(const std::string& text) {
  int width = 0;
  for (char c : text) {
    if (c == '&') continue;  // a mnemonic mark is not drawn
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == 'M' || c == 'W' || c == 'm' || c == 'w') {
      width += 6;
    } else if (std::isupper(u)) {
      width += 5;
    } else if (std::string_view(" .,:;'|!iljtfr/()[]-").find(c) != std::string_view::npos) {
      width += 2;
    } else {
      width += 4;
    }
  }
  return width;
}

std::vector<std::string> LayoutProblems(const DialogTemplate& dialog) {
  std::vector<std::string> problems;
  const DluRect client{0, 0, dialog.width, dialog.height};
  const auto& controls = dialog.controls;

  // A control belongs to the group box it follows in template order.
  std::vector<const ControlTemplate*> owner(controls.size(), nullptr);
  const ControlTemplate* group = nullptr;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].kind == ControlKind::GroupBox)
      group = &controls[i];
    else
      owner[i] = group;
  }

  for (std::size_t i = 0; i < controls.size(); ++i) {
    const ControlTemplate& c = controls[i];
    if (c.rect.width <= 0 || c.rect.height < MinimumHeight(c.kind))
      problems.push_back(Name(c) + " is too small");
    if (!Inside(c.rect, client)) problems.push_back(Name(c) + " lies outside the dialog");
    if (!c.caption.empty() && EstimatedTextWidth(c.caption) + CaptionPadding(c.kind) > c.rect.width)
      problems.push_back(Name(c) + " is too narrow for its caption");
    if (owner[i] != nullptr && !Inside(c.rect, owner[i]->rect))
      problems.push_back(Name(c) + " lies outside its group box " + Name(*owner[i]));

    for (std::size_t j = i + 1; j < controls.size(); ++j) {
      const ControlTemplate& d = controls[j];
      if (!Overlap(c.rect, d.rect)) continue;
      // A group box may only meet the controls it surrounds.
      const bool cSurroundsD = c.kind == ControlKind::GroupBox && owner[j] == &c;
      if (!cSurroundsD) problems.push_back(Name(c) + " overlaps " + Name(d));
    }
  }
  return problems;
}
