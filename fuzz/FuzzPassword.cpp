// The password scrambling: any stored text either decodes or reads as an empty
// password, and every password without a zero byte survives scrambling.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "kelo/config/PasswordScrambling.h"

namespace {

bool IsLowerHex(const std::string& text) {
  return text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

// What EncodePassword makes of a password of n bytes: header, bytes, zero, padding to
// whole 8-byte blocks, two digits per byte.
std::size_t EncodedSize(std::size_t n) { return 2 * ((n + 1 + 8 + 7) / 8 * 8); }

void CheckDecode(const std::string& stored) {
  std::string out = "stale";
  const bool decoded = kelo::DecodePassword(stored, out);
  if (!decoded) {
    FUZZ_CHECK(out.empty(), "a failed decode left " + fuzz::Shown(out));
    return;
  }
  FUZZ_CHECK(IsLowerHex(stored), "decoded a text that is not lowercase hex");
  const std::size_t bytes = stored.size() / 2;
  FUZZ_CHECK(bytes >= 8 && bytes % 8 == 0, "decoded " + std::to_string(bytes) + " bytes");
  FUZZ_CHECK(out.size() <= bytes - 8, "password longer than its buffer");
  FUZZ_CHECK(out.find('\0') == std::string::npos, "password holds a zero byte");

  // What decodes scrambles again into a text that decodes to the same password.
  std::string again;
  FUZZ_CHECK(kelo::DecodePassword(kelo::EncodePassword(out), again) && again == out,
             "decoded password " + fuzz::Shown(out) + " does not survive scrambling");
}

void CheckEncode(const std::string& password) {
  const std::string stored = kelo::EncodePassword(password);
  FUZZ_CHECK(
      stored.size() == EncodedSize(password.size()),
      std::to_string(stored.size()) + " digits for " + std::to_string(password.size()) + " bytes");
  FUZZ_CHECK(IsLowerHex(stored), "scrambled text is not lowercase hex: " + fuzz::Shown(stored));

  std::string out;
  FUZZ_CHECK(kelo::DecodePassword(stored, out), "scrambled text does not decode");
  FUZZ_CHECK(out == password, fuzz::Shown(password) + " came back as " + fuzz::Shown(out));

  // A final odd digit is ignored.
  FUZZ_CHECK(kelo::DecodePassword(stored + "7", out) && out == password,
             "one extra digit changed the password");
  // One block less no longer holds the whole buffer the header announces.
  if (stored.size() > 32) {
    FUZZ_CHECK(!kelo::DecodePassword(stored.substr(0, stored.size() - 16), out) && out.empty(),
               "a scrambled text without its last block decodes");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  CheckDecode(input);
  // A password ends at its first zero byte; everything before it must come back.
  CheckEncode(input.substr(0, input.find('\0')));
  return 0;
}
