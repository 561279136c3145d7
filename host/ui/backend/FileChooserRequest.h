#pragma once

#include <string>
#include <string_view>
#include <vector>

// One entry of a file chooser's type list: "CSV Files (*.csv)" and its patterns.
struct FileFilter {
  std::string description;
  std::vector<std::string> patterns;  // "*.csv"

  friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

// What an open or save file chooser asks.
struct FileChooserRequest {
  bool open = true;
  std::string defaultExtension;  // without the dot; appended to a name without one
  std::string initialFileName;
  unsigned flags = 0;  // OFN_ flags
  std::vector<FileFilter> filters;
};

// The filters of a filter text in the form "Description|*.a;*.b|Other|*.c||": pairs
// separated by "|", ended by an empty description or the end of the text. A
// description without its pattern part is dropped.
std::vector<FileFilter> ParseFileFilter(std::string_view text);
