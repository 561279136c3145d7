#include "ui/qt/ComboBoxAccessible.h"

#include <QAbstractItemView>
#include <QLineEdit>

namespace {

QAccessibleInterface* Describe(const QString&, QObject* object) {
  if (auto* box = dynamic_cast<NamedComboBox*>(object)) return new ComboBoxAccessible(box);
  return nullptr;
}

}  // namespace

ComboBoxAccessible::ComboBoxAccessible(NamedComboBox* box)
    : QAccessibleWidget(box, QAccessible::ComboBox) {}

QComboBox* ComboBoxAccessible::Box() const { return static_cast<QComboBox*>(widget()); }

QString ComboBoxAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Value) return Box()->currentText();
  // The name: the accessible name, else the buddy label's caption.
  return QAccessibleWidget::text(t);
}

QAccessible::State ComboBoxAccessible::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  state.expandable = true;
  state.expanded = Box()->view()->isVisible();
  state.editable = Box()->isEditable();
  return state;
}

int ComboBoxAccessible::childCount() const { return Box()->isEditable() ? 2 : 1; }

QAccessibleInterface* ComboBoxAccessible::child(int index) const {
  if (index == 0) return QAccessible::queryAccessibleInterface(Box()->view());
  if (index == 1 && Box()->isEditable())
    return QAccessible::queryAccessibleInterface(Box()->lineEdit());
  return nullptr;
}

int ComboBoxAccessible::indexOfChild(const QAccessibleInterface* child) const {
  if (child == nullptr) return -1;
  if (child->object() == Box()->view()) return 0;
  if (Box()->isEditable() && child->object() == Box()->lineEdit()) return 1;
  return -1;
}

QAccessibleInterface* ComboBoxAccessible::childAt(int x, int y) const {
  const QLineEdit* edit = Box()->lineEdit();
  if (edit != nullptr && edit->rect().contains(edit->mapFromGlobal(QPoint(x, y)))) return child(1);
  return nullptr;
}

QStringList ComboBoxAccessible::actionNames() const {
  return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
}

void ComboBoxAccessible::doAction(const QString& actionName) {
  if (actionName == showMenuAction() || actionName == pressAction()) {
    if (Box()->view()->isVisible()) {
      Box()->hidePopup();
    } else {
      Box()->showPopup();
    }
    return;
  }
  QAccessibleWidget::doAction(actionName);
}

void ComboBoxAccessible::Install() {
  QAccessible::removeFactory(&Describe);
  QAccessible::installFactory(&Describe);
}
