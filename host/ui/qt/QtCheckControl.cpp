#include "ui/qt/QtCheckControl.h"

#include <QCheckBox>
#include <algorithm>

#include "ui/qt/PlainRadioButton.h"

namespace {

QAbstractButton* MakeButton(const ControlTemplate& control, QWidget& parent) {
  if (control.kind == ControlKind::RadioButton) return new PlainRadioButton(&parent);
  return new QCheckBox(&parent);
}

}  // namespace

QtCheckControl::QtCheckControl(const ControlTemplate& control, QWidget& parent,
                               const QRect& geometry, std::shared_ptr<NotifyChannel> channel)
    : QtControl(control, *MakeButton(control, parent), geometry, std::move(channel)),
      button_(static_cast<QAbstractButton*>(&Widget())) {
  ShowText(Text());
  Listen(button_, &QAbstractButton::clicked, [this] { OnClicked(); });
}

QtCheckControl::~QtCheckControl() {
  if (auto* radio = dynamic_cast<PlainRadioButton*>(button_)) {
    radio->SetArrowHandler({});
    radio->SetChangeHandler({});
  }
}

void QtCheckControl::ShowText(const std::string& text) { button_->setText(ShownCaption(text)); }

void QtCheckControl::SetCheck(int state) { button_->setChecked(state == BST_CHECKED); }

int QtCheckControl::Check() const { return button_->isChecked() ? BST_CHECKED : BST_UNCHECKED; }

void QtCheckControl::SetGroup(std::vector<QtCheckControl*> group) {
  group_ = std::move(group);
  auto* radio = dynamic_cast<PlainRadioButton*>(button_);
  if (radio == nullptr) return;
  radio->SetArrowHandler([this](int step) { MoveInGroup(step); });
  radio->SetChangeHandler([this] { PlaceTabStop(); });
  PlaceTabStop();
}

void QtCheckControl::PlaceTabStop() {
  const auto usable = [](const QtCheckControl* member) { return member->button_->isEnabled(); };
  auto stop = std::find_if(group_.begin(), group_.end(), [&](const QtCheckControl* member) {
    return usable(member) && member->button_->isChecked();
  });
  if (stop == group_.end()) stop = std::find_if(group_.begin(), group_.end(), usable);
  for (QtCheckControl* member : group_) {
    const bool isStop = stop != group_.end() && member == *stop;
    member->button_->setFocusPolicy(isStop ? Qt::StrongFocus : Qt::ClickFocus);
  }
}

void QtCheckControl::MoveInGroup(int step) {
  const auto self = std::find(group_.begin(), group_.end(), this);
  if (self == group_.end()) return;
  const auto size = static_cast<std::ptrdiff_t>(group_.size());
  std::ptrdiff_t at = self - group_.begin();
  for (std::ptrdiff_t tried = 1; tried < size; ++tried) {
    at = (at + step + size) % size;
    QtCheckControl* next = group_[static_cast<std::size_t>(at)];
    if (!next->button_->isEnabled()) continue;
    next->button_->setFocus(Qt::OtherFocusReason);
    // Last: the click may take the window down.
    next->button_->click();
    return;
  }
}

void QtCheckControl::OnClicked() {
  if (!Channel().IsOpen()) return;
  if (Kind() == ControlKind::RadioButton && Template().Has(ControlStyle::AutoRadio)) {
    NotifyChannel::Silence quiet(Channel());
    for (QtCheckControl* member : group_)
      member->SetCheck(member == this ? BST_CHECKED : BST_UNCHECKED);
  }
  // Last: the notification may take the window down.
  SharedChannel()->Notify(Id(), BN_CLICKED);
}
