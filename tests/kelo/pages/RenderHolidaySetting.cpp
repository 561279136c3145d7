// Writes the documentation's picture of the holiday setting dialog:
//   hcd_render_holiday_setting OUTPUT.png
#include <cstdio>
#include <exception>

#include "kelo/pages/HolidaySettingTemplate.h"
#include "tests/kelo/pages/HolidaySettingPicture.h"
#include "ui/TemplateRegistry.h"
#include "ui/backend/ScopedUiBackend.h"
#include "ui/qt/QtUiBackend.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
    return 2;
  }
  try {
    std::unique_ptr<QtUiBackend> backend = QtUiBackend::Create();
    if (!backend) {
      std::fprintf(stderr, "Qt cannot start: set QT_QPA_PLATFORM=offscreen\n");
      return 1;
    }
    ScopedUiBackend installed(std::move(backend));
    static const int owner = 0;
    TemplateRegistry::Instance().Register(&owner, {kelo::HolidaySettingTemplate()});
    RenderHolidaySettingPicture(argv[1]);
    TemplateRegistry::Instance().Withdraw(&owner);
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}
