#include "tool/ui/ToolUi.h"

#include <iostream>

#include "files/InputFile.h"
#include "text/TextEscape.h"
#include "tool/ToolArgs.h"
#include "tool/ui/QtBackendLoader.h"
#include "ui/backend/ScopedUiBackend.h"
#include "ui/scripted/ScriptError.h"
#include "ui/scripted/ScriptedBackend.h"

std::unique_ptr<ScopedUiBackend> InstallUi(const std::string& scriptPath) {
  if (scriptPath.empty()) return std::make_unique<ScopedUiBackend>(LoadQtBackend());

  const std::string script = ReadInputFile(scriptPath);
  auto backend = std::make_unique<ScriptedBackend>();
  backend->SetMessageStream(&std::cerr);
  backend->SetOutputStream(&std::cout);
  try {
    backend->Load(script);
  } catch (const ScriptError& e) {
    throw std::runtime_error(ShownToken(scriptPath, TextBytes::Utf8) + ": " + e.what());
  }
  return std::make_unique<ScopedUiBackend>(std::move(backend));
}
