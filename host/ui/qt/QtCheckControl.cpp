#include "ui/qt/QtCheckControl.h"

#include <QCheckBox>

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

void QtCheckControl::SetGroup(std::vector<QtCheckControl*> group,
                              std::function<void(int step)> onArrow,
                              std::function<void()> placeTabStops) {
  group_ = std::move(group);
  auto* radio = dynamic_cast<PlainRadioButton*>(button_);
  if (radio == nullptr) return;
  radio->SetArrowHandler(std::move(onArrow));
  radio->SetChangeHandler(std::move(placeTabStops));
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
