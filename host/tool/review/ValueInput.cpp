#include "tool/review/ValueInput.h"

#include "text/TextEscape.h"

namespace {

constexpr std::string_view kDisabled = " (disabled)";

// The value without the mark get prints after a control the user cannot change; only
// after a value that is one of get's words or a quoted text, so that a plain text
// ending in those words stays whole.
std::string_view WithoutDisabled(std::string_view typed) {
  if (!typed.ends_with(kDisabled)) return typed;
  const std::string_view value = typed.substr(0, typed.size() - kDisabled.size());
  const bool word = value == "[x]" || value == "[ ]" || value == "(o)" || value == "( )" ||
                    (value.size() >= 2 && value.front() == '(' && value.back() == ')');
  const bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
  return word || quoted ? value : typed;
}

std::optional<bool> Mark(std::string_view typed, std::string_view on, std::string_view off) {
  const std::string_view value = WithoutDisabled(typed);
  if (value == "on" || value == on) return true;
  if (value == "off" || value == off) return false;
  return std::nullopt;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The inside of a quoted value, escapes undone: bytes as stored, except that text
// outside the escapes is still UTF-8.
std::string Unquoted(std::string_view inside) {
  std::string out;
  for (std::size_t i = 0; i < inside.size(); ++i) {
    const char c = inside[i];
    if (c == '"') throw ValueInputError("a double quote inside a quoted value is written \\\"");
    if (c != '\\') {
      out += c;
      continue;
    }
    if (++i == inside.size()) throw ValueInputError("a quoted value ends in a lone backslash");
    switch (inside[i]) {
      case '\\':
      case '"':
        out += inside[i];
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case 't':
        out += '\t';
        break;
      case 'x': {
        const int high = i + 1 < inside.size() ? HexDigit(inside[i + 1]) : -1;
        const int low = i + 2 < inside.size() ? HexDigit(inside[i + 2]) : -1;
        if (high < 0 || low < 0)
          throw ValueInputError("\\x in a quoted value takes two hexadecimal digits");
        // A byte as stored, kept apart from the UTF-8 around it until the end.
        out += '\0';
        out += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default:
        throw ValueInputError(
            "a quoted value knows the escapes \\\\, \\\", \\n, \\r, \\t and \\xNN only");
    }
  }
  return out;
}

std::string Latin1(std::string_view typed) {
  const std::optional<std::string> stored = Latin1FromUtf8(typed);
  if (!stored)
    throw ValueInputError(
        "the value holds a character the configuration cannot store (it stores ISO-8859-1)");
  return *stored;
}

}  // namespace

std::optional<bool> CheckFromInput(std::string_view typed) { return Mark(typed, "[x]", "[ ]"); }

std::optional<bool> RadioFromInput(std::string_view typed) { return Mark(typed, "(o)", "( )"); }

std::string TextFromInput(std::string_view typed) {
  const std::string_view value = WithoutDisabled(typed);
  if (value.size() < 2 || value.front() != '"' || value.back() != '"') return Latin1(typed);
  // Escaped bytes come out of Unquoted behind a NUL, which typed text never holds;
  // the UTF-8 between them is converted piece by piece.
  const std::string inside = Unquoted(value.substr(1, value.size() - 2));
  std::string stored;
  std::size_t from = 0;
  for (std::size_t nul = inside.find('\0'); nul != std::string::npos;
       nul = inside.find('\0', from)) {
    stored += Latin1(std::string_view(inside).substr(from, nul - from));
    stored += inside[nul + 1];
    from = nul + 2;
  }
  return stored + Latin1(std::string_view(inside).substr(from));
}

std::optional<std::string> PasswordFromInput(std::string_view typed) {
  const std::string_view value = WithoutDisabled(typed);
  if (value == "(empty)") return std::string();
  if (value == "(set)" || value == "(unreadable, kept)") return std::nullopt;
  return TextFromInput(typed);
}
