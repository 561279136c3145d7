#pragma once

#include <QString>
#include <QWidget>

// What a window says to a screen reader of the effect of what the user did ("12
// holidays added", a refused character), where nobody looks: a notification that
// takes no room, no focus and no Tab stop. Each announcement gives it the text as
// its name, with the name-change event, and shows it anew as a desktop shows a
// notification, so that readers that speak what appears speak it too. Qt 6.4 has no
// announcement of its own, nor a way to mark an object polite; a notification is
// spoken without taking the user's place away from the control they are in.
class LiveStatus final : public QWidget {
 public:
  explicit LiveStatus(QWidget& window);

  void Announce(const QString& text);
  const QString& Text() const { return text_; }

  // Makes Qt's accessibility describe every LiveStatus as a notification; once per
  // process is enough, more is harmless.
  static void Install();

 private:
  QString text_;
};
