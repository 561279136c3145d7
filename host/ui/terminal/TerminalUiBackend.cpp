#include "ui/terminal/TerminalUiBackend.h"

#include <stdexcept>

#include "ui/terminal/FileChooserLayer.h"
#include "ui/terminal/MessageBoxLayer.h"
#include "ui/terminal/SheetLayer.h"
#include "ui/terminal/TerminalScreen.h"
#include "ui/terminal/TerminalWindow.h"

std::unique_ptr<TerminalUiBackend> TerminalUiBackend::Create(std::string* problem) {
  if (std::optional<std::string> why = TerminalScreen::Problem()) {
    if (problem != nullptr) *problem = *why;
    return nullptr;
  }
  if (problem != nullptr) problem->clear();
  return std::unique_ptr<TerminalUiBackend>(new TerminalUiBackend());
}

TerminalUiBackend::~TerminalUiBackend() = default;

std::unique_ptr<UiWindow> TerminalUiBackend::CreateWindow(const DialogTemplate& dialog,
                                                          WindowRole role, UiWindow*,
                                                          UiEventSink& events) {
  return std::make_unique<TerminalWindow>(dialog, role, events, app_);
}

bool TerminalUiBackend::RunPropertySheet(std::string_view caption, std::string_view document,
                                         std::span<const SheetPage> pages,
                                         PropertySheetListener& listener) {
  SheetLayer sheet(app_, caption, document, pages, listener);
  sheets_.push_back(&sheet);
  app_.PushDocument(std::string(document));
  struct Pop {
    TerminalUiBackend* backend;
    ~Pop() {
      backend->sheets_.pop_back();
      backend->app_.PopDocument();
    }
  } pop{this};
  app_.Run(sheet);
  return sheet.Accepted();
}

void TerminalUiBackend::ReplaceSheetPage(int index, const SheetPage& page) {
  if (sheets_.empty()) throw std::logic_error("no property sheet is running");
  sheets_.back()->ReplacePage(index, page);
}

int TerminalUiBackend::MessageBox(UiWindow*, const MessageBoxRequest& request) {
  MessageBoxLayer box(request);
  app_.Run(box);
  return box.Answer();
}

std::optional<std::string> TerminalUiBackend::ChooseFile(UiWindow*,
                                                         const FileChooserRequest& request) {
  FileChooserLayer chooser(app_, request);
  app_.Run(chooser);
  return chooser.Chosen();
}

// A page beeps when it refuses what was asked (OK with nothing chosen): a terminal
// may sound no bell, so the status line says it and where to act.
void TerminalUiBackend::Beep(unsigned, unsigned) { app_.Refuse(); }
