#pragma once

#include <QDialog>
#include <QPointer>
#include <QTabWidget>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/PropertySheetListener.h"
#include "ui/SheetPage.h"
#include "ui/qt/DeferredError.h"

// A property sheet dialog: the page windows' widgets as tabs, with OK and Cancel
// below them. The page widgets are only lent to it: it hands them back when it goes.
class QtPropertySheet {
 public:
  // Every page must be a window of the Qt backend. `listener` may be null for a
  // sheet that is only painted; what it throws goes to `errors`.
  QtPropertySheet(std::string_view caption, std::span<const SheetPage> pages,
                  PropertySheetListener* listener, DeferredError& errors);
  ~QtPropertySheet();
  QtPropertySheet(const QtPropertySheet&) = delete;
  QtPropertySheet& operator=(const QtPropertySheet&) = delete;

  // Runs the sheet; true when it closed with OK. Rethrows what the listener threw.
  bool Run();
  // Shows page in place of the tab at index, and makes it the active tab; the page
  // it replaces is handed back, if its widget is still there.
  void ReplacePage(int index, const SheetPage& page);
  // Shows the page without asking the listener.
  void ShowPage(int index);
  QDialog& Dialog() { return dialog_; }

 private:
  void OnTabChanged(int index);
  void OnOk();
  // Runs a call of the listener; an exception from it ends the sheet.
  template <class Call>
  void Ask(Call call);

  QDialog dialog_;
  QTabWidget* tabs_;
  std::vector<QPointer<QWidget>> pages_;
  PropertySheetListener* listener_;
  DeferredError& errors_;
  int activePage_ = 0;
  // Tab changes made by the sheet itself, which the listener is not asked about.
  bool switching_ = false;
};
