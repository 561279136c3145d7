#pragma once

#include <QLineEdit>

#include "ui/qt/QtControl.h"

inline constexpr const char* kUnacceptableTitle = "Unacceptable Character";
inline constexpr const char* kUnacceptableText = "You can only type a number here.";

// One line of text; the user's edits send EN_CHANGE. Starts empty.
class QtEditControl : public QtControl {
 public:
  QtEditControl(const ControlTemplate& control, QWidget& parent, const QRect& geometry,
                std::shared_ptr<NotifyChannel> channel);

  void SetText(std::string_view text) override;
  std::string Text() const override;
  std::optional<char32_t> UnstorableCharacter() const override;
  // Takes, as typed or pasted, only what can become a whole number; a character it
  // refuses shows the tip "Unacceptable Character" at the field, and is announced.
  void MarkWholeNumber() override;
  // Qt's placeholder text.
  void SetCueBanner(std::string_view text) override;

 private:
  void OnRefused();

  QLineEdit* edit_;
};
