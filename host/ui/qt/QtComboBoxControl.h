#pragma once

#include <QComboBox>

#include "ui/qt/QtItemListControl.h"

// A combo box: a drop-down list, with an editable text field above it under
// ControlStyle::DropDown. Choosing an item sends CBN_SELCHANGE; typing in the text
// field sends CBN_EDITCHANGE and selects the item equal to the text, if any. The
// text field starts empty.
class QtComboBoxControl : public QtItemListControl {
 public:
  QtComboBoxControl(const ControlTemplate& control, QWidget& parent, const QRect& geometry,
                    std::shared_ptr<NotifyChannel> channel);

  void SetText(std::string_view text) override;
  std::string Text() const override;
  std::optional<char32_t> UnstorableCharacter() const override;
  int Selection() const override;
  void SetSelection(int index) override;
  // The text field, which a screen reader reaches on its own, takes the name too.
  void SetAccessibleName(const QString& name) override;

 protected:
  void InsertShown(int index, const QString& text) override;
  void RemoveShown(int index) override;
  void ClearShown() override;

 private:
  bool Editable() const { return combo_->isEditable(); }
  // Selects the item; an editable box's text field then shows `text`, the cursor
  // where it was.
  void SelectKeepingText(int index, const QString& text);
  void OnTextEdited(const QString& text);

  QComboBox* combo_;
};
