#pragma once

#include <nlohmann/json.hpp>

#include <iosfwd>
#include <string>
#include <string_view>

// What the --json output of every command is built from. Keys keep the order they
// were added in, so a document reads in the order the text output does.
using Json = nlohmann::ordered_json;

// A stored text (ISO-8859-1 bytes) as a JSON string: each byte is the character of
// the same number, carried in UTF-8.
Json JsonLatin1(std::string_view bytes);

// A text the tool itself made (a path, a message), as it is: a byte that is not
// UTF-8 is written as U+FFFD when the document is (PrintJson, JsonFileList).
Json JsonText(std::string_view text);

// Writes the document and a line end to out and flushes it; OutputError
// (ToolOutput.h) when out failed, so a full disk or a closed pipe is never reported
// as done.
void PrintJson(const Json& document, std::ostream& out);

// One document of the form {"files": [ENTRY, ...], ...} written entry by entry, so
// that a list of many thousands of files is never held in memory at once. Add and
// Finish throw OutputError as PrintJson does.
class JsonFileList {
 public:
  explicit JsonFileList(std::ostream& out);
  JsonFileList(const JsonFileList&) = delete;
  JsonFileList& operator=(const JsonFileList&) = delete;

  void Add(const Json& entry);
  // Closes the list, adding the members of tail (an object) after it; call once.
  void Finish(const Json& tail = Json::object());

 private:
  std::ostream& out_;
  bool first_ = true;
};
