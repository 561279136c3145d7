#include "ui/scripted/ScriptExecutor.h"

#include <string>
#include <vector>

#include "ui/scripted/ScriptError.h"
#include "ui/scripted/UserActionError.h"

namespace {

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string Describe(const ScriptedControl& control) {
  return "control " + std::to_string(control.info.id) + " (" + ControlKindName(control.info.kind) +
         ")";
}

}  // namespace

void ScriptExecutor::Execute(const ScriptAction& action, ScriptedBackend::Frame* frame) {
  if (action.step) {
    action.step();
    return;
  }
  const std::string& verb = action.verb;
  try {
    if (verb == "ok" || verb == "cancel") {
      CloseFrame(action, frame);
    } else if (verb == "tab") {
      SwitchTab(action, frame);
    } else if (verb == "expect-message") {
      ExpectMessage(action);
    } else if (verb == "answer") {
      throw ScriptError(action.line, "no message box is open for 'answer'");
    } else if (verb == "file") {
      throw ScriptError(action.line, "no file chooser is open for 'file'");
    } else if (verb == "save-as") {
      throw ScriptError(action.line, "no save-file chooser is open for 'save-as'");
    } else {
      ScriptedWindow* window = frame ? frame->Target() : backend_.TargetWindow();
      if (!window) throw ScriptError(action.line, "no window is open for '" + verb + "'");
      OnControl(action, *window);
    }
  } catch (const UserActionError& error) {
    throw ScriptError(action.line, error.what());
  }
}

void ScriptExecutor::CloseFrame(const ScriptAction& action, ScriptedBackend::Frame* frame) {
  const bool ok = action.verb == "ok";
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
  if (!window) throw ScriptError(action.line, "no window is open for '" + action.verb + "'");
  window->UserCloseWith(ok ? IDOK : IDCANCEL);
}

void ScriptExecutor::SwitchTab(const ScriptAction& action, ScriptedBackend::Frame* frame) {
  if (!frame || frame->dialog) {
    throw ScriptError(action.line, "'tab' needs an open property sheet");
  }
  const ScriptToken& which = action.args[0];
  int page = -1;
  for (std::size_t i = 0; i < frame->pages.size(); ++i) {
    const bool named = which.quoted ? frame->pages[i]->Template().title == which.text
                                    : which.IsNumber() && which.Number() == static_cast<int>(i);
    if (named) page = static_cast<int>(i);
  }
  if (page < 0) throw ScriptError(action.line, "the sheet has no page " + Quoted(which.text));
  if (page == frame->activePage) return;
  if (!frame->listener->OnLeavePage(frame->activePage)) return;
  frame->activePage = page;
  frame->listener->OnPageActivated(page);
}

void ScriptExecutor::ExpectMessage(const ScriptAction& action) {
  const std::string& expected = action.args[0].text;
  const auto& messages = backend_.messages_;
  std::string shown;
  for (std::size_t i = backend_.messagesChecked_; i < messages.size(); ++i) {
    if (messages[i].request.text == expected) {
      backend_.messagesChecked_ = i + 1;
      return;
    }
    shown += (shown.empty() ? "" : ", ") + Quoted(messages[i].request.text);
  }
  throw ScriptError(action.line, "no message box " + Quoted(expected) + " was shown (" +
                                     (shown.empty() ? "none was" : "shown: " + shown) + ")");
}

int ScriptExecutor::ResolveControl(const ScriptAction& action, const ScriptedWindow& window) const {
  const ScriptToken& token = action.args[0];
  const std::string where = " in " + Quoted(window.Template().title);
  if (token.above) {
    if (auto id = window.FindAbove(token.text)) return *id;
    throw ScriptError(action.line, "no control above " + Quoted(token.text) + where);
  }
  if (token.quoted) {
    if (auto id = window.FindByCaption(token.text)) return *id;
    throw ScriptError(action.line, "no control " + Quoted(token.text) + where);
  }
  if (!window.HasControl(token.Number())) {
    throw ScriptError(action.line, "no control " + token.text + where);
  }
  return token.Number();
}

int ScriptExecutor::ResolveItem(const ScriptToken& token, const ScriptedWindow& window,
                                int id) const {
  if (!token.quoted && token.text == "none") return -1;
  if (token.IsNumber()) return token.Number();
  const std::vector<std::string> items = window.Items(id);
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i] == token.text) return static_cast<int>(i);
  }
  throw UserActionError(Describe(window.Control(id)) + " has no entry " + Quoted(token.text));
}

int ScriptExecutor::ResolveRow(const ScriptToken& token, const ScriptedWindow& window,
                               int id) const {
  if (token.IsNumber()) return token.Number();
  for (int row = window.FindRowByPrefix(id, token.text, -1); row >= 0;
       row = window.FindRowByPrefix(id, token.text, row)) {
    if (window.CellText(id, row, 0) == token.text) return row;
  }
  throw UserActionError(Describe(window.Control(id)) + " has no row " + Quoted(token.text));
}

void ScriptExecutor::OnControl(const ScriptAction& action, ScriptedWindow& window) {
  const std::string& verb = action.verb;
  const int id = ResolveControl(action, window);
  const ScriptedControl& control = window.Control(id);
  const ControlKind kind = control.info.kind;
  auto noSuchAction = [&] {
    return UserActionError(Describe(control) + " has no action '" + verb + "'");
  };

  if (verb == "set") {
    window.UserSetText(id, action.args[1].text);
  } else if (verb == "click") {
    window.UserClick(id);
  } else if (verb == "check") {
    const bool on = action.args[1].text == "on";
    if (kind == ControlKind::RadioButton && !on) {
      throw UserActionError(Describe(control) +
                            " is cleared by choosing another button of its group");
    }
    if (kind != ControlKind::CheckBox && kind != ControlKind::RadioButton) throw noSuchAction();
    if ((control.check == BST_CHECKED) != on) window.UserClick(id);
  } else if (verb == "select") {
    if (kind != ControlKind::ListBox && kind != ControlKind::ComboBox) throw noSuchAction();
    window.UserSelectItem(id, ResolveItem(action.args[1], window, id));
  } else if (verb == "rows") {
    if (kind != ControlKind::ListView) throw noSuchAction();
    std::vector<int> rows;
    const bool none =
        action.args.size() == 2 && !action.args[1].quoted && action.args[1].text == "none";
    if (!none) {
      for (std::size_t i = 1; i < action.args.size(); ++i) {
        rows.push_back(ResolveRow(action.args[i], window, id));
      }
    }
    window.UserSelectRows(id, rows);
  } else if (verb == "pick") {
    window.UserPickDate(id, *DateTimeValue::ParseIsoDate(action.args[1].text));
  } else if (verb == "year") {
    window.UserPickYear(id, action.args[1].Number());
  } else if (verb == "print" || verb == "print-added") {
    if (verb == "print-added" && kind != ControlKind::ListView) throw noSuchAction();
    Print(action, window, id);
  } else {
    throw ScriptError(action.line, "unknown action '" + verb + "'");
  }
}

void ScriptExecutor::Print(const ScriptAction& action, const ScriptedWindow& window, int id) const {
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
      const auto rows =
          action.verb == "print-added" ? window.RowsInInsertionOrder(id) : window.Rows(id);
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
