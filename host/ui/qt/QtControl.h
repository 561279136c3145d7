#pragma once

#include <QMetaObject>
#include <QObject>
#include <QRect>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/ControlTemplate.h"
#include "ui/qt/Mnemonics.h"
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
  // The id of the control whose widget is `widget` or holds it, below `top`; 0 for
  // none. Works on widgets alone, so that it also answers for a widget whose
  // control has gone.
  static int IdOf(const QWidget* widget, const QWidget* top);

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
  // True for the kinds that take the keyboard focus from the Tab key.
  bool TakesFocus() const;

  // Whether the caption takes a mnemonic of the window's: buttons, check boxes,
  // radio buttons and the labels that name a control.
  virtual bool TakesMnemonic() const { return false; }
  // Shows the caption with the mnemonic the window chose for it.
  void SetMnemonic(const Mnemonic& mnemonic);
  const Mnemonic& GetMnemonic() const { return mnemonic_; }
  // The name a screen reader gives the control: its label's caption, read.
  virtual void SetAccessibleName(const QString& name);
  // Where the control says what a screen reader should hear of what the user did.
  void SetAnnouncer(std::function<void(const QString&)> announce) {
    announce_ = std::move(announce);
  }
  // Tells an edit box it holds a whole number; nothing for the other kinds.
  virtual void MarkWholeNumber() {}
  virtual void SetCueBanner(std::string_view) {}

 protected:
  // Shows a new window text; the text itself is kept by SetText.
  virtual void ShowText(const std::string& text);
  // The caption as Qt shows it, with the window's mnemonic.
  QString ShownCaption(const std::string& text) const;
  NotifyChannel& Channel() const { return *channel_; }
  void Announce(const QString& text) const {
    if (announce_) announce_(text);
  }
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
  Mnemonic mnemonic_;
  std::function<void(const QString&)> announce_;
  std::vector<QMetaObject::Connection> connections_;
};
