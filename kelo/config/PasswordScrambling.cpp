#include "kelo/config/PasswordScrambling.h"

#include <cstddef>
#include <vector>

namespace kelo {
namespace {

constexpr std::uint32_t kDelta = 0x9E3779B9u;
constexpr unsigned kCycles = 32;
constexpr unsigned char kMagic[4] = {'M', 'A', 'E', 'T'};
constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kBlockSize = 8;

std::uint32_t LoadLe32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void StoreLe32(unsigned char* p, std::uint32_t value) {
  p[0] = static_cast<unsigned char>(value);
  p[1] = static_cast<unsigned char>(value >> 8);
  p[2] = static_cast<unsigned char>(value >> 16);
  p[3] = static_cast<unsigned char>(value >> 24);
}

template <void (*Cipher)(std::uint32_t*, const std::uint32_t*)>
void ApplyToBlocks(std::vector<unsigned char>& buffer) {
  for (std::size_t at = 0; at + kBlockSize <= buffer.size(); at += kBlockSize) {
    std::uint32_t v[2] = {LoadLe32(&buffer[at]), LoadLe32(&buffer[at + 4])};
    Cipher(v, kPasswordKey);
    StoreLe32(&buffer[at], v[0]);
    StoreLe32(&buffer[at + 4], v[1]);
  }
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

void XteaEncipher(std::uint32_t v[2], const std::uint32_t key[4]) {
  std::uint32_t a = v[0];
  std::uint32_t b = v[1];
  std::uint32_t sum = 0;
  for (unsigned i = 0; i < kCycles; ++i) {
    a += (((b << 4) ^ (b >> 5)) + b) ^ (sum + key[sum & 3]);
    sum += kDelta;
    b += (((a << 4) ^ (a >> 5)) + a) ^ (sum + key[(sum >> 11) & 3]);
  }
  v[0] = a;
  v[1] = b;
}

void XteaDecipher(std::uint32_t v[2], const std::uint32_t key[4]) {
  std::uint32_t a = v[0];
  std::uint32_t b = v[1];
  std::uint32_t sum = kDelta * kCycles;
  for (unsigned i = 0; i < kCycles; ++i) {
    b -= (((a << 4) ^ (a >> 5)) + a) ^ (sum + key[(sum >> 11) & 3]);
    sum -= kDelta;
    a -= (((b << 4) ^ (b >> 5)) + b) ^ (sum + key[sum & 3]);
  }
  v[0] = a;
  v[1] = b;
}

std::string EncodePassword(const std::string& password) {
  const std::size_t withZero = password.size() + 1;
  const std::size_t size = (withZero + kHeaderSize + kBlockSize - 1) / kBlockSize * kBlockSize;
  std::vector<unsigned char> buffer(size, 0);
  for (std::size_t i = 0; i < 4; ++i) buffer[i] = kMagic[i];
  StoreLe32(&buffer[4], static_cast<std::uint32_t>(withZero));
  for (std::size_t i = 0; i < password.size(); ++i)
    buffer[kHeaderSize + i] = static_cast<unsigned char>(password[i]);
  ApplyToBlocks<XteaEncipher>(buffer);

  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(size * 2);
  for (unsigned char byte : buffer) {
    hex.push_back(kDigits[byte >> 4]);
    hex.push_back(kDigits[byte & 0x0F]);
  }
  return hex;
}

bool DecodePassword(const std::string& stored, std::string& out) {
  out.clear();
  for (char c : stored) {
    if (HexDigitValue(c) < 0) return false;
  }
  const std::size_t size = stored.size() / 2;
  if (size == 0 || size % kBlockSize != 0) return false;

  std::vector<unsigned char> buffer(size);
  for (std::size_t i = 0; i < size; ++i)
    buffer[i] = static_cast<unsigned char>(HexDigitValue(stored[2 * i]) << 4 |
                                           HexDigitValue(stored[2 * i + 1]));
  ApplyToBlocks<XteaDecipher>(buffer);

  for (std::size_t i = 0; i < 4; ++i) {
    if (buffer[i] != kMagic[i]) return false;
  }
  if (LoadLe32(&buffer[4]) > size - kHeaderSize) return false;

  std::size_t end = kHeaderSize;
  while (end < size && buffer[end] != 0) ++end;
  out.assign(buffer.begin() + kHeaderSize, buffer.begin() + end);
  return true;
}

}  // namespace kelo
