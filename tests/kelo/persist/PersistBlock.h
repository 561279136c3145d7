#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "kelo/persist/RecordPersistLayout.h"

namespace kelo::test {

// A persisted record block built byte by byte, little-endian, the way the
// runtime writes it. Sized exactly so that a read past its end is caught.
class PersistBlock {
 public:
  explicit PersistBlock(std::size_t size = record_persist::kSize) : bytes_(size, 0) {}

  PersistBlock& Byte(std::size_t offset, std::uint8_t value) {
    bytes_.at(offset) = value;
    return *this;
  }
  PersistBlock& Fill(std::size_t offset, std::size_t count, std::uint8_t value) {
    for (std::size_t i = 0; i < count; ++i) Byte(offset + i, value);
    return *this;
  }
  PersistBlock& Integer(std::size_t offset, std::uint64_t value, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i)
      Byte(offset + i, static_cast<std::uint8_t>(value >> (8 * i)));
    return *this;
  }
  // Copies the bytes only; the terminator, if any, must be part of text.
  PersistBlock& Text(std::size_t offset, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i)
      Byte(offset + i, static_cast<std::uint8_t>(text[i]));
    return *this;
  }

  const std::uint8_t* data() const { return bytes_.data(); }
  std::uint64_t size() const { return bytes_.size(); }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace kelo::test
