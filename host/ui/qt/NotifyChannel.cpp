#include "ui/qt/NotifyChannel.h"

#include "ui/WinConstants.h"

void NotifyChannel::Notify(int controlId, int notifyCode) {
  if (!IsOpen()) return;
  const std::shared_ptr<NotifyChannel> keep = shared_from_this();
  CommandWatch* const watch = notifyCode == BN_CLICKED && delivering_ == 0 ? watch_ : nullptr;
  if (watch != nullptr) watch->CommandStarts();
  ++delivering_;
  try {
    sink_->OnControlNotify(controlId, notifyCode);
  } catch (...) {
    errors_.Capture(std::current_exception());
  }
  --delivering_;
  // Unless the command took the window down.
  if (watch != nullptr && watch_ == watch) watch->CommandEnded();
}
