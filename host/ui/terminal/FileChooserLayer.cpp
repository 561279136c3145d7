#include "ui/terminal/FileChooserLayer.h"

#include <fnmatch.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "text/TextEscape.h"
#include "ui/WinConstants.h"
#include "ui/model/SafeQuestion.h"
#include "ui/terminal/MessageBoxLayer.h"
#include "ui/terminal/Painter.h"
#include "ui/terminal/TerminalApplication.h"
#include "ui/terminal/TerminalText.h"

namespace fs = std::filesystem;

namespace {

constexpr int kMostWidth = 76;
constexpr int kMostListRows = 12;

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  return home != nullptr ? home : "/";
}

bool IsFolder(const fs::path& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

bool Exists(const fs::path& path) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(path, ec)) || fs::exists(path, ec);
}

}  // namespace

FileChooserLayer::FileChooserLayer(TerminalApplication& app, const FileChooserRequest& request)
    : app_(app), request_(request) {
  const std::string& initial = request.initialFileName;
  if (!initial.empty() && initial.find_first_of("*?") == std::string::npos)
    name_.SetText(FromUtf8(initial));
  Browse(app.ChooserFolder());
}

void FileChooserLayer::Browse(const std::string& folder) {
  folder_ = fs::path(folder).lexically_normal().string();
  if (folder_.size() > 1 && folder_.back() == '/') folder_.pop_back();
  ReadFolder();
}

bool FileChooserLayer::Matches(const std::string& name) const {
  if (request_.filters.empty()) return true;
  const FileFilter& filter = request_.filters[static_cast<std::size_t>(filter_)];
  for (const std::string& pattern : filter.patterns)
    if (::fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0) return true;
  return false;
}

void FileChooserLayer::ReadFolder() {
  entries_.clear();
  readError_.clear();
  if (folder_ != "/") entries_.push_back({"..", true});
  std::error_code ec;
  fs::directory_iterator it(folder_, ec);
  std::vector<Entry> folders;
  std::vector<Entry> files;
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.starts_with('.')) continue;
    std::error_code typeError;
    if (it->is_directory(typeError)) {
      folders.push_back({name, true});
    } else if (Matches(name)) {
      files.push_back({name, false});
    }
  }
  // What cannot be listed says so; it is not shown as an empty folder.
  if (ec) readError_ = "Cannot list this folder: " + ec.message();
  auto byName = [](const Entry& a, const Entry& b) { return a.name < b.name; };
  std::sort(folders.begin(), folders.end(), byName);
  std::sort(files.begin(), files.end(), byName);
  entries_.insert(entries_.end(), folders.begin(), folders.end());
  entries_.insert(entries_.end(), files.begin(), files.end());
  rows_.SetCount(static_cast<int>(entries_.size()));
  rows_.MoveTo(entries_.empty() ? -1 : 0);
  if (!readError_.empty()) app_.Tell(readError_, true);
}

std::string FileChooserLayer::Resolve(const std::u32string& typed) const {
  std::string path = ToUtf8(typed);
  if (path == "~" || path.starts_with("~/")) path = HomeFolder() + path.substr(1);
  fs::path resolved = fs::path(path).is_absolute() ? fs::path(path) : fs::path(folder_) / path;
  return resolved.lexically_normal().string();
}

bool FileChooserLayer::Complete() {
  const std::u32string& typed = name_.Text();
  const std::size_t slash = typed.find_last_of(U'/');
  const std::u32string head = slash == std::u32string::npos ? U"" : typed.substr(0, slash + 1);
  const std::string base = ToUtf8(slash == std::u32string::npos ? typed : typed.substr(slash + 1));
  const std::string folder = head.empty() ? folder_ : Resolve(head);
  std::error_code ec;
  std::vector<std::pair<std::string, bool>> found;
  for (fs::directory_iterator it(folder, ec); !ec && it != fs::directory_iterator();
       it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (!name.starts_with(base) || (name.starts_with('.') && !base.starts_with('.'))) continue;
    std::error_code typeError;
    const bool isFolder = it->is_directory(typeError);
    if (!isFolder && !Matches(name)) continue;
    found.emplace_back(name, isFolder);
  }
  if (found.empty()) return false;
  std::string common = found.front().first;
  for (const auto& [name, isFolder] : found) {
    std::size_t n = 0;
    while (n < common.size() && n < name.size() && common[n] == name[n]) ++n;
    common.resize(n);
  }
  std::u32string completed = head + FromUtf8(common);
  if (found.size() == 1 && found.front().second) completed += U'/';
  if (found.size() > 1) {
    // The candidates show in the list, from the first of them.
    if (folder != folder_) Browse(folder);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (entries_[i].name.starts_with(common)) {
        rows_.MoveTo(static_cast<int>(i));
        break;
      }
    }
  }
  if (completed == typed) return false;
  name_.SetText(completed);
  return true;
}

