#pragma once

#include <QListWidget>

#include "ui/qt/QtItemListControl.h"

// A single-selection list box; with ControlStyle::Notify the user's selection
// changes send LBN_SELCHANGE.
class QtListBoxControl : public QtItemListControl {
 public:
  QtListBoxControl(const ControlTemplate& control, QWidget& parent, const QRect& geometry,
                   std::shared_ptr<NotifyChannel> channel);

  int Selection() const override;
  void SetSelection(int index) override;
  // Tells the user, at the list and to a screen reader, that no item is chosen, when
  // Enter did nothing for want of one.
  void SayNothingChosen();

 protected:
  void InsertShown(int index, const QString& text) override;
  void RemoveShown(int index) override;
  void ClearShown() override;

 private:
  QListWidget* list_;
};
