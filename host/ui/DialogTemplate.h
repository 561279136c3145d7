#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/ControlTemplate.h"

// Style flags of a dialog template.
struct DialogStyle {
  static constexpr std::uint32_t None = 0;
  static constexpr std::uint32_t ModalFrame = 1u << 0;
  static constexpr std::uint32_t Caption = 1u << 1;
  static constexpr std::uint32_t SysMenu = 1u << 2;
  // A property page: no frame of its own; the sheet shows the title on the tab.
  static constexpr std::uint32_t Child = 1u << 3;
};

// A dialog or property page as data: what the backends build windows from. The
// controls are in template order, which is also the tab order and decides radio
// groups and which control a label names.
struct DialogTemplate {
  int id = 0;
  std::string title;
  int width = 0;   // dialog units
  int height = 0;  // dialog units
  std::uint32_t style = DialogStyle::None;
  std::string fontName = "MS Shell Dlg";
  int fontPointSize = 8;
  std::vector<ControlTemplate> controls;

  // The first control with the id, or null. Never finds IDC_STATIC.
  const ControlTemplate* FindControl(int controlId) const;
  // The label that names the control: the one right before it in template order
  // (group boxes between them aside), placed in front of it, at its left or above
  // it. Null when there is none, as for a control that follows a label pointing
  // elsewhere.
  const ControlTemplate* LabelFor(int controlId) const;

  // What a user calls a control, decided here once for every backend, script and
  // command: a label, button, check box, radio button or group box is named by its
  // own caption, an input (IsInputKind) by the label in front of it (LabelFor); the
  // shortcut marks and the closing colon are no part of the name.

  // The control whose caption names the control: itself, or for an input its label.
  // Null for an unknown id and for an input without a label.
  const ControlTemplate* NamedBy(int controlId) const;
  // The name as a user reads it, the caption shown (ShownCaption): "Proxy Address";
  // "control ID" when the control has none.
  std::string FieldName(int controlId) const;
  // The caption of the group box the control sits in: the last one before it in
  // template order whose frame holds it, shown (ShownCaption); "" for none. A name
  // shared by two controls is told apart by it.
  std::string GroupName(int controlId) const;
  // The group box the control sits in: the last one before it in template order
  // whose frame holds it; null for none. `control` is one of `controls`.
  const ControlTemplate* GroupBoxAround(const ControlTemplate& control) const;
  // The label that says more of the control than its name does, as a hint beside
  // it: the control right after it in template order, a label at its right on the
  // same line that names no input and holds a letter or a digit (an arrow
  // such as "==>" only points). Null for none.
  const ControlTemplate* DescriptionFor(int controlId) const;
  // The push buttons of the dialog's last row, such as OK and Cancel: the lowest
  // buttons, with every other control above them. Indexes into `controls`, in
  // template order; none when the lowest row is not buttons alone.
  std::vector<std::size_t> ButtonRow() const;
  // Whether a caption a user gives names the control: the same caption as the one
  // that names it, once shortcut marks and closing colons are left out of both, so
  // that "Username", "Username:" and "&Username:" all name the same edit box.
  bool IsNamed(int controlId, std::string_view caption) const;
  // A caption as a name in running text: without its shortcut marks ("&&" read as
  // "&") and without the colon and blanks that close it.
  static std::string ShownCaption(std::string_view caption);
};