void FileChooserLayer::Take(const std::string& path) {
  app_.RememberFolder(fs::path(path).parent_path().string());
  chosen_ = path;
  done_ = true;
}

void FileChooserLayer::Accept() {
  std::u32string typed = name_.Text();
  if (typed.empty()) {
    if (focus_ != Focus::List || rows_.Current() < 0) return;
    typed = FromUtf8(entries_[static_cast<std::size_t>(rows_.Current())].name);
  }
  std::string path = Resolve(typed);
  if (IsFolder(path)) {
    Browse(path);
    name_.SetText({});
    return;
  }
  const fs::path chosen(path);
  if (!IsFolder(chosen.parent_path())) {
    app_.Tell("No such folder: " + chosen.parent_path().string(), true);
    return;
  }
  if (request_.open) {
    if ((request_.flags & OFN_FILEMUSTEXIST) != 0 && !Exists(chosen)) {
      app_.Tell("No such file: " + path, true);
      return;
    }
    return Take(path);
  }
  if (!request_.defaultExtension.empty() && !chosen.has_extension())
    path += "." + request_.defaultExtension;
  if ((request_.flags & OFN_OVERWRITEPROMPT) != 0 && Exists(path)) {
    MessageBoxLayer ask(
        {fs::path(path).filename().string() + " already exists.\nDo you want to replace it?",
         "Confirm Save As", kDestructiveQuestion});
    app_.Run(ask);
    if (ask.Answer() != IDYES) return;
  }
  Take(path);
}

void FileChooserLayer::ListChanged() {
  if (rows_.Current() < 0) return;
  const Entry& entry = entries_[static_cast<std::size_t>(rows_.Current())];
  name_.SetText(entry.folder ? std::u32string() : FromUtf8(entry.name));
}

void FileChooserLayer::MoveFocus(bool backwards) {
  static constexpr Focus kOrder[] = {Focus::Name, Focus::List, Focus::Type, Focus::Ok,
                                     Focus::Cancel};
  int at = 0;
  for (int i = 0; i < 5; ++i)
    if (kOrder[i] == focus_) at = i;
  do {
    at = (at + (backwards ? 4 : 1)) % 5;
  } while (kOrder[at] == Focus::Type && request_.filters.size() < 2);
  focus_ = kOrder[at];
}

CellRect FileChooserLayer::Place(int rows, int columns) {
  const int width = std::min(kMostWidth, columns);
  listRows_ = std::clamp(rows - 8, 1, kMostListRows);
  rows_.SetHeight(listRows_);
  const int height = std::min(listRows_ + 8, rows);
  box_ = {0, 0, width, height};
  return {(columns - width) / 2, (rows - height) / 2, width, height};
}

