#include "ui/scripted/ScriptExecutor.h"

#include <string>
#include <type_traits>
#include <vector>

#include "ui/scripted/ScriptError.h"
#include "ui/scripted/UserActionError.h"

namespace {

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string Describe(const ScriptedControl& control) {
  return "control " + std::to_string(control.info.id) + " (" + ControlKindName(control.info.kind) +
         ")";
}

// The control an action on a control is for; null for the other actions.
const ControlRef* ControlOf(const UserAction& action) {
  return std::visit(
      [](const auto& a) -> const ControlRef* {
        if constexpr (requires { a.control; })
          return &a.control;
        else
          return nullptr;
      },
      action);
}

// The error of an action whose value is withheld, with every mention of the value
// replaced: an entry or a text is named in quotes, a date by its ISO form.
std::string Withheld(std::string what, const UserAction& action) {
  std::vector<std::string> shown;
  if (const auto* set = std::get_if<user::SetText>(&action)) shown.push_back(Quoted(set->text));
  if (const auto* select = std::get_if<user::Select>(&action))
    if (select->entry.by == EntryRef::By::Text) shown.push_back(Quoted(select->entry.text));
  if (const auto* pick = std::get_if<user::PickDate>(&action))
    shown.push_back(pick->date.IsoDate());
  for (const std::string& value : shown)
    for (std::size_t at = what.find(value); at != std::string::npos; at = what.find(value, at + 1))
      what.replace(at, value.size(), "the value given (not shown)");
  return what;
}

}  // namespace

void ScriptExecutor::Execute(const ScriptedBackend::Queued& queued, ScriptedBackend::Frame* frame) {
  if (queued.step) {
    queued.step();
    return;
  }
  line_ = queued.line;
  const std::size_t shownBefore = backend_.messages_.size();
  try {
    Run(queued.action, frame);
  } catch (const UserActionError& error) {
    throw ScriptError(queued.line,
                      queued.withheld ? Withheld(error.what(), queued.action) : error.what());
  }
  if (queued.trace != nullptr) {
    queued.trace->ran = true;
    queued.trace->messages.assign(
        backend_.messages_.begin() + static_cast<std::ptrdiff_t>(shownBefore),
        backend_.messages_.end());
  }
}

void ScriptExecutor::Fail(const std::string& what) const { throw ScriptError(line_, what); }

void ScriptExecutor::Run(const UserAction& action, ScriptedBackend::Frame* frame) {
  if (const auto* close = std::get_if<user::Close>(&action)) {
    CloseFrame(close->ok, frame);
  } else if (const auto* tab = std::get_if<user::SwitchTab>(&action)) {
    SwitchTab(*tab, frame);
  } else if (const auto* expected = std::get_if<user::ExpectMessage>(&action)) {
    ExpectMessage(*expected);
  } else if (std::holds_alternative<user::Answer>(action)) {
    Fail("no message box is open for 'answer'");
  } else if (const auto* file = std::get_if<user::ChooseFile>(&action)) {
    Fail(file->save ? "no save-file chooser is open for 'save-as'"
                    : "no file chooser is open for 'file'");
  } else if (const ControlRef* control = ControlOf(action)) {
    ScriptedWindow* window = frame ? frame->Target() : backend_.TargetWindow();
    if (!window) Fail(std::string("no window is open for '") + VerbOf(action) + "'");
    OnControl(action, *control, *window);
  }
}

void ScriptExecutor::CloseFrame(bool ok, ScriptedBackend::Frame* frame) {
  if (frame && !frame->dialog) {
    if (!ok) {
      frame->ended = true;
      frame->accepted = false;
    } else if (frame->listener->OnSheetOk()) {
      frame->ended = true;
      frame->accepted = true;
    } else {
      frame->activePage = frame->listener->ActivePageAfterRefusal();
    }
    return;
  }
  ScriptedWindow* window = frame ? frame->Target() : backend_.TargetWindow();
  if (!window) Fail(std::string("no window is open for '") + (ok ? "ok" : "cancel") + "'");
  window->UserCloseWith(ok ? IDOK : IDCANCEL);
}

void ScriptExecutor::SwitchTab(const user::SwitchTab& tab, ScriptedBackend::Frame* frame) {
  if (!frame || frame->dialog) Fail("'tab' needs an open property sheet");
  int page = -1;
  for (std::size_t i = 0; i < frame->pages.size(); ++i) {
    const bool named = tab.index ? *tab.index == static_cast<int>(i)
                                 : frame->pages[i]->Template().title == tab.title;
    if (named) page = static_cast<int>(i);
  }
  if (page < 0)
    Fail("the sheet has no page " + Quoted(tab.index ? std::to_string(*tab.index) : tab.title));
  if (page == frame->activePage) return;
  if (!frame->listener->OnLeavePage(frame->activePage)) return;
  frame->activePage = page;
  frame->listener->OnPageActivated(page);
}

void ScriptExecutor::ExpectMessage(const user::ExpectMessage& expected) {
  const auto& messages = backend_.messages_;
  std::string shown;
  for (std::size_t i = backend_.messagesChecked_; i < messages.size(); ++i) {
    if (messages[i].request.text == expected.text) {
      backend_.messagesChecked_ = i + 1;
      return;
    }
    shown += (shown.empty() ? "" : ", ") + Quoted(messages[i].request.text);
  }
  Fail("no message box " + Quoted(expected.text) + " was shown (" +
       (shown.empty() ? "none was" : "shown: " + shown) + ")");
}

