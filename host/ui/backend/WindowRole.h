#pragma once

// How a window built from a template is used.
enum class WindowRole {
  ModalDialog,   // a top-level dialog run by UiWindow::RunModal
  Modeless,      // a top-level dialog that is only shown (or rendered), never run
  PropertyPage,  // the content of one tab of a property sheet
};
