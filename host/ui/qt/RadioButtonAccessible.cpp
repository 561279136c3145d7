#include "ui/qt/RadioButtonAccessible.h"

#include <QKeySequence>

#include "ui/qt/PlainRadioButton.h"

namespace {

QAccessibleInterface* Describe(const QString&, QObject* object) {
  if (auto* button = dynamic_cast<PlainRadioButton*>(object))
    return new RadioButtonAccessible(button);
  return nullptr;
}

QString WithoutMarks(QString caption) {
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == u'&') caption.remove(i, 1);
  }
  return caption;
}

}  // namespace

RadioButtonAccessible::RadioButtonAccessible(PlainRadioButton* button)
    : QAccessibleWidget(button, QAccessible::RadioButton) {
  addControllingSignal(QStringLiteral("toggled(bool)"));
}

PlainRadioButton* RadioButtonAccessible::Button() const {
  return static_cast<PlainRadioButton*>(widget());
}

QString RadioButtonAccessible::text(QAccessible::Text t) const {
  switch (t) {
    case QAccessible::Name:
      if (!widget()->accessibleName().isEmpty()) return widget()->accessibleName();
      return WithoutMarks(Button()->text());
    case QAccessible::Accelerator:
      return Button()->shortcut().toString(QKeySequence::NativeText);
    default:
      return QAccessibleWidget::text(t);
  }
}

QAccessible::State RadioButtonAccessible::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  state.checkable = true;
  state.checked = Button()->isChecked();
  return state;
}

QStringList RadioButtonAccessible::actionNames() const {
  if (!Button()->isEnabled()) return {};
  return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void RadioButtonAccessible::doAction(const QString& actionName) {
  if (actionName == pressAction() || actionName == toggleAction()) {
    if (Button()->isEnabled()) Button()->click();
    return;
  }
  QAccessibleWidget::doAction(actionName);
}

QStringList RadioButtonAccessible::keyBindingsForAction(const QString& actionName) const {
  if (actionName == pressAction() && !Button()->shortcut().isEmpty())
    return {Button()->shortcut().toString(QKeySequence::NativeText)};
  return QAccessibleWidget::keyBindingsForAction(actionName);
}

void RadioButtonAccessible::Install() {
  QAccessible::removeFactory(&Describe);
  QAccessible::installFactory(&Describe);
}