int ScriptExecutor::ResolveControl(const ControlRef& control, const ScriptedWindow& window) const {
  const std::string where = " in " + Quoted(window.Template().title);
  switch (control.by) {
    case ControlRef::By::Above:
      if (auto id = window.FindAbove(control.caption)) return *id;
      Fail("no control above " + Quoted(control.caption) + where);
    case ControlRef::By::Caption:
      if (auto id = window.FindByCaption(control.caption)) return *id;
      Fail("no control " + Quoted(control.caption) + where);
    case ControlRef::By::Id:
      break;
  }
  if (!window.HasControl(control.id)) Fail("no control " + std::to_string(control.id) + where);
  return control.id;
}

int ScriptExecutor::ResolveItem(const EntryRef& entry, const ScriptedWindow& window, int id) const {
  switch (entry.by) {
    case EntryRef::By::None:
      return -1;
    case EntryRef::By::Index:
      return entry.index;
    case EntryRef::By::Text:
      break;
  }
  const std::vector<std::string> items = window.Items(id);
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i] == entry.text) return static_cast<int>(i);
  }
  throw UserActionError(Describe(window.Control(id)) + " has no entry " + Quoted(entry.text));
}

int ScriptExecutor::ResolveRow(const RowRef& row, const ScriptedWindow& window, int id) const {
  if (row.index) return *row.index;
  for (int found = window.FindRowByPrefix(id, row.key, -1); found >= 0;
       found = window.FindRowByPrefix(id, row.key, found)) {
    if (window.CellText(id, found, 0) == row.key) return found;
  }
  throw UserActionError(Describe(window.Control(id)) + " has no row " + Quoted(row.key));
}

void ScriptExecutor::OnControl(const UserAction& action, const ControlRef& ref,
                               ScriptedWindow& window) {
  const int id = ResolveControl(ref, window);
  const ScriptedControl& control = window.Control(id);
  const ControlKind kind = control.info.kind;
  auto noSuchAction = [&] {
    return UserActionError(Describe(control) + " has no action '" + VerbOf(action) + "'");
  };
  std::visit(
      [&](const auto& a) {
        using A = std::decay_t<decltype(a)>;
        if constexpr (std::is_same_v<A, user::SetText>) {
          window.UserSetText(id, a.text);
        } else if constexpr (std::is_same_v<A, user::Click>) {
          window.UserClick(id);
        } else if constexpr (std::is_same_v<A, user::Check>) {
          if (kind == ControlKind::RadioButton && !a.on) {
            throw UserActionError(Describe(control) +
                                  " is cleared by choosing another button of its group");
          }
          if (kind != ControlKind::CheckBox && kind != ControlKind::RadioButton)
            throw noSuchAction();
          if ((control.check == BST_CHECKED) != a.on) window.UserClick(id);
        } else if constexpr (std::is_same_v<A, user::Select>) {
          if (kind != ControlKind::ListBox && kind != ControlKind::ComboBox) throw noSuchAction();
          window.UserSelectItem(id, ResolveItem(a.entry, window, id));
        } else if constexpr (std::is_same_v<A, user::SelectRows>) {
          if (kind != ControlKind::ListView) throw noSuchAction();
          std::vector<int> rows;
          for (const RowRef& row : a.rows) rows.push_back(ResolveRow(row, window, id));
          window.UserSelectRows(id, rows);
        } else if constexpr (std::is_same_v<A, user::PickDate>) {
          window.UserPickDate(id, a.date);
        } else if constexpr (std::is_same_v<A, user::PickYear>) {
          window.UserPickYear(id, a.year);
        } else if constexpr (std::is_same_v<A, user::Print>) {
          if (a.added && kind != ControlKind::ListView) throw noSuchAction();
          Print(a, window, id);
        }
      },
      action);
}

void ScriptExecutor::Print(const user::Print& print, const ScriptedWindow& window, int id) const {
  const ScriptedControl& control = window.Control(id);
  std::string text;
  auto line = [&text](const std::string& part) { text += part + "\n"; };
  auto joined = [](const ListViewRow& row) {
    std::string cells;
    for (std::size_t i = 0; i < row.size(); ++i) cells += (i ? " " : "") + row[i];
    return cells;
  };
  switch (control.info.kind) {
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      line(control.check == BST_CHECKED ? "checked" : "unchecked");
      break;
    case ControlKind::ListBox:
    case ControlKind::ComboBox: {
      const std::vector<std::string> items = window.Items(id);
      for (std::size_t i = 0; i < items.size(); ++i) {
        line((static_cast<int>(i) == control.items.Selection() ? "* " : "  ") + items[i]);
      }
      break;
    }
    case ControlKind::ListView: {
      const auto rows = print.added ? window.RowsInInsertionOrder(id) : window.Rows(id);
      for (const ListViewRow& row : rows) line(joined(row));
      break;
    }
    case ControlKind::DateTimePicker:
      line(control.date.IsoDate());
      break;
    default:
      // A password box shows dots on the screen; its text stays out of the output too.
      line(control.info.Has(ControlStyle::Password) ? std::string("(hidden)") : control.text);
      break;
  }
  backend_.Print(text);
}
