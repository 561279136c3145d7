#pragma once

#include <QObject>

// Keeps Alt with a letter or digit out of the text of the widgets it watches. Qt
// hands a key with Alt that no mnemonic took on to the focused widget, and a line
// edit then types the letter in; on a desktop Alt with a letter is a mnemonic or
// nothing.
class AltKeyGuard final : public QObject {
 public:
  explicit AltKeyGuard(QObject* parent) : QObject(parent) {}

  // Watches the widget and every line edit inside it.
  void Watch(QWidget& widget);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};
