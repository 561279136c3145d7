#include "kelo/holidayfile/FileText.h"

#include <cstddef>

#include "kelo/holidayfile/HolidayFileError.h"
#include "kelo/holidayfile/StoredRemark.h"

namespace kelo {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr std::string_view kUtf32LeMark = std::string_view("\xFF\xFE\0\0", 4);
constexpr std::string_view kUtf32BeMark = std::string_view("\0\0\xFE\xFF", 4);

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  constexpr char32_t kReplacement = 0xFFFD;
  std::string out;
  out.reserve(bytes.size());
  auto unitAt = [&](std::size_t at) -> char32_t {
    const auto first = static_cast<unsigned char>(bytes[at]);
    const auto second = static_cast<unsigned char>(bytes[at + 1]);
    return bigEndian ? char32_t(first << 8 | second) : char32_t(second << 8 | first);
  };
  std::size_t at = 0;
  while (at + 1 < bytes.size()) {
    const char32_t unit = unitAt(at);
    at += 2;
    if (unit >= 0xD800 && unit <= 0xDBFF && at + 1 < bytes.size()) {
      const char32_t low = unitAt(at);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        at += 2;
        AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        continue;
      }
    }
    AppendUtf8(out, unit >= 0xD800 && unit <= 0xDFFF ? kReplacement : unit);
  }
  if (at < bytes.size()) AppendUtf8(out, kReplacement);  // half a unit at the end
  return out;
}

// Text whose every second byte is zero, as UTF-16 of Latin letters is.
bool LooksLikeUtf16(std::string_view bytes) {
  if (bytes.size() < 4) return false;
  std::size_t zeros[2] = {0, 0};
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\0') ++zeros[i % 2];
  }
  const std::size_t half = bytes.size() / 2;
  return zeros[0] * 4 >= half * 3 || zeros[1] * 4 >= half * 3;
}

std::string Unfolded(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      std::size_t next = i + 1;
      if (c == '\r' && next < text.size() && text[next] == '\n') ++next;
      if (next < text.size() && (text[next] == ' ' || text[next] == '\t')) {
        i = next;
        continue;
      }
    }
    out.push_back(c);
  }
  return out;
}

std::string AsUtf8(std::string_view bytes, bool unfold) {
  if (bytes.starts_with(kUtf32LeMark) || bytes.starts_with(kUtf32BeMark)) {
    throw HolidayFileError("it is UTF-32 text, which is not read: save it as UTF-8");
  }
  if (bytes.starts_with(kUtf8Mark)) {
    bytes.remove_prefix(kUtf8Mark.size());
  } else if (bytes.starts_with(kUtf16LeMark)) {
    const std::string text = Utf16ToUtf8(bytes.substr(2), false);
    return unfold ? Unfolded(text) : text;
  } else if (bytes.starts_with(kUtf16BeMark)) {
    const std::string text = Utf16ToUtf8(bytes.substr(2), true);
    return unfold ? Unfolded(text) : text;
  } else if (LooksLikeUtf16(bytes)) {
    throw HolidayFileError(
        "it looks like UTF-16 text without a byte order mark, which is not read: save it as "
        "UTF-8, or as UTF-16 with a byte order mark");
  }
  std::string text = unfold ? Unfolded(bytes) : std::string(bytes);
  if (IsUtf8(text)) return text;
  return Latin1ToUtf8(text);
}

}  // namespace

std::string FileTextAsUtf8(std::string_view bytes) { return AsUtf8(bytes, false); }

std::string UnfoldedFileTextAsUtf8(std::string_view bytes) { return AsUtf8(bytes, true); }

}  // namespace kelo
