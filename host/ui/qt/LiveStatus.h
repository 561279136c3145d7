#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

class LiveNotice;

// What a window says to a screen reader of the effect of what the user did ("12
// holidays added", a refused character), where nobody looks: a notification that
// takes no room, no focus and no Tab stop. Each announcement gives it the text as
// its name, with the name-change event, and shows it anew as a desktop shows a
// notification, so that readers that speak what appears speak it too. Qt 6.4 has no
// announcement of its own, nor a way to mark an object polite; a notification is
// spoken without taking the user's place away from the control they are in.
//
// A window that has said nothing has no notification at all: an empty one would
// be an object with no name in every window a screen reader walks through. It
// comes with the first announcement and goes again when the text is emptied.
class LiveStatus {
 public:
  explicit LiveStatus(QWidget& window);
  ~LiveStatus();
  LiveStatus(const LiveStatus&) = delete;
  LiveStatus& operator=(const LiveStatus&) = delete;

  void Announce(const QString& text);
  const QString& Text() const { return text_; }
  // The notification while there is something said; null before and when emptied.
  QWidget* Notice() const;

  // Makes Qt's accessibility describe every notification as one; once per process
  // is enough, more is harmless.
  static void Install();

 private:
  QPointer<QWidget> window_;
  QPointer<LiveNotice> notice_;
  QString text_;
};
