#pragma once

#include <memory>

#include "ui/backend/UiEventSink.h"
#include "ui/qt/DeferredError.h"

// The path from a window's widgets to its UiEventSink. Widgets signal changes made
// from code just as those made by the user, so the window silences the channel
// while it changes widgets itself; only what remains is the user's doing. Shared
// with the signal handlers, so that a handler whose window is destroyed by the
// notification it sends still returns safely.
class NotifyChannel : public std::enable_shared_from_this<NotifyChannel> {
 public:
  NotifyChannel(UiEventSink& sink, DeferredError& errors) : sink_(&sink), errors_(errors) {}
  NotifyChannel(const NotifyChannel&) = delete;
  NotifyChannel& operator=(const NotifyChannel&) = delete;

  // Silences the channel while it lives.
  class Silence {
   public:
    explicit Silence(NotifyChannel& channel) : channel_(channel) { ++channel_.silenced_; }
    ~Silence() { --channel_.silenced_; }
    Silence(const Silence&) = delete;
    Silence& operator=(const Silence&) = delete;

   private:
    NotifyChannel& channel_;
  };

  // Told before and after a click of the user's reaches the sink, when no other
  // notification of the window is being delivered: what the command changed can then
  // be told.
  class CommandWatch {
   public:
    virtual void CommandStarts() = 0;
    virtual void CommandEnded() = 0;

   protected:
    ~CommandWatch() = default;
  };
  // None by default; Close drops it.
  void SetCommandWatch(CommandWatch* watch) { watch_ = watch; }

  // True when a notification would reach the sink now: the change at hand is the
  // user's.
  bool IsOpen() const { return sink_ != nullptr && silenced_ == 0; }
  // Tells the sink of a user's action; an exception from it is deferred.
  void Notify(int controlId, int notifyCode);
  // True while a notification is being delivered.
  bool IsDelivering() const { return delivering_ > 0; }
  // The window is going away: nothing more reaches the sink.
  void Close() {
    sink_ = nullptr;
    watch_ = nullptr;
  }

 private:
  UiEventSink* sink_;
  CommandWatch* watch_ = nullptr;
  DeferredError& errors_;
  int silenced_ = 0;
  int delivering_ = 0;
};
