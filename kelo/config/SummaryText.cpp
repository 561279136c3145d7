#include "kelo/config/SummaryText.h"

#include <string>
#include <utility>

namespace kelo {

void SummaryText::AddText(std::string_view label, std::string_view value) {
  if (items_ > 0) text_.push_back('|');
  text_.append(label);
  text_.append(value);
  ++items_;
}

void SummaryText::AddFlag(std::string_view label, bool value) {
  AddText(label, value ? std::string_view("Yes") : std::string_view("No"));
}

void SummaryText::AddNumber(std::string_view label, std::int32_t value) {
  const std::string number = std::to_string(value);
  AddText(label, number);
}

void SummaryText::Continue(std::string_view joint, std::string_view value) {
  text_.append(joint);
  text_.append(value);
}

int SummaryText::Finish(Ending ending, rr::RRString& out) {
  if (ending == Ending::kSeparator && items_ > 0) text_.push_back('|');
  out = rr::RRString(std::move(text_));
  text_.clear();
  const int items = items_;
  items_ = 0;
  return items;
}

}  // namespace kelo
