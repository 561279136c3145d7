#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "props/CHandlerPrivateProps.h"
#include "text/TextEscape.h"
#include "tool/Commands.h"
#include "tool/Module.h"
#include "tool/ModuleSheet.h"
#include "tool/ToolArgs.h"
#include "tool/ToolError.h"
#include "tool/UiBackendLoader.h"
#include "ui/backend/ScopedUiBackend.h"

namespace fs = std::filesystem;

namespace {

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

void Section(const std::string& title) { std::cout << "\n== " << title << '\n'; }

// Renders one page of the module in a property sheet to a PNG.
void RenderPage(Module& module, ConfigKind kind, const fs::path& config, const fs::path& png) {
  CHandlerPrivateProps bag;
  LoadConfiguration(config.string(), bag);
  ModuleSheet(module, kind, bag).Sheet().RenderToPng(png.string());
  std::cout << "rendered " << ShownToken(png.string(), TextBytes::Utf8) << '\n';
}

}  // namespace

int RunTour(Module& module, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  std::string out = TakeOption(args, "--out");
  ExpectPositional(args, 0, "no further arguments");
  if (out.empty()) out = "hcdtool-tour";
  const fs::path examples = ExamplesFolder();
  const fs::path outDir = fs::absolute(out);
  fs::create_directories(outDir);
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
  fs::copy_file(e("handler.xml"), edited, fs::copy_options::overwrite_existing);
  fs::permissions(edited, fs::perms::owner_write, fs::perm_options::add);
  std::cout << "summary before:\n";
  RunSummary(module, {"--handler", edited.string()});
  std::cout << "edit with " << ShownToken(e("scripts/handler-edit.script"), TextBytes::Utf8)
            << ":\n";
  const int editResult =
      RunEdit(module, {"--handler", edited.string(), "--script", e("scripts/handler-edit.script")});
  std::cout << (editResult == kExitOk ? "saved " + ShownToken(edited.string(), TextBytes::Utf8)
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
