#pragma once

#include <string>

class UiWindow;

// One tab of a property sheet: a page window built with WindowRole::PropertyPage and
// the title shown on its tab.
struct SheetPage {
  UiWindow* window = nullptr;
  std::string title;
};
