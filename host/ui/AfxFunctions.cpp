#include "ui/AfxFunctions.h"

#include "ui/backend/MessageBoxRequest.h"
#include "ui/backend/UiBackend.h"

namespace {

std::string& AppName() {
  static std::string name = "hcdtool";
  return name;
}

}  // namespace

int AfxMessageBox(std::string_view text, unsigned type) {
  if ((type & MB_ICONMASK) == 0) {
    const unsigned buttons = type & MB_TYPEMASK;
    type |= buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? MB_ICONQUESTION : MB_ICONWARNING;
  }
  return UiBackend::Current().MessageBox(nullptr,
                                         MessageBoxRequest{std::string(text), AppName(), type});
}

const std::string& AfxGetAppName() { return AppName(); }

void AfxSetAppName(std::string name) { AppName() = std::move(name); }

bool Beep(unsigned frequencyHz, unsigned durationMs) {
  UiBackend::Current().Beep(frequencyHz, durationMs);
  return true;
}
