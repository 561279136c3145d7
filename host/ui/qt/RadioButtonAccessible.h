#pragma once

#include <QAccessibleWidget>

class PlainRadioButton;

// What a screen reader learns of a radio button whose marks the window sets: Qt
// describes a radio button that is not auto-exclusive as a check box, and these
// are never auto-exclusive (see PlainRadioButton). This one says radio button,
// with its mark, its caption and its mnemonic, and presses it as Qt's would.
class RadioButtonAccessible final : public QAccessibleWidget {
 public:
  explicit RadioButtonAccessible(PlainRadioButton* button);

  QString text(QAccessible::Text t) const override;
  QAccessible::State state() const override;
  QStringList actionNames() const override;
  void doAction(const QString& actionName) override;
  QStringList keyBindingsForAction(const QString& actionName) const override;

  // Makes Qt's accessibility describe every PlainRadioButton with this class; once
  // per process is enough, more is harmless.
  static void Install();

 private:
  PlainRadioButton* Button() const;
};
