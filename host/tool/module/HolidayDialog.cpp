#include "tool/module/HolidayDialog.h"

#include <algorithm>
#include <deque>
#include <iostream>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>

#include "props/CPrivateProperty.h"
#include "text/TextEscape.h"
#include "tool/ToolError.h"
#include "tool/module/Module.h"
#include "ui/backend/UiRunAborted.h"
#include "ui/scripted/ScriptedBackend.h"
#include "ui/scripted/UserActionError.h"

namespace {

// What the user reads on the handler page and in its holiday setting dialog.
constexpr const char* kBankHolidayBox = "Suppress output during bank holiday";
constexpr const char* kHolidaySetting = "Holiday setting";
constexpr const char* kCurrencyList = "Currency:";
constexpr const char* kHolidayList = "Holiday:";
constexpr const char* kAddYear = "Add holiday of year";
constexpr const char* kImport = "Import...";
constexpr const char* kExport = "Export...";
constexpr const char* kNewCurrency = "New currency...";
constexpr const char* kAdd = "Add";
constexpr const char* kRemove = "Remove";
constexpr const char* kRemoveAll = "Remove All";
// In the "New currency" dialog "New currency..." opens.
constexpr const char* kCurrencyCode = "Currency:";

// A value the dialog refused. It passes the framework's message handlers as a run
// that cannot go on, and becomes a UsageError once the run has ended.
class Refused : public UiRunAborted {
 public:
  using UiRunAborted::UiRunAborted;
};

// A currency code "New currency..." refused.
class CurrencyRefused : public Refused {
 public:
  using Refused::Refused;
};

// What the configuration lacks; becomes a std::runtime_error with the same message.
class Lacking : public UiRunAborted {
 public:
  using UiRunAborted::UiRunAborted;
};

// The dialog did not answer as a user would expect.
class Unexpected : public UiRunAborted {
 public:
  using UiRunAborted::UiRunAborted;
};

ScriptedWindow& Target(ScriptedBackend& ui) {
  ScriptedWindow* window = ui.TargetWindow();
  if (window == nullptr) throw Unexpected("no window is open");
  return *window;
}

int Named(const ScriptedWindow& window, const char* caption) {
  const std::optional<int> id = window.FindByCaption(caption);
  if (!id)
    throw Unexpected(std::string("\"") + window.Template().title + "\" shows no \"" + caption +
                     "\"");
  return *id;
}

bool IsFailure(const MessageRecord& message) {
  const MessageIcon icon = message.request.Icon();
  return icon == MessageIcon::Warning || icon == MessageIcon::Error;
}

// Queues what opens the dialog on the handler page, as a user opens it: "Holiday
// setting" can be pressed only while the bank holiday box is marked. `marked` tells,
// once the queue has run that far, whether the box was marked before.
void QueueOpen(ScriptedBackend& ui, bool* marked) {
  ui.Then([&ui, marked] {
    const ScriptedWindow& page = Target(ui);
    const bool on = page.Control(Named(page, kBankHolidayBox)).check == BST_CHECKED;
    if (marked != nullptr) *marked = on;
  });
  ui.Queue(user::Check{ControlRef::Named(kBankHolidayBox), true});
  ui.Queue(user::Click{ControlRef::Named(kHolidaySetting)});
}

// The currencies the open dialog lists.
std::vector<std::string> Listed(ScriptedBackend& ui) {
  const ScriptedWindow& dialog = Target(ui);
  return dialog.Items(Named(dialog, kCurrencyList));
}

// Queues the choice of the currency in the open dialog, brought in with "New
// currency..." first when the dialog does not list it. Run inside a step.
void QueueCurrency(ScriptedBackend& ui, const std::string& currency, ActionTrace& added) {
  const std::vector<std::string> listed = Listed(ui);
  if (std::find(listed.begin(), listed.end(), currency) == listed.end()) {
    ui.Queue(user::Click{ControlRef::Named(kNewCurrency)});
    ui.Queue(user::SetText{ControlRef::Named(kCurrencyCode), currency});
    ui.Queue(user::Close{true}, &added);
    // A refused code keeps the "New currency" dialog open with a warning.
    ui.Then([&added, currency] {
      if (!added.messages.empty())
        throw CurrencyRefused(
            "CURRENCY " + ShownPath(currency) +
            " is refused by the holiday setting dialog: " + added.messages.front().request.text);
    });
  }
  ui.Queue(user::Select{ControlRef::Named(kCurrencyList), EntryRef::WithText(currency)});
}

std::vector<ListViewRow> AddedRows(ScriptedBackend& ui) {
  const ScriptedWindow& dialog = Target(ui);
  return dialog.RowsInInsertionOrder(Named(dialog, kHolidayList));
}

// Runs the handler page with what `user` queues, turning what stopped the run into the
// tool's errors.
bool Play(Module& module, CPrivateProperty& bag, const std::function<void(ScriptedBackend&)>& user,
          Module::Keep keep) {
  try {
    return module.Play(ConfigKind::Handler, bag, user, keep);
  } catch (const CurrencyRefused& e) {
    throw HolidayDialog::CurrencyRefused(e.what());
  } catch (const Refused& e) {
    throw UsageError(e.what());
  } catch (const Lacking& e) {
    throw std::runtime_error(e.what());
  } catch (const UiRunAborted& e) {
    throw std::runtime_error(std::string("the module's dialog did not answer as expected: ") +
                             e.what());
  }
}

}  // namespace

