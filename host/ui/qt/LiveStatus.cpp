#include "ui/qt/LiveStatus.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

class LiveStatusAccessible final : public QAccessibleWidget {
 public:
  explicit LiveStatusAccessible(LiveStatus* status)
      : QAccessibleWidget(status, QAccessible::Notification) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return static_cast<const LiveStatus*>(widget())->Text();
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* Describe(const QString&, QObject* object) {
  if (auto* status = dynamic_cast<LiveStatus*>(object)) return new LiveStatusAccessible(status);
  return nullptr;
}

}  // namespace

LiveStatus::LiveStatus(QWidget& window) : QWidget(&window) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setGeometry(0, 0, 1, 1);
  lower();
}

void LiveStatus::Announce(const QString& text) {
  text_ = text;
  QAccessibleEvent named(this, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&named);
  if (isVisibleTo(parentWidget())) hide();
  show();
}

void LiveStatus::Install() {
  QAccessible::removeFactory(&Describe);
  QAccessible::installFactory(&Describe);
}
