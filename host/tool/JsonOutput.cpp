#include "tool/JsonOutput.h"

#include <ostream>

#include "tool/ToolOutput.h"

namespace {

std::string Dump(const Json& value) {
  return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
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