std::vector<ListViewRow> HolidayDialog::HolidaysOfYear(const std::string& currency, int year) {
  std::vector<ListViewRow> added;
  ActionTrace newCurrency;
  CPrivateProperty empty;
  Play(
      module_, empty,
      [&](ScriptedBackend& ui) {
        QueueOpen(ui, nullptr);
        ui.Then([&] {
          QueueCurrency(ui, currency, newCurrency);
          // A refused currency is the one error line; what the dialog says after it
          // goes to stderr as it comes.
          ui.Then([&] { ui.SetMessageStream(&std::cerr); });
          // The year's range is the dialog's: its year picker refuses what it cannot show.
          ui.Then([&] {
            ScriptedWindow& dialog = Target(ui);
            const std::optional<int> picker = dialog.FindAbove(kAddYear);
            if (!picker) throw Unexpected(std::string("no year picker above \"") + kAddYear + "\"");
            try {
              dialog.UserPickYear(*picker, year);
            } catch (const UserActionError& e) {
              throw Refused("YEAR " + std::to_string(year) +
                            " is refused by the holiday setting dialog: " + e.what());
            }
          });
          ui.Queue(user::Click{ControlRef::Named(kAddYear)});
          ui.Then([&] { added = AddedRows(ui); });
        });
      },
      Module::Keep::Nothing);
  return added;
}

HolidayDialog::Import HolidayDialog::ImportFile(CPrivateProperty& bag, const std::string& currency,
                                                const std::string& file, bool dryRun) {
  Import result;
  bool marked = false;
  ActionTrace newCurrency;
  ActionTrace imported;
  ActionTrace closed[3];  // the dialog, the box as it was, the sheet
  std::vector<ListViewRow> before;
  result.accepted = Play(
      module_, bag,
      [&](ScriptedBackend& ui) {
        QueueOpen(ui, &marked);
        ui.Then([&] {
          QueueCurrency(ui, currency, newCurrency);
          ui.Then([&] { before = AddedRows(ui); });
          ui.Queue(user::Click{ControlRef::Named(kImport)}, &imported);
          ui.Queue(user::ChooseFile{file, false});
          ui.Then([&] {
            std::vector<ListViewRow> after = AddedRows(ui);
            if (after.size() < before.size() ||
                !std::equal(before.begin(), before.end(), after.begin()))
              throw Unexpected("the holiday list changed other than by the import");
            result.added.assign(after.begin() + static_cast<std::ptrdiff_t>(before.size()),
                                after.end());
          });
          ui.Queue(user::Close{!dryRun}, &closed[0]);
          if (!marked) ui.Queue(user::Check{ControlRef::Named(kBankHolidayBox), false}, &closed[1]);
          ui.Queue(user::Close{!dryRun}, &closed[2]);
        });
      },
      dryRun ? Module::Keep::Nothing : Module::Keep::WhenAccepted);
  for (const ActionTrace& trace : closed)
    result.closing.insert(result.closing.end(), trace.messages.begin(), trace.messages.end());
  result.report = imported.messages;
  return result;
}

