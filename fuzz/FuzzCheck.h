#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// The properties of a fuzz target hold in every build type, NDEBUG or not. A broken
// one prints what broke and aborts, which libFuzzer reports as a crash (saving the
// input) and which fails the corpus replay under ctest.
namespace fuzz {

[[noreturn]] inline void Fail(const char* file, int line, const char* condition,
                              const std::string& what) {
  std::fprintf(stderr, "%s:%d: property broken: %s\n  %s\n", file, line, condition, what.c_str());
  std::fflush(stderr);
  std::abort();
}

// A text as a message shows it: printable ASCII as it is, other bytes as \xNN, cut
// after limit bytes.
inline std::string Shown(std::string_view text, std::size_t limit = 80) {
  std::string shown = "\"";
  for (std::size_t i = 0; i < text.size() && i < limit; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
      shown.push_back(static_cast<char>(c));
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(c));
      shown += escaped;
    }
  }
  shown += text.size() > limit ? "\"..." : "\"";
  return shown;
}

}  // namespace fuzz

// what is evaluated only when the condition fails, so it may build a costly text.
#define FUZZ_CHECK(condition, what)                                       \
  do {                                                                    \
    if (!(condition)) fuzz::Fail(__FILE__, __LINE__, #condition, (what)); \
  } while (false)
