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
  return std::make_unique<TerminalWindow>(dialog, role, events, session_);
}

bool TerminalUiBackend::RunPropertySheet(std::string_view caption, std::string_view document,
                                         std::span<const SheetPage> pages,
                                         PropertySheetListener& listener) {
  SheetLayer sheet(session_, caption, document, pages, listener);
  sheets_.push_back(&sheet);
  session_.PushDocument(std::string(document));
  struct Pop {
    TerminalUiBackend* backend;
    ~Pop() {
      backend->sheets_.pop_back();
      backend->session_.PopDocument();
    }
  } pop{this};
  session_.Run(sheet);
  return sheet.Accepted();
}

void TerminalUiBackend::ReplaceSheetPage(int index, const SheetPage& page) {
  if (sheets_.empty()) throw std::logic_error("no property sheet is running");
  sheets_.back()->ReplacePage(index, page);
}

int TerminalUiBackend::MessageBox(UiWindow*, const MessageBoxRequest& request) {
  MessageBoxLayer box(request);
  session_.Run(box);
  return box.Answer();
}

std::optional<std::string> TerminalUiBackend::ChooseFile(UiWindow*,
                                                         const FileChooserRequest& request) {
  FileChooserLayer chooser(session_, request);
  session_.Run(chooser);
  return chooser.Chosen();
}

void TerminalUiBackend::Beep(unsigned, unsigned) { session_.Beep(); }
