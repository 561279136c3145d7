#include "tool/JsonOutput.h"

#include <cstdio>
#include <ostream>

#include "text/TextEscape.h"

#include "tool/ToolOutput.h"

namespace {

// The JSON library writes every character from U+0080 on as it is; the C1 and
// bidirectional controls among them are written \uXXXX instead, so that a document
// shown on a terminal neither starts an escape sequence nor reorders its line. They
// can stand only inside strings, where the escape means the same character.
std::string EscapeFormatControls(std::string text) {
  std::string out;
  std::size_t done = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if ((lead != 0xC2 && lead != 0xD8 && lead != 0xE2) || i + length > text.size()) continue;
    const std::string_view sequence(text.data() + i, length);
    if (!IsFormatControl(sequence)) continue;
    char32_t c = lead == 0xE2
                     ? ((char32_t(sequence[1] & 0x3F) << 6) | (sequence[2] & 0x3F)) | 0x2000
                     : ((char32_t(lead & 0x1F) << 6) | (sequence[1] & 0x3F));
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
    out.append(text, done, i - done);
    out += escape;
    done = i + length;
    i += length - 1;
  }
  if (done == 0) return text;
  out.append(text, done, std::string::npos);
  return out;
}

std::string Dump(const Json& value) {
  return EscapeFormatControls(value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
}

}  // namespace

Json JsonLatin1(std::string_view bytes) {
  std::string utf8;
  utf8.reserve(bytes.size());
  for (const unsigned char c : bytes) {
    if (c < 0x80) {
      utf8 += static_cast<char>(c);
    } else {
      utf8 += static_cast<char>(0xC0 | (c >> 6));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return Json(std::move(utf8));
}

Json JsonText(std::string_view text) { return Json(std::string(text)); }

void PrintJson(const Json& document, std::ostream& out) {
  out << Dump(document) << '\n';
  FlushOutput(out);
}

JsonFileList::JsonFileList(std::ostream& out) : out_(out) { out_ << "{\"files\":["; }

void JsonFileList::Add(const Json& entry) {
  if (!first_) out_ << ',';
  first_ = false;
  out_ << '\n' << Dump(entry);
  CheckOutput(out_);
}

void JsonFileList::Finish(const Json& tail) {
  out_ << "\n]";
  for (const auto& [key, value] : tail.items())
    out_ << ',' << Dump(Json(key)) << ':' << Dump(value);
  out_ << "}\n";
  FlushOutput(out_);
}