std::vector<MessageRecord> HolidayDialog::ExportFile(CPrivateProperty& bag,
                                                     const std::string& configPath,
                                                     const std::string& currency,
                                                     const std::string& file) {
  ActionTrace exported;
  Play(
      module_, bag,
      [&](ScriptedBackend& ui) {
        QueueOpen(ui, nullptr);
        ui.Then([&] {
          const std::vector<std::string> listed = Listed(ui);
          if (std::find(listed.begin(), listed.end(), currency) == listed.end())
            throw Lacking(configPath + ": the holiday setting dialog lists no currency " +
                          currency);
          ui.Queue(user::Select{ControlRef::Named(kCurrencyList), EntryRef::WithText(currency)});
          ui.Queue(user::Click{ControlRef::Named(kExport)}, &exported);
          ui.Queue(user::ChooseFile{file, true, true});
        });
      },
      Module::Keep::Nothing);
  return exported.messages;
}

void HolidayDialog::QueueCalendar(ScriptedBackend& ui, std::vector<ShownCurrency>& calendar) {
  QueueOpen(ui, nullptr);
  ui.Then([&ui, &calendar] {
    ScriptedWindow& dialog = Target(ui);
    const int currencies = Named(dialog, kCurrencyList);
    const int holidays = Named(dialog, kHolidayList);
    const std::vector<std::string> listed = dialog.Items(currencies);
    for (std::size_t i = 0; i < listed.size(); ++i) {
      try {
        dialog.UserSelectItem(currencies, static_cast<int>(i));
      } catch (const UserActionError& e) {
        throw Unexpected(e.what());
      }
      calendar.push_back({listed[i], dialog.Rows(holidays)});
    }
  });
}

std::vector<std::string> HolidayDialog::Currencies(CPrivateProperty& bag) {
  std::vector<std::string> currencies;
  Play(
      module_, bag,
      [&](ScriptedBackend& ui) {
        QueueOpen(ui, nullptr);
        ui.Then([&ui, &currencies] { currencies = Listed(ui); });
      },
      Module::Keep::Nothing);
  return currencies;
}

namespace {

// The edits of one run of the holiday setting dialog, queued one after the other: a
// step queues what follows it only after what it queued itself, so each edit queues
// the next once its own actions are queued, and the last one the closing.
class EditRun : public std::enable_shared_from_this<EditRun> {
 public:
  using Edit = HolidayDialog::Edit;

  EditRun(ScriptedBackend& ui, std::vector<Edit> edits, bool mark, std::vector<std::string>& notes)
      : ui_(ui), edits_(std::move(edits)), mark_(mark), notes_(notes) {}

  void Queue() {
    QueueOpen(ui_, &marked_);
    ui_.Then([self = shared_from_this()] { self->Begin(0); });
  }

 private:
  static bool Adds(const Edit& edit) {
    return edit.what == Edit::What::AddYear || edit.what == Edit::What::AddFile ||
           edit.what == Edit::What::AddDate;
  }

  // Selects the edit's currency, bringing it in first when it adds to one not listed.
  void Begin(std::size_t i) {
    if (i == edits_.size()) return Close();
    const Edit& edit = edits_[i];
    const std::vector<std::string> listed = Listed(ui_);
    const bool known = std::find(listed.begin(), listed.end(), edit.currency) != listed.end();
    const auto self = shared_from_this();
    if (Adds(edit)) {
      QueueCurrency(ui_, edit.currency, traces_.emplace_back());
    } else if (known) {
      ui_.Queue(user::Select{ControlRef::Named(kCurrencyList), EntryRef::WithText(edit.currency)});
    } else {
      notes_.push_back("lists no currency " + edit.currency + ": nothing to remove");
      ui_.Then([self, i] { self->Begin(i + 1); });
      return;
    }
    ui_.Then([self, i] { self->Act(i); });
  }

