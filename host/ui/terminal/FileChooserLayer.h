#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ui/backend/FileChooserRequest.h"
#include "ui/terminal/ListWindow.h"
#include "ui/terminal/TerminalLayer.h"
#include "ui/terminal/TextField.h"

class TerminalApplication;

// The open and save file chooser of the terminal: a path field, where Tab completes
// a name as a shell does, over the list of the folder it shows (folders first,
// then the files of the chosen type). A path typed in full is taken as it is,
// relative to the folder shown, "~" as the home folder. Enter on a folder opens
// it, on a file takes it; a save over a file that is there asks first, and a name
// without an extension gets the default one.
class FileChooserLayer final : public TerminalLayer {
 public:
  FileChooserLayer(TerminalApplication& app, const FileChooserRequest& request);

  // The full path chosen, once done; nothing when the user cancelled.
  const std::optional<std::string>& Chosen() const { return chosen_; }

  CellRect Place(int rows, int columns) override;
  void Draw(const Painter& painter) override;
  std::optional<CellPoint> Cursor() const override;
  std::string Hints() const override;
  void HandleKey(const TerminalKey& key) override;
  void HandlePaste(std::u32string_view text) override;
  bool Done() const override { return done_; }

 private:
  enum class Focus { Name, List, Type, Ok, Cancel };
  struct Entry {
    std::string name;
    bool folder;
  };

  void Browse(const std::string& folder);
  void ReadFolder();
  bool Matches(const std::string& name) const;
  // The path the name field (or `typed`) stands for, absolute.
  std::string Resolve(const std::u32string& typed) const;
  // Tab in the name field: true when the name grew.
  bool Complete();
  void Accept();
  void Take(const std::string& path);
  void ListChanged();
  void MoveFocus(bool backwards);

  TerminalApplication& app_;
  FileChooserRequest request_;
  std::string folder_;
  std::vector<Entry> entries_;
  std::string readError_;
  int filter_ = 0;
  TextField name_;
  ListWindow rows_;
  Focus focus_ = Focus::Name;
  CellRect box_;
  int listRows_ = 3;
  std::optional<std::string> chosen_;
  bool done_ = false;
};
