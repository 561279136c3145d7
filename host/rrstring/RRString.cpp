#include "rrstring/RRString.h"

#include <cstring>
#include <utility>

namespace rr {

RRString::RRString(const char* text) : text_(text != nullptr ? text : "") {}

RRString::RRString(const char* data, std::size_t length)
    : text_(data != nullptr ? std::string(data, length) : std::string()) {}

RRString::RRString(std::string text) : text_(std::move(text)) {}

RRString::RRString(std::string_view text) : text_(text) {}

RRString::RRString(const RRString& other) = default;

RRString::RRString(RRString&& other) noexcept = default;

RRString::~RRString() = default;

RRString& RRString::operator=(const RRString& other) = default;

RRString& RRString::operator=(RRString&& other) noexcept = default;

RRString& RRString::operator=(const char* text) {
  text_.assign(text != nullptr ? text : "");
  return *this;
}

bool RRString::operator==(const char* text) const {
  if (text == nullptr) return text_.empty();
  const std::size_t n = std::strlen(text);
  return n == text_.size() && std::memcmp(text_.data(), text, n) == 0;
}

}  // namespace rr