void FileChooserLayer::Draw(const Painter& painter) {
  painter.Frame(box_, Look::Frame, request_.open ? U"Open" : U"Save As");
  const int inner = box_.width - 4;
  const int used = painter.Text(2, 1, U"Folder: ", Look::Plain, inner);
  painter.Text(2 + used, 1, FromUtf8(EscapeText(folder_, TextBytes::Utf8)), Look::Title,
               inner - used);

  const CellRect list{2, 2, inner, listRows_ + 2};
  painter.Frame(list, Look::Frame);
  if (!readError_.empty()) painter.Text(4, 3, FromUtf8(readError_), Look::Plain, inner - 4);
  for (int row = rows_.Top(); row < rows_.End(); ++row) {
    const Entry& entry = entries_[static_cast<std::size_t>(row)];
    const bool current = row == rows_.Current();
    const Look look =
        current ? (focus_ == Focus::List ? Look::SelectedFocused : Look::Selected) : Look::Plain;
    const int y = 3 + row - rows_.Top() + (readError_.empty() ? 0 : 1);
    if (y >= list.Bottom() - 1) break;
    painter.Put(3, y, current ? U'>' : U' ', look);
    painter.Text(4, y,
                 FromUtf8(EscapeText(entry.name, TextBytes::Utf8) + (entry.folder ? "/" : "")),
                 look, inner - 3, true);
  }
  if (rows_.Top() > 0) painter.Put(list.Right() - 1, 3, painter.UpArrow(), Look::Frame);
  if (rows_.End() < rows_.Count())
    painter.Put(list.Right() - 1, list.Bottom() - 2, painter.DownArrow(), Look::Frame);

  const int nameY = list.Bottom();
  const int label = painter.Caption(2, nameY, U"File name: ", 0, Look::Plain);
  const int fieldWidth = inner - label;
  const Look field = focus_ == Focus::Name ? Look::FieldFocused : Look::Field;
  painter.Fill(2 + label, nameY, fieldWidth, field);
  const int first = name_.FirstShown(fieldWidth);
  painter.Text(2 + label, nameY,
               std::u32string_view(name_.Text()).substr(static_cast<std::size_t>(first)), field,
               fieldWidth);

  const int typeY = nameY + 1;
  const int typeLabel = painter.Caption(2, typeY, U"Type: ", 0, Look::Plain);
  const std::u32string type =
      request_.filters.empty()
          ? U"All files"
          : FromUtf8(request_.filters[static_cast<std::size_t>(filter_)].description);
  const Look typeLook = focus_ == Focus::Type ? Look::FieldFocused : Look::Field;
  painter.Text(2 + typeLabel, typeY, type, typeLook, inner - typeLabel - 2, true);
  painter.Put(box_.width - 3, typeY, painter.DownArrow(), Look::Plain);

  const int buttonsY = typeY + 1;
  auto button = [&](int x, std::u32string_view caption, bool focused) {
    const Look look = focused ? Look::Focused : Look::Plain;
    painter.Put(x, buttonsY, focused ? U'<' : U'[', look);
    painter.Put(x + 1, buttonsY, U' ', look);
    painter.Text(x + 2, buttonsY, caption, look);
    painter.Put(x + 2 + static_cast<int>(caption.size()), buttonsY, U' ', look);
    painter.Put(x + 3 + static_cast<int>(caption.size()), buttonsY, focused ? U'>' : U']', look);
  };
  button(box_.width - 22, U"OK", focus_ == Focus::Ok);
  button(box_.width - 13, U"Cancel", focus_ == Focus::Cancel);
}

std::optional<CellPoint> FileChooserLayer::Cursor() const {
  const int nameY = 2 + listRows_ + 2;
  switch (focus_) {
    case Focus::Name: {
      const int label = 11;
      TextField shown = name_;
      const int fieldWidth = box_.width - 4 - label;
      const int first = shown.FirstShown(fieldWidth);
      const std::u32string_view before =
          std::u32string_view(name_.Text())
              .substr(static_cast<std::size_t>(first),
                      static_cast<std::size_t>(name_.Cursor() - first));
      return CellPoint{2 + label + std::min(CellWidth(before), fieldWidth - 1), nameY};
    }
    case Focus::List:
      return CellPoint{3, 3 + std::max(rows_.Current() - rows_.Top(), 0)};
    case Focus::Type:
      return CellPoint{8, nameY + 1};
    case Focus::Ok:
      return CellPoint{box_.width - 20, nameY + 2};
    case Focus::Cancel:
      return CellPoint{box_.width - 11, nameY + 2};
  }
  return std::nullopt;
}

std::string FileChooserLayer::Hints() const {
  // Named as the labels name them, as a page's status line names its field.
  switch (focus_) {
    case Focus::Name:
      return "File name: type a path, Tab complete  |  Enter take or open  Esc cancel";
    case Focus::List:
      return "Folder: Up Down move, Enter open or take  |  Tab next  Esc cancel";
    case Focus::Type:
      return "Type: Up Down type of file  |  Tab next  Esc cancel";
    case Focus::Ok:
      return "OK: take the file  |  Enter press  Tab next  Esc cancel";
    case Focus::Cancel:
      return "Cancel: take none  |  Enter press  Tab next  Esc cancel";
  }
  return {};
}

