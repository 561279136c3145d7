#pragma once

#include <functional>
#include <vector>

#include "ui/backend/UiEventSink.h"

// One notification as a window delivered it.
struct Notification {
  int controlId;
  int notifyCode;

  friend bool operator==(const Notification&, const Notification&) = default;
};

// A UiEventSink that keeps what it is told and may act on it.
class RecordingSink final : public UiEventSink {
 public:
  void OnControlNotify(int controlId, int notifyCode) override {
    received.push_back({controlId, notifyCode});
    if (onNotify) onNotify(controlId, notifyCode);
  }

  std::vector<Notification> received;
  std::function<void(int controlId, int notifyCode)> onNotify;
};
