#pragma once

#include <QMetaObject>
#include <QObject>
#include <QRect>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/ControlTemplate.h"
#include "ui/qt/NotifyChannel.h"

// One control of a Qt window: the widget built for a ControlTemplate and the
// operations every kind offers. Kinds with more to offer derive from it. The widget
// belongs to the window's widget tree; the control only points at it.
class QtControl {
 public:
  // Places the widget at its pixel rectangle, enabled as the template says; the
  // window text starts as the caption, shown by the kinds that show one.
  QtControl(const ControlTemplate& control, QWidget& widget, const QRect& geometry,
            std::shared_ptr<NotifyChannel> channel);
  virtual ~QtControl();
  QtControl(const QtControl&) = delete;
  QtControl& operator=(const QtControl&) = delete;

  const ControlTemplate& Template() const { return template_; }
  int Id() const { return template_.id; }
  ControlKind Kind() const { return template_.kind; }
  QWidget& Widget() const { return *widget_; }
  // "control 12063 (list view)", for messages.
  std::string Describe() const;

  // The window text: a caption for labels, buttons and group boxes, the content of
  // edit boxes and combo boxes' text fields, a caption nobody sees for the rest.
  virtual void SetText(std::string_view text);
  virtual std::string Text() const;
  // The first character the user put in the text that Text reads as '?'; none for
  // kinds whose text the user cannot type.
  virtual std::optional<char32_t> UnstorableCharacter() const { return std::nullopt; }
  void SetEnabled(bool enabled);
  bool IsEnabled() const;
  void SetFocus();

 protected:
  // Shows a new window text; the text itself is kept by SetText.
  virtual void ShowText(const std::string& text);
  NotifyChannel& Channel() const { return *channel_; }
  const std::shared_ptr<NotifyChannel>& SharedChannel() const { return channel_; }

  // Connects a signal of one of the control's widgets for as long as the control
  // lives: the widgets may outlive it while the window is taken down.
  template <class Sender, class Signal, class Handler>
  void Listen(Sender* sender, Signal signal, Handler handler) {
    connections_.push_back(QObject::connect(sender, signal, std::move(handler)));
  }

 private:
  ControlTemplate template_;
  QWidget* widget_;
  std::shared_ptr<NotifyChannel> channel_;
  std::string text_;
  std::vector<QMetaObject::Connection> connections_;
};