  // Presses what makes the edit, then looks at what the dialog said.
  void Act(std::size_t i) {
    const Edit& edit = edits_[i];
    ScriptedWindow& dialog = Target(ui_);
    const int list = Named(dialog, kHolidayList);
    std::vector<RowRef> chosen;
    bool there = false;
    for (const ListViewRow& row : dialog.Rows(list)) {
      const std::string key = Cell(row, 0);
      if ((edit.what == Edit::What::RemoveDate && key == edit.date) ||
          (edit.what == Edit::What::RemoveYear && key.starts_with(std::to_string(edit.year) + "-")))
        chosen.push_back(RowRef{std::nullopt, key});
      there = there || (edit.what == Edit::What::AddDate && key == edit.date);
    }
    ActionTrace& acted = traces_.emplace_back();
    switch (edit.what) {
      case Edit::What::AddYear: {
        const std::optional<int> picker = dialog.FindAbove(kAddYear);
        if (!picker) throw Unexpected(std::string("no year picker above \"") + kAddYear + "\"");
        try {
          dialog.UserPickYear(*picker, edit.year);
        } catch (const UserActionError& e) {
          throw Refused("the year " + std::to_string(edit.year) +
                        " is refused by the holiday setting dialog: " + e.what());
        }
        ui_.Queue(user::Click{ControlRef::Named(kAddYear)}, &acted);
        break;
      }
      case Edit::What::AddDate: {
        // A date the currency has already is left as it is.
        if (there) break;
        const std::optional<DateTimeValue> date = DateTimeValue::ParseIsoDate(edit.date);
        if (!date) throw Refused("not a date: " + edit.date);
        ui_.Queue(user::PickDate{ControlRef::Above(kAdd), *date});
        ui_.Queue(user::Click{ControlRef::Named(kAdd)}, &acted);
        break;
      }
      case Edit::What::AddFile:
        ui_.Queue(user::Click{ControlRef::Named(kImport)}, &acted);
        ui_.Queue(user::ChooseFile{edit.file, false, true});
        break;
      case Edit::What::RemoveYear:
      case Edit::What::RemoveDate:
        if (chosen.empty()) break;
        ui_.Queue(user::SelectRows{ControlRef::Named(kHolidayList), chosen});
        ui_.Queue(user::Click{ControlRef::Named(kRemove)}, &acted);
        break;
      case Edit::What::RemoveAll:
        ui_.Queue(user::Click{ControlRef::Named(kRemoveAll)}, &acted);
        break;
    }
    ui_.Then([self = shared_from_this(), i, &acted] {
      // A warning of the dialog is its refusal; what else it said is a note.
      for (const MessageRecord& message : acted.messages) {
        if (IsFailure(message)) throw Refused(message.request.text);
        self->notes_.push_back(message.request.text);
      }
      self->Begin(i + 1);
    });
  }

  void Close() {
    ui_.Queue(user::Close{true});
    ui_.Then([self = shared_from_this()] {
      if (self->marked_) return;
      if (self->mark_) {
        self->notes_.push_back(std::string("\"") + kBankHolidayBox +
                               "\" was unmarked; marked as asked");
        return;
      }
      self->ui_.Queue(user::Check{ControlRef::Named(kBankHolidayBox), false});
      self->notes_.push_back(std::string("\"") + kBankHolidayBox +
                             "\" is unmarked here: the holidays are stored, but suppress nothing "
                             "until it is marked (--mark marks it)");
    });
  }

  ScriptedBackend& ui_;
  std::vector<Edit> edits_;
  bool mark_;
  std::vector<std::string>& notes_;
  bool marked_ = false;
  // Where the queued actions report; a deque, so that each stays where it was put.
  std::deque<ActionTrace> traces_;
};

}  // namespace

void HolidayDialog::QueueEdits(ScriptedBackend& ui, const std::vector<Edit>& edits, bool mark,
                               std::vector<std::string>& notes) {
  std::make_shared<EditRun>(ui, edits, mark, notes)->Queue();
}

std::string HolidayDialog::ShownRow(const ListViewRow& row) {
  std::string line;
  for (std::size_t i = 0; i < row.size(); ++i) line += (i ? " " : "") + row[i];
  return ShownStored(line);
}

std::string HolidayDialog::Report(const std::vector<MessageRecord>& shown, const char* button) {
  for (const MessageRecord& m : shown) {
    // The dialog's words for running out of memory are the library's; the tool's own
    // say what it was doing.
    if (IsFailure(m) && m.request.text == std::bad_alloc().what()) throw std::bad_alloc();
    if (IsFailure(m)) throw std::runtime_error(m.request.text);
  }
  if (shown.empty()) throw std::runtime_error(std::string("\"") + button + "\" showed no report");
  std::string text;
  for (const MessageRecord& m : shown) text += m.request.text + "\n";
  return text;
}
