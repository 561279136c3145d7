#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "ui/DialogTemplate.h"
#include "ui/backend/FileChooserRequest.h"
#include "ui/backend/MessageBoxRequest.h"
#include "ui/backend/PropertySheetListener.h"
#include "ui/backend/SheetPage.h"
#include "ui/backend/UiEventSink.h"
#include "ui/backend/UiWindow.h"
#include "ui/backend/WindowRole.h"

// The toolkit under the framework: builds windows from templates and runs the
// modal parts of the user interface. One backend is installed per process by the
// host (the tool or a test); the framework and the module never know which.
//
// A backend kept in a library of its own, loaded with dlopen, exports one function
// with C linkage named by kUiBackendFactorySymbol, of type UiBackendFactory, which
// hands over a new backend (null when the toolkit cannot start). The library must
// stay loaded while the backend lives.
class UiBackend {
 public:
  virtual ~UiBackend();

  // A window for the template; events from the user's actions on it go to `events`,
  // which outlives the window. `parent` (may be null) is the window it belongs to.
  virtual std::unique_ptr<UiWindow> CreateWindow(const DialogTemplate& dialog, WindowRole role,
                                                 UiWindow* parent, UiEventSink& events) = 0;

  // Runs a modal property sheet over page windows (one tab each, the first active)
  // with OK and Cancel. OK asks listener.OnSheetOk() and closes only when it
  // agrees; Cancel and closing the window always close. True when closed by OK.
  // `document`, when not empty, is the path of the file the sheet edits.
  virtual bool RunPropertySheet(std::string_view caption, std::string_view document,
                                std::span<const SheetPage> pages,
                                PropertySheetListener& listener) = 0;

  // While RunPropertySheet runs: shows page in place of the tab at index (the
  // listener is not asked) and makes it the active tab. The window of the page it
  // replaces may already be gone; the sheet keeps the tab meanwhile and tells the
  // listener nothing of it. The default refuses with std::logic_error.
  virtual void ReplaceSheetPage(int index, const SheetPage& page);

  // Called when the outermost window is about to close for good and its closing
  // does something that cannot be undone (a save): a backend that plays a user from
  // a list of actions refuses here when actions are left that would then have no
  // window. The default does nothing.
  virtual void BeforeLastWindowCloses(const char* closing) { (void)closing; }

  // A modal message box; returns the IDOK, IDCANCEL, IDYES or IDNO pressed.
  virtual int MessageBox(UiWindow* owner, const MessageBoxRequest& request) = 0;
  // A modal open- or save-file chooser; the full path chosen, or nothing when the
  // user cancelled.
  virtual std::optional<std::string> ChooseFile(UiWindow* owner,
                                                const FileChooserRequest& request) = 0;
  virtual void Beep(unsigned frequencyHz, unsigned durationMs) = 0;

  // Pictures of windows. The default refuses with std::runtime_error: a backend
  // without a screen has nothing to paint.
  virtual void RenderWindowToPng(UiWindow& window, const std::string& path);
  virtual void RenderSheetToPng(std::string_view caption, std::span<const SheetPage> pages,
                                int activePage, const std::string& path);

  // Installs the backend for the whole process and hands back the one it replaces.
  static std::unique_ptr<UiBackend> Install(std::unique_ptr<UiBackend> backend);
  static std::unique_ptr<UiBackend> Uninstall();
  // The installed backend, or null.
  static UiBackend* Installed();
  // The installed backend; throws std::runtime_error when there is none.
  static UiBackend& Current();
};

using UiBackendFactory = UiBackend* (*)();
inline constexpr const char* kUiBackendFactorySymbol = "HcdCreateUiBackend";
// Optional beside the factory: why its last call handed over null, in one line.
using UiBackendFailure = const char* (*)();
inline constexpr const char* kUiBackendFailureSymbol = "HcdUiBackendFailure";
