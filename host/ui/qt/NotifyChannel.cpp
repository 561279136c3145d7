#include "ui/qt/NotifyChannel.h"

void NotifyChannel::Notify(int controlId, int notifyCode) {
  if (!IsOpen()) return;
  const std::shared_ptr<NotifyChannel> keep = shared_from_this();
  ++delivering_;
  try {
    sink_->OnControlNotify(controlId, notifyCode);
  } catch (...) {
    errors_.Capture(std::current_exception());
  }
  --delivering_;
}
