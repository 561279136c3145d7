#include "kelo/config/PasswordScrambling.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

namespace kelo {
namespace {

struct KnownAnswer {
  std::uint32_t key[4];
  std::uint32_t plain[2];
  std::uint32_t cipher[2];
};

TEST(Xtea, KnownAnswersEncipherAndDecipherBack) {
  const KnownAnswer cases[] = {
      {{0x00010203, 0x04050607, 0x08090A0B, 0x0C0D0E0F},
       {0x41424344, 0x45464748},
       {0x497DF3D0, 0x72612CB5}},
      {{0, 0, 0, 0}, {0, 0}, {0xDEE9D4D8, 0xF7131ED9}},
      {{1, 2, 3, 4}, {0, 0}, {0xA597AB41, 0x76014D72}},
  };
  for (const KnownAnswer& c : cases) {
    std::uint32_t v[2] = {c.plain[0], c.plain[1]};
    XteaEncipher(v, c.key);
    EXPECT_EQ(v[0], c.cipher[0]);
    EXPECT_EQ(v[1], c.cipher[1]);
    XteaDecipher(v, c.key);
    EXPECT_EQ(v[0], c.plain[0]);
    EXPECT_EQ(v[1], c.plain[1]);
  }
}

// A stored text made by hand from a plain buffer, so that headers EncodePassword
// never writes can be tried.
std::string Scramble(std::vector<unsigned char> bytes) {
  for (std::size_t at = 0; at + 8 <= bytes.size(); at += 8) {
    std::uint32_t v[2] = {};
    for (int i = 0; i < 4; ++i) {
      v[0] |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
      v[1] |= static_cast<std::uint32_t>(bytes[at + 4 + i]) << (8 * i);
    }
    XteaEncipher(v, kPasswordKey);
    for (int i = 0; i < 4; ++i) {
      bytes[at + i] = static_cast<unsigned char>(v[0] >> (8 * i));
      bytes[at + 4 + i] = static_cast<unsigned char>(v[1] >> (8 * i));
    }
  }
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char b : bytes) {
    hex.push_back(kDigits[b >> 4]);
    hex.push_back(kDigits[b & 15]);
  }
  return hex;
}

std::vector<unsigned char> Buffer(const char* magic, std::uint32_t length, const std::string& body,
                                  std::size_t size) {
  std::vector<unsigned char> bytes(size, 0);
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(magic[i]);
  for (int i = 0; i < 4; ++i) bytes[4 + i] = static_cast<unsigned char>(length >> (8 * i));
  for (std::size_t i = 0; i < body.size(); ++i) bytes[8 + i] = static_cast<unsigned char>(body[i]);
  return bytes;
}

TEST(PasswordScrambling, EncodedLayoutIsHeaderLengthBytesZeroPadding) {
  EXPECT_EQ(EncodePassword("secret"), Scramble(Buffer("MAET", 7, "secret", 16)));
  EXPECT_EQ(EncodePassword(""), Scramble(Buffer("MAET", 1, "", 16)));
  EXPECT_EQ(EncodePassword("12345678"), Scramble(Buffer("MAET", 9, "12345678", 24)));
}

TEST(PasswordScrambling, RoundTripsEveryLengthAndByte) {
  for (std::size_t length = 0; length <= 40; ++length) {
    std::string password;
    for (std::size_t i = 0; i < length; ++i)
      password.push_back(static_cast<char>(1 + (length * 53 + i * 97) % 255));
    const std::string stored = EncodePassword(password);
    EXPECT_EQ(stored.size(), 2 * ((length + 1 + 8 + 7) / 8 * 8)) << length;
    EXPECT_EQ(stored.find_first_not_of("0123456789abcdef"), std::string::npos) << length;
    std::string back = "previous";
    EXPECT_TRUE(DecodePassword(stored, back)) << length;
    EXPECT_EQ(back, password) << length;
  }
  std::string everyByte;
  for (int b = 1; b <= 255; ++b) everyByte.push_back(static_cast<char>(b));
  std::string back;
  EXPECT_TRUE(DecodePassword(EncodePassword(everyByte), back));
  EXPECT_EQ(back, everyByte);
}

TEST(PasswordScrambling, OutputGrowsByWholeBlocks) {
  EXPECT_EQ(EncodePassword("").size(), 32u);
  EXPECT_EQ(EncodePassword("1234567").size(), 32u);
  EXPECT_EQ(EncodePassword("12345678").size(), 48u);
  EXPECT_EQ(EncodePassword(std::string(15, 'x')).size(), 48u);
  EXPECT_EQ(EncodePassword(std::string(16, 'x')).size(), 64u);
}

TEST(PasswordScrambling, AcceptsWhatEncodeCouldHaveMade) {
  const std::string valid = EncodePassword("pw");
  struct Case {
    const char* name;
    std::string stored;
    std::string password;
  };
  const Case cases[] = {
      {"trailing odd digit ignored", valid + "7", "pw"},
      {"length exactly fills the buffer", Scramble(Buffer("MAET", 8, "pw", 16)), "pw"},
      {"length zero", Scramble(Buffer("MAET", 0, "pw", 16)), "pw"},
      {"no zero byte ends at the buffer end", Scramble(Buffer("MAET", 8, "ABCDEFGH", 16)),
       "ABCDEFGH"},
      {"text ends at the first zero", Scramble(Buffer("MAET", 9, std::string("ab\0cd", 5), 24)),
       "ab"},
  };
  for (const Case& c : cases) {
    std::string out = "previous";
    EXPECT_TRUE(DecodePassword(c.stored, out)) << c.name;
    EXPECT_EQ(out, c.password) << c.name;
  }
}

TEST(PasswordScrambling, RefusesEverythingElseWithEmptyOutput) {
  const std::string valid = EncodePassword("pw");
  std::string upper = valid;
  for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  ASSERT_NE(upper, valid);
  struct Case {
    const char* name;
    std::string stored;
  };
  const Case cases[] = {
      {"empty", ""},
      {"capital digits", upper},
      {"plain text", "secret"},
      {"a letter beyond f", valid.substr(0, 31) + "g"},
      {"odd digit not hex", valid + "G"},
      {"a blank", " " + valid.substr(1)},
      {"seven bytes", valid.substr(0, 14)},
      {"nine bytes", valid.substr(0, 18)},
      {"seventeen bytes", valid + "00"},
      {"one digit", "0"},
      {"zeros", std::string(32, '0')},
      {"wrong magic", Scramble(Buffer("MAEU", 3, "pw", 16))},
      {"lowercase magic", Scramble(Buffer("maet", 3, "pw", 16))},
      {"length one too large", Scramble(Buffer("MAET", 9, "pw", 16))},
      {"length huge", Scramble(Buffer("MAET", 0xFFFFFFFFu, "pw", 16))},
      {"first blocks of a longer one", EncodePassword("longer than eight").substr(0, 32)},
  };
  for (const Case& c : cases) {
    std::string out = "previous";
    EXPECT_FALSE(DecodePassword(c.stored, out)) << c.name;
    EXPECT_EQ(out, "") << c.name;
  }
}

// Every other test derives its expectation from kPasswordKey or round-trips, so only
// these catch a changed key, which would make every stored password read as empty.
TEST(PasswordScrambling, KeyIsPinnedByKnownTexts) {
  // The password of examples/handler.xml, as stored there.
  std::string out;
  EXPECT_TRUE(DecodePassword("e704b62cab70e60abc82e8b708d82e7abf260cd95bbe8cc8", out));
  EXPECT_EQ(out, "S3cret!pw");
  EXPECT_EQ(EncodePassword("password"), "b01ccfc1ed00d71b1fd7af35f4a64d6c766ce708eedda430");
  EXPECT_EQ(EncodePassword(""), "5f240880368f5b47766ce708eedda430");
}

}  // namespace
}  // namespace kelo
