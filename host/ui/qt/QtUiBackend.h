#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "ui/backend/UiBackend.h"
#include "ui/qt/DeferredError.h"
#include "ui/qt/WindowSystemWatch.h"

class QtPropertySheet;
class SharedApplication;

// The backend on Qt Widgets: real windows from the templates, real modal loops,
// Qt's message boxes and file dialogs, pictures taken with QWidget::grab. Windows
// must go before the backend that made them. Everything runs on the thread that
// created the backend.
//
// A file chooser opens in the folder the user last chose a file in (kept in the
// tool's QSettings), else in the folder of the file the running sheet edits.
class QtUiBackend final : public UiBackend {
 public:
  // A backend on the process's QApplication, made when there is none. Null when Qt
  // cannot start (QtPlatformProblem), or a Qt application without widgets already
  // runs; `problem`, when given, then says why in one line.
  static std::unique_ptr<QtUiBackend> Create(std::string* problem = nullptr);
  ~QtUiBackend() override;

  std::unique_ptr<UiWindow> CreateWindow(const DialogTemplate& dialog, WindowRole role,
                                         UiWindow* parent, UiEventSink& events) override;
  bool RunPropertySheet(std::string_view caption, std::string_view document,
                        std::span<const SheetPage> pages, PropertySheetListener& listener) override;
  void ReplaceSheetPage(int index, const SheetPage& page) override;
  int MessageBox(UiWindow* owner, const MessageBoxRequest& request) override;
  std::optional<std::string> ChooseFile(UiWindow* owner,
                                        const FileChooserRequest& request) override;
  void Beep(unsigned frequencyHz, unsigned durationMs) override;
  void RenderWindowToPng(UiWindow& window, const std::string& path) override;
  void RenderSheetToPng(std::string_view caption, std::span<const SheetPage> pages, int activePage,
                        const std::string& path) override;

 private:
  explicit QtUiBackend(std::shared_ptr<SharedApplication> application);
  // Where a file chooser opens; empty for Qt's own choice.
  QString StartFolder() const;
  void RememberFolder(const QString& folder);

  std::shared_ptr<SharedApplication> application_;
  WindowSystemWatch watch_;
  DeferredError errors_;
  // The sheets running, the innermost last.
  std::vector<QtPropertySheet*> sheets_;
};
