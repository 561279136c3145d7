#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace rr {

// The host's 8-bit string: a sequence of bytes, not of characters. It may hold
// any byte, zero included; c_str() is always zero-terminated after length() bytes.
class RRString {
 public:
  RRString() = default;
  RRString(const char* text);  // NOLINT: implicit like the host's type; null gives ""
  RRString(const char* data, std::size_t length);
  explicit RRString(std::string text);
  explicit RRString(std::string_view text);
  RRString(const RRString& other);
  RRString(RRString&& other) noexcept;
  ~RRString();

  RRString& operator=(const RRString& other);
  RRString& operator=(RRString&& other) noexcept;
  RRString& operator=(const char* text);  // null gives ""

  const char* c_str() const { return text_.c_str(); }
  const char* data() const { return text_.data(); }
  std::size_t length() const { return text_.size(); }
  bool empty() const { return text_.empty(); }

  std::string_view view() const { return text_; }
  const std::string& str() const { return text_; }

  // Byte-wise equality with a zero-terminated text; a null text equals "".
  bool operator==(const char* text) const;
  bool operator==(const RRString& other) const { return text_ == other.text_; }

 private:
  std::string text_;
};

}  // namespace rr
