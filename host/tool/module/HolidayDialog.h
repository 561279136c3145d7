#pragma once

#include <string>
#include <vector>

#include "tool/ToolError.h"
#include "tool/review/ConfigurationView.h"
#include "ui/ListViewRow.h"
#include "ui/scripted/MessageRecord.h"

class CPrivateProperty;
class Module;
class ScriptedBackend;

// The handler page's holiday setting dialog as the tool uses it: reached the way a
// user reaches it (marking "Suppress output during bank holiday" when needed, then
// "Holiday setting"), its controls found by their captions and labels, and driven by
// typed user actions on the scripted backend. What a file holds and how the calendar
// is stored stay the module's business; a currency the calendar does not hold yet is
// brought in with the dialog's own "New currency...".
//
// A value the dialog refuses (a currency code, a year) is a UsageError that quotes
// the dialog; a currency it does not list for an export, or a dialog that does not
// answer as a user would expect, is a std::runtime_error.
class HolidayDialog {
 public:
  // A currency code the dialog's "New currency..." refuses.
  class CurrencyRefused : public UsageError {
   public:
    using UsageError::UsageError;
  };

  explicit HolidayDialog(Module& module) : module_(module) {}

  // What "Add holiday of year" adds to an empty list of the currency for the year: date
  // key and remark, in the order added. Message boxes go to stderr.
  std::vector<ListViewRow> HolidaysOfYear(const std::string& currency, int year);

  // What "Import..." did with a calendar file.
  struct Import {
    bool accepted = false;               // the page took its input: bag holds the import
    std::vector<MessageRecord> report;   // what "Import..." showed
    std::vector<ListViewRow> added;      // the rows the import added, in file order
    std::vector<MessageRecord> closing;  // what the dialog and the page showed on closing
  };
  // Imports the file into the currency of the configuration in bag. Unless dryRun,
  // the dialog and the sheet are accepted and the page writes itself into bag.
  Import ImportFile(CPrivateProperty& bag, const std::string& currency, const std::string& file,
                    bool dryRun);

  // The currencies the dialog lists for the handler configuration in bag, which stays
  // as it is, in its order; none of their holidays is listed, so that this costs the
  // opening of the dialog only.
  std::vector<std::string> Currencies(CPrivateProperty& bag);

  // Exports the currency of the configuration in bag, which stays as it is, to the
  // file; what "Export..." showed. Throws std::runtime_error naming configPath when
  // the dialog lists no such currency.
  std::vector<MessageRecord> ExportFile(CPrivateProperty& bag, const std::string& configPath,
                                        const std::string& currency, const std::string& file);

  // The report of "Import..." or "Export..." (named by button): its message boxes, a
  // line each. Throws std::runtime_error with the text of one that tells a failure,
  // and when there was none.
  static std::string Report(const std::vector<MessageRecord>& shown, const char* button);
  // Queues, on a handler page being played, what opens the dialog and reads every
  // currency it lists into calendar, in its order, each with its holidays.
  static void QueueCalendar(ScriptedBackend& ui, std::vector<ShownCurrency>& calendar);

  // A change of one currency's holidays, as add-holidays and remove-holidays make it.
  struct Edit {
    enum class What { AddYear, AddFile, AddDate, RemoveYear, RemoveDate, RemoveAll };
    What what = What::AddYear;
    std::string currency;
    int year = 0;      // AddYear, RemoveYear
    std::string file;  // AddFile: an iCalendar or CSV file, through "Import..."
    std::string date;  // AddDate, RemoveDate: the date key, YYYY-MM-DD
  };
  // Queues, on a handler page being played, what makes the edits in turn in one run of
  // the holiday setting dialog, then OK on it. The dialog opens only while "Suppress
  // output during bank holiday" is marked: a box found unmarked is marked for it and
  // unmarked again after, unless mark says to leave it marked; either way a line added
  // to notes says so. A refusal of the dialog ends the run in a UiRunAborted with its
  // message. Adding a date the currency has, or removing what it lacks, does nothing.
  static void QueueEdits(ScriptedBackend& ui, const std::vector<Edit>& edits, bool mark,
                         std::vector<std::string>& notes);

  // A row of the holiday list as a line of text output: date key and remark, joined
  // by a blank and shown by the rule of TextEscape.h.
  static std::string ShownRow(const ListViewRow& row);

 private:
  Module& module_;
};
