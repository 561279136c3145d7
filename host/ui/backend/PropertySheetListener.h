#pragma once

// What a property sheet window asks of the framework while it runs.
class PropertySheetListener {
 public:
  // The user wants to leave the active page for another tab: false keeps it.
  virtual bool OnLeavePage(int pageIndex) = 0;
  // The page is now the active tab.
  virtual void OnPageActivated(int pageIndex) = 0;
  // OK: every page saves its controls. False when one refused: the sheet stays open
  // and shows the page ActivePageAfterRefusal() names.
  virtual bool OnSheetOk() = 0;
  virtual int ActivePageAfterRefusal() const = 0;

 protected:
  ~PropertySheetListener() = default;
};
