#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "files/AtomicSave.h"
#include "files/EditedFile.h"
#include "files/InputFile.h"
#include "props/CHandlerPrivateProps.h"
#include "text/TextEscape.h"
#include "tool/Commands.h"
#include "tool/ToolArgs.h"
#include "tool/ToolError.h"
#include "tool/module/ConfigurationFile.h"
#include "tool/module/Module.h"
#include "tool/module/ModuleSheet.h"
#include "tool/ui/UiBackendLoader.h"
#include "ui/backend/ScopedUiBackend.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kTourMark = ".hcdtool-tour";

// The examples installed beside the tool, else those of the source tree it was
// built from.
fs::path ExamplesFolder() {
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    const fs::path installed = (self.parent_path() / HCD_INSTALLED_EXAMPLES).lexically_normal();
    if (fs::is_directory(installed, ec)) return installed;
  }
  return HCD_SOURCE_EXAMPLES;
}

// The tour writes only into a folder of its own: a new or empty one, which it marks,
// or one it marked before. A folder that holds anything else (a handler folder, say)
// is refused before a byte is written, since the tour's files would replace the
// user's.
void TakeOutFolder(const fs::path& folder, const std::string& shown) {
  const fs::path mark = folder / kTourMark;
  std::error_code ec;
  if (!fs::exists(folder, ec) && !ec) {
    fs::create_directories(folder);
  } else if (!fs::is_directory(folder, ec)) {
    throw std::runtime_error(ShownPath(shown) + ": not a folder");
  } else if (!fs::exists(mark, ec)) {
    if (!fs::is_empty(folder, ec) || ec)
      throw std::runtime_error(
          ShownPath(shown) +
          ": the folder holds files the tour did not write; give --out a new or empty folder");
  } else {
    return;
  }
  SaveFileAtomically(mark.string(),
                     "This folder holds the pages and the edited copy written by hcdtool tour;\n"
                     "the tour writes over them when it runs again.\n");
}

void Section(const std::string& title) { std::cout << "\n== " << title << '\n'; }

// Renders one page of the module in a property sheet to a PNG.
void RenderPage(Module& module, ConfigKind kind, const fs::path& config, const fs::path& png) {
  CHandlerPrivateProps bag = ReadConfiguration(config.string(), EmptyIs::Refused);
  ModuleSheet(module, kind, bag).Sheet().RenderToPng(png.string());
  std::cout << "rendered " << ShownPath(png.string()) << '\n';
}

}  // namespace

int RunTour(Module& module, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  std::string out = TakeOption(args, "--out");
  ExpectPositional(args, 0, "no further arguments");
  if (out.empty()) out = "hcdtool-tour";
  const fs::path examples = ExamplesFolder();
  const fs::path outDir = fs::absolute(out);
  TakeOutFolder(outDir, out);
  auto e = [&](const char* name) { return (examples / name).string(); };

  Section("identity");
  RunInfo(module, {});

  Section("pages rendered from the Qt widgets");
  // The tour runs without a screen; the offscreen platform draws the same widgets.
  if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr)
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  {
    ScopedUiBackend qt(LoadUiBackend(UiLibrary::Qt));
    RenderPage(module, ConfigKind::Handler, e("handler.xml"), outDir / "handler-page.png");
    RenderPage(module, ConfigKind::Static, e("static.xml"), outDir / "static-page.png");
    RenderPage(module, ConfigKind::Dynamic, e("dynamic.xml"), outDir / "dynamic-page.png");
  }

  Section("a scripted edit of the handler configuration");
  const fs::path edited = outDir / "handler.xml";
  {
    // Held as an edit holds it: a copy an edit has open is not written over.
    EditedFile copy(edited.string());
    copy.Save(ReadInputFile(e("handler.xml")));
  }
  std::cout << "summary before:\n";
  RunSummary(module, {"--handler", edited.string()});
  std::cout << "edit with " << ShownPath(e("scripts/handler-edit.script")) << ":\n";
  const int editResult =
      RunEdit(module, {"--handler", edited.string(), "--script", e("scripts/handler-edit.script")});
  std::cout << (editResult == kExitOk ? "saved " + ShownPath(edited.string())
                                      : std::string("not saved"))
            << '\n';
  std::cout << "summary after:\n";
  RunSummary(module, {"--handler", edited.string()});
  std::cout << "change action:\n";
  RunCheckChange(module, {"--handler", e("handler.xml"), edited.string()});

  Section("a persisted record block");
  RunDescribePersist(module, {"--version", "1", e("persist/record-v1.bin")});
  return kExitOk;
}
