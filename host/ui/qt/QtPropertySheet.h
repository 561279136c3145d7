#pragma once

#include <QDialog>
#include <QMetaObject>
#include <QPointer>
#include <QTabWidget>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/backend/PropertySheetListener.h"
#include "ui/backend/SheetPage.h"
#include "ui/qt/DeferredError.h"

class FittingScrollArea;
class QtUiWindow;

// A property sheet dialog: the page windows' widgets as tabs, with OK and Cancel
// below them. The page widgets are only lent to it: it hands them back when it goes.
//
// Each tab is a scroll area that holds its page, so the sheet fits any screen and
// may be resized, and so that a page can be replaced while it is shown: its tab
// stays while the page in it changes, and the tab widget never has a moment without
// a current tab to report.
class QtPropertySheet {
 public:
  // Every page must be a window of the Qt backend. `listener` may be null for a
  // sheet that is only painted; what it throws goes to `errors`. The title names
  // `document`, when given, before the caption.
  QtPropertySheet(std::string_view caption, std::string_view document,
                  std::span<const SheetPage> pages, PropertySheetListener* listener,
                  DeferredError& errors);
  ~QtPropertySheet();
  QtPropertySheet(const QtPropertySheet&) = delete;
  QtPropertySheet& operator=(const QtPropertySheet&) = delete;

  // Runs the sheet, the focus on the active page's first field; true when it
  // closed with OK. Rethrows what the listener threw.
  bool Run();
  // Shows page in place of the one in the tab at index, and makes it the active
  // tab; the page it replaces is handed back, if its widget is still there. The
  // control of the same id as the one that had the focus in the old page gets it.
  void ReplacePage(int index, const SheetPage& page);
  // Shows the page without asking the listener.
  void ShowPage(int index);
  QDialog& Dialog() { return dialog_; }
  // The page widget shown in the tab at index, or null.
  QWidget* PageWidget(int index) const;
  // The path of the file the sheet edits, or empty.
  const std::string& Document() const { return document_; }
  // Sizes the dialog to its content, as a picture shows it.
  void FitToContent();

 private:
  struct Tab {
    FittingScrollArea* holder;
    QPointer<QWidget> page;
    // The control of the page that last had the focus, by id; 0 for none.
    int focusedId = 0;
  };

  void Lend(Tab& tab, QtUiWindow& window);
  static void FocusFirstOf(const SheetPage& page);
  static void HandBack(Tab& tab);
  void OnTabChanged(int index);
  void OnFocusChanged(QWidget* now);
  void OnOk();
  // Runs a call of the listener; an exception from it ends the sheet.
  template <class Call>
  void Ask(Call call);

  QDialog dialog_;
  QTabWidget* tabs_;
  std::vector<Tab> pages_;
  std::string document_;
  PropertySheetListener* listener_;
  DeferredError& errors_;
  int activePage_ = 0;
  // Tab changes made by the sheet itself, which the listener is not asked about.
  bool switching_ = false;
  QMetaObject::Connection focusWatch_;
};
