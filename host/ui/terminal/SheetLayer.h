#pragma once

#include <span>
#include <string>
#include <vector>

#include "ui/backend/PropertySheetListener.h"
#include "ui/backend/SheetPage.h"
#include "ui/model/ChangeTracker.h"
#include "ui/terminal/ScrolledView.h"
#include "ui/terminal/TerminalLayer.h"

class TerminalApplication;

// A property sheet: the pages as tabs, the active one scrolled in the middle, OK and
// Cancel below. The focus goes round the page's controls, then OK, then Cancel;
// Enter is OK (or the push button with the focus), Escape is Cancel (after "Discard
// changes?" when something changed), Alt+O and Alt+C the sheet's buttons, Ctrl+PgUp
// and Ctrl+PgDn the tabs. OK closes only when the listener agrees; a refused save
// leaves the sheet open on the page and the control the framework put the focus on.
// A "*" before the title says that something changed, as editors mark a document.
class SheetLayer final : public TerminalLayer {
 public:
  SheetLayer(TerminalApplication& app, std::string_view caption, std::string_view document,
             std::span<const SheetPage> pages, PropertySheetListener& listener);

  bool Accepted() const { return accepted_; }
  void ReplacePage(int index, const SheetPage& page);

  CellRect Place(int rows, int columns) override;
  void Draw(const Painter& painter) override;
  std::optional<CellPoint> Cursor() const override;
  std::string Hints() const override;
  void HandleKey(const TerminalKey& key) override;
  void HandlePaste(std::u32string_view text) override;
  bool Done() const override { return done_; }
  void Forget(const TerminalWindow& window) override;
  void WindowFocused(const TerminalWindow& window) override;
  void MarkChanged() override { marked_ = true; }

 private:
  enum class Focus { Page, Ok, Cancel };
  struct Tab {
    TerminalWindow* window;
    std::u32string title;
    int focusedId = 0;
    // Kept across a page reopened after a refused save: its first values count.
    ChangeTracker changes;
  };

  TerminalWindow* Active() const;
  void Ok();
  void Cancel();
  // Escape: Cancel, once the user agrees to lose what changed.
  void CancelAsking();
  bool Changed() const;
  void SwitchTab(int delta);
  void ShowPage(int index);
  void FocusPageStart(bool last);
  void Tabbing(bool backwards);
  CellRect OkCells() const;
  CellRect CancelCells() const;

  TerminalApplication& app_;
  PropertySheetListener& listener_;
  std::string caption_;
  std::string document_;
  std::u32string title_;
  std::vector<Tab> tabs_;
  int active_ = 0;
  Focus focus_ = Focus::Page;
  ScrolledView view_;
  CellRect viewport_;
  CellRect frame_;
  bool done_ = false;
  bool accepted_ = false;
  bool marked_ = false;
};
