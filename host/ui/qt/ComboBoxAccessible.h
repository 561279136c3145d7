#pragma once

#include <QAccessibleWidget>
#include <QComboBox>

// The combo box a window builds; a class of its own so that only these are described
// by ComboBoxAccessible.
class NamedComboBox final : public QComboBox {
 public:
  explicit NamedComboBox(QWidget* parent) : QComboBox(parent) {}
};

// What a screen reader learns of a window's combo box: Qt on Linux names a combo box
// by the item it shows, so that "Party Role" is heard as "Buy side" and the label in
// front of it is lost. This one is named as every other input is, by its label (its
// accessible name or buddy), and says the item as its value; its list and its text
// field are its children, and it opens and closes its list as Qt's does.
class ComboBoxAccessible final : public QAccessibleWidget {
 public:
  explicit ComboBoxAccessible(NamedComboBox* box);

  QString text(QAccessible::Text t) const override;
  QAccessible::State state() const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QStringList actionNames() const override;
  void doAction(const QString& actionName) override;

  // Makes Qt's accessibility describe every NamedComboBox with this class; once per
  // process is enough, more is harmless.
  static void Install();

 private:
  QComboBox* Box() const;
};
