#include "ui/qt/WindowSystemWatch.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <cstdint>

#include "ui/WinConstants.h"

namespace {

// The head of an X DestroyNotify event as xcb delivers it; the backend links
// nothing of X, so the layout of the protocol is spelt out here.
struct DestroyNotify {
  std::uint8_t responseType;
  std::uint8_t pad;
  std::uint16_t sequence;
  std::uint32_t event;
  std::uint32_t window;
};
constexpr std::uint8_t kDestroyNotify = 17;

void CancelLost(QDialog* dialog) {
  // As if the user had closed it, so the dialog's own Cancel runs; should that keep
  // it open, it ends all the same: there is no window left to stay open in.
  QTimer::singleShot(0, dialog, [dialog = QPointer<QDialog>(dialog)] {
    if (!dialog || !dialog->isVisible()) return;
    dialog->reject();
    if (dialog && dialog->isVisible()) dialog->done(IDCANCEL);
  });
}

}  // namespace

WindowSystemWatch::WindowSystemWatch() {
  QCoreApplication::instance()->installNativeEventFilter(this);
}

WindowSystemWatch::~WindowSystemWatch() {
  if (QCoreApplication::instance() != nullptr)
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool WindowSystemWatch::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType != "xcb_generic_event_t" || message == nullptr) return false;
  const auto* event = static_cast<const DestroyNotify*>(message);
  if ((event->responseType & 0x7F) != kDestroyNotify) return false;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* dialog = qobject_cast<QDialog*>(widget);
    if (dialog != nullptr && dialog->internalWinId() == event->window && dialog->isVisible())
      CancelLost(dialog);
  }
  return false;
}
