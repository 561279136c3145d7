#include "ui/qt/LiveStatus.h"

#include <QAccessible>
#include <QAccessibleWidget>

// The widget a screen reader finds; it holds the text it is named by.
class LiveNotice final : public QWidget {
 public:
  explicit LiveNotice(QWidget& window) : QWidget(&window) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 1, 1);
    lower();
  }

  QString text;
};

namespace {

class LiveNoticeAccessible final : public QAccessibleWidget {
 public:
  explicit LiveNoticeAccessible(LiveNotice* notice)
      : QAccessibleWidget(notice, QAccessible::Notification) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return static_cast<const LiveNotice*>(widget())->text;
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* Describe(const QString&, QObject* object) {
  if (auto* notice = dynamic_cast<LiveNotice*>(object)) return new LiveNoticeAccessible(notice);
  return nullptr;
}

}  // namespace

LiveStatus::LiveStatus(QWidget& window) : window_(&window) {}

LiveStatus::~LiveStatus() = default;

QWidget* LiveStatus::Notice() const { return notice_.data(); }

void LiveStatus::Announce(const QString& text) {
  text_ = text;
  if (text.isEmpty()) {
    delete notice_.data();
    return;
  }
  if (!window_) return;
  if (!notice_) notice_ = new LiveNotice(*window_);
  notice_->text = text;
  QAccessibleEvent named(notice_.data(), QAccessible::NameChanged);
  QAccessible::updateAccessibility(&named);
  if (notice_->isVisibleTo(window_)) notice_->hide();
  notice_->show();
}

void LiveStatus::Install() {
  QAccessible::removeFactory(&Describe);
  QAccessible::installFactory(&Describe);
}
