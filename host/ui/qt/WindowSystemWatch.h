#pragma once

#include <QAbstractNativeEventFilter>

// Ends, as Cancel, a dialog whose window the window system destroyed under it (for
// example `xdotool windowclose`, which destroys the window itself when no window
// manager runs): Qt does not notice, and the modal loop would wait forever for a
// window nobody can see. Watches for as long as it lives.
class WindowSystemWatch final : public QAbstractNativeEventFilter {
 public:
  WindowSystemWatch();
  ~WindowSystemWatch() override;
  WindowSystemWatch(const WindowSystemWatch&) = delete;
  WindowSystemWatch& operator=(const WindowSystemWatch&) = delete;

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
};
