#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/backend/UiBackend.h"
#include "ui/terminal/TerminalApplication.h"

class SheetLayer;

// The backend on a terminal: the same windows, built from the same templates, drawn
// with curses on standard input and output (see TerminalWindow for the keys).
// Windows must go before the backend that made them.
class TerminalUiBackend final : public UiBackend {
 public:
  // A backend on this process's terminal; null when standard input and output are
  // no terminal that can show the pages (TerminalScreen::Problem), and `problem`
  // then says why in one line.
  static std::unique_ptr<TerminalUiBackend> Create(std::string* problem = nullptr);
  ~TerminalUiBackend() override;

  std::unique_ptr<UiWindow> CreateWindow(const DialogTemplate& dialog, WindowRole role,
                                         UiWindow* parent, UiEventSink& events) override;
  bool RunPropertySheet(std::string_view caption, std::string_view document,
                        std::span<const SheetPage> pages, PropertySheetListener& listener) override;
  void ReplaceSheetPage(int index, const SheetPage& page) override;
  int MessageBox(UiWindow* owner, const MessageBoxRequest& request) override;
  std::optional<std::string> ChooseFile(UiWindow* owner,
                                        const FileChooserRequest& request) override;
  void Beep(unsigned frequencyHz, unsigned durationMs) override;

  TerminalApplication& App() { return app_; }

 private:
  TerminalUiBackend() = default;

  TerminalApplication app_;
  // The sheets running, the innermost last.
  std::vector<SheetLayer*> sheets_;
};
