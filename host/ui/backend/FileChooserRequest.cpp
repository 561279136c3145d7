#include "ui/backend/FileChooserRequest.h"

std::vector<FileFilter> ParseFileFilter(std::string_view text) {
  std::vector<std::string_view> parts;
  for (std::size_t from = 0; from <= text.size();) {
    const std::size_t bar = text.find('|', from);
    if (bar == std::string_view::npos) {
      parts.push_back(text.substr(from));
      break;
    }
    parts.push_back(text.substr(from, bar - from));
    from = bar + 1;
  }
  std::vector<FileFilter> filters;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].empty()) break;
    FileFilter filter{std::string(parts[i]), {}};
    std::string_view patterns = parts[i + 1];
    for (std::size_t from = 0; from < patterns.size();) {
      std::size_t semicolon = patterns.find(';', from);
      if (semicolon == std::string_view::npos) semicolon = patterns.size();
      if (semicolon > from) filter.patterns.emplace_back(patterns.substr(from, semicolon - from));
      from = semicolon + 1;
    }
    filters.push_back(std::move(filter));
  }
  return filters;
}