void FileChooserLayer::HandlePaste(std::u32string_view text) {
  if (focus_ != Focus::Name) return;
  std::u32string line;
  for (char32_t c : text)
    if (c != U'\n' && c != U'\r') line += c;
  name_.Insert(line);
}

void FileChooserLayer::HandleKey(const TerminalKey& key) {
  if (key.code == KeyCode::Escape) {
    done_ = true;
    return;
  }
  if (const char letter = key.AltLetter()) {
    if (letter == 'N') focus_ = Focus::Name;
    if (letter == 'T' && request_.filters.size() > 1) focus_ = Focus::Type;
    return;
  }
  if (key.code == KeyCode::BackTab) return MoveFocus(true);
  if (key.code == KeyCode::Tab) {
    if (focus_ == Focus::Name && !key.shift && !name_.Text().empty() && Complete()) return;
    return MoveFocus(key.shift);
  }
  switch (focus_) {
    case Focus::Name:
      if (key.code == KeyCode::Enter) return Accept();
      if (key.IsText()) return name_.Insert(std::u32string(1, key.ch));
      if (key.code == KeyCode::Char && !key.alt && key.ch < 0x20 && name_.ReadlineKey(key.ch, true))
        return;
      switch (key.code) {
        case KeyCode::Backspace:
          name_.Backspace();
          return;
        case KeyCode::Delete:
          name_.DeleteForward();
          return;
        case KeyCode::Left:
          return name_.Left();
        case KeyCode::Right:
          return name_.Right();
        case KeyCode::Home:
          return name_.Home();
        case KeyCode::End:
          return name_.End();
        case KeyCode::Down:
          focus_ = Focus::List;
          return;
        default:
          return;
      }
    case Focus::List: {
      if (key.code == KeyCode::Enter) {
        if (rows_.Current() < 0) return;
        const Entry entry = entries_[static_cast<std::size_t>(rows_.Current())];
        if (entry.folder) {
          Browse(Resolve(FromUtf8(entry.name)));
          name_.SetText({});
          return;
        }
        name_.SetText(FromUtf8(entry.name));
        return Accept();
      }
      const int before = rows_.Current();
      switch (key.code) {
        case KeyCode::Up:
          rows_.MoveBy(-1);
          break;
        case KeyCode::Down:
          rows_.MoveBy(1);
          break;
        case KeyCode::PageUp:
          rows_.PageUp();
          break;
        case KeyCode::PageDown:
          rows_.PageDown();
          break;
        case KeyCode::Home:
          rows_.Home();
          break;
        case KeyCode::End:
          rows_.EndRow();
          break;
        case KeyCode::Backspace:
          if (folder_ != "/") Browse(Resolve(U".."));
          return;
        default:
          if (key.IsText()) {
            for (int n = 1; n <= rows_.Count(); ++n) {
              const int row = (rows_.Current() + n) % rows_.Count();
              const std::string& name = entries_[static_cast<std::size_t>(row)].name;
              if (!name.empty() && std::tolower(static_cast<unsigned char>(name[0])) ==
                                       std::tolower(static_cast<int>(key.ch))) {
                rows_.MoveTo(row);
                break;
              }
            }
          }
          break;
      }
      if (rows_.Current() != before) ListChanged();
      return;
    }
    case Focus::Type:
      if (key.code == KeyCode::Up || key.code == KeyCode::Down) {
        const int count = static_cast<int>(request_.filters.size());
        if (count == 0) return;
        filter_ = (filter_ + (key.code == KeyCode::Down ? 1 : count - 1)) % count;
        ReadFolder();
      }
      if (key.code == KeyCode::Enter) Accept();
      return;
    case Focus::Ok:
      if (key.code == KeyCode::Enter || (key.IsText() && key.ch == U' ')) Accept();
      return;
    case Focus::Cancel:
      if (key.code == KeyCode::Enter || (key.IsText() && key.ch == U' ')) done_ = true;
      return;
  }
}
