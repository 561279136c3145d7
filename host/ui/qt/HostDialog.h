#pragma once

#include <QDialog>
#include <functional>

// The top-level widget of a dialog window. Enter, Escape and closing the window do
// not end it: they are handed to the window, which tells the framework, as a
// Windows dialog turns them into clicks of its default and cancel buttons.
class HostDialog final : public QDialog {
 public:
  explicit HostDialog(QWidget* parent) : QDialog(parent) {}

  void SetKeyHandlers(std::function<void()> onEnter, std::function<void()> onCancel);
  // Escape and the window's close button.
  void reject() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::function<void()> onEnter_;
  std::function<void()> onCancel_;
};
