#pragma once

#include <optional>
#include <string>

#include "tool/module/ConfigKind.h"

class CPrivateProperty;
class Module;

// What a page said when OK was pressed on it and it refused.
struct PageRefusal {
  std::string message;  // the page's own text (ISO-8859-1)
  // The control the page gave the focus to, as the user sees it: its id and the caption
  // that names it (its own, or the label in front of it), marks and colon included.
  std::optional<int> controlId;
  std::string controlCaption;
};

// Presses OK on the page of the kind for bag, without a window and as a user would;
// the page goes back unaccepted, so bag is left as it is. Nothing when the page
// accepts. What stops the page is thrown as it comes.
std::optional<PageRefusal> PressOk(Module& module, ConfigKind kind, CPrivateProperty& bag);
