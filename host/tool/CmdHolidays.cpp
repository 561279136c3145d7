#include <algorithm>
#include <charconv>
#include <iostream>
#include <optional>

#include <nlohmann/json.hpp>

#include "hcd/CHcdWrapper.h"
#include "props/CHandlerPrivateProps.h"
#include "text/TextEscape.h"
#include "tool/Commands.h"
#include "tool/HolidayDialogScript.h"
#include "tool/HolidayStoreMirror.h"
#include "tool/JsonOutput.h"
#include "tool/ModulePage.h"
#include "tool/ToolArgs.h"
#include "tool/ToolContext.h"
#include "tool/ToolError.h"
#include "tool/ToolOutput.h"
#include "ui/CPropertySheet.h"
#include "ui/backend/ScopedUiBackend.h"
#include "ui/backend/UiRunAborted.h"
#include "ui/scripted/ScriptError.h"
#include "ui/scripted/ScriptedBackend.h"

namespace {

// What the user sees of the handler page and the holiday setting dialog.
constexpr const char* kBankHolidayBox = "Suppress output during bank holiday";
constexpr const char* kCurrencyLabel = "Currency:";
constexpr const char* kHolidayLabel = "Holiday:";
constexpr const char* kAddYearButton = "Add holiday of year";

// The year's range is the dialog's: its year picker refuses what it cannot show.
void CheckYear(const std::string& text) {
  int year = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), year);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || year < 1)
    throw UsageError("YEAR must be a year, not '" + text + "'");
}

std::string WithoutLinePrefix(const ScriptError& error) {
  const std::string what = error.what();
  const std::size_t colon = what.find(": ");
  return colon == std::string::npos ? what : what.substr(colon + 2);
}

}  // namespace

// What "Add holiday of year" adds to an empty list, learnt the way a user would: on
// the handler page, through its "Holiday setting" dialog, played by a script that
// names every control by its caption or label.
int RunHolidays(ToolContext& context, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  const bool json = TakeFlag(args, "--json");
  ExpectPositional(args, 2, "CURRENCY and YEAR");
  const std::string& currency = args[0];
  CheckCurrency(currency);
  const std::string& year = args[1];
  CheckYear(year);

  CHandlerPrivateProps bag;
  holiday_store_mirror::AddCurrencyWithHoliday(bag, currency, kPlaceholderKey, "placeholder");

  const std::string before = std::string("check ") + ScriptWord(kBankHolidayBox) + " on\n" +
                             "click \"Holiday setting\"\n" + "select " +
                             ScriptWord(kCurrencyLabel) + " " + ScriptWord(currency) + "\n" +
                             "rows " + ScriptWord(kHolidayLabel) + " " + kPlaceholderKey + "\n" +
                             "click \"Remove\"\n";
  const int yearLine = static_cast<int>(std::count(before.begin(), before.end(), '\n')) + 1;
  const std::string adding = "year above " + ScriptWord(kAddYearButton) + " " + year + "\n" +
                             "click " + ScriptWord(kAddYearButton) + "\n";

  auto backend = std::make_unique<ScriptedBackend>();
  ScriptedBackend& scripted = *backend;
  scripted.SetMessageStream(&std::cerr);
  std::vector<ListViewRow> added;
  try {
    scripted.Load(before + adding);
    scripted.Then([&scripted, &added] {
      const ScriptedWindow* dialog = scripted.TargetWindow();
      const std::optional<int> list =
          dialog != nullptr ? dialog->FindByCaption(kHolidayLabel) : std::nullopt;
      if (!list) throw std::runtime_error("the holiday setting dialog did not open");
      added = dialog->RowsInInsertionOrder(*list);
    });
    scripted.Load("cancel\ncancel\n");
    ScopedUiBackend ui(std::move(backend));

    IHcdPropertyPages* pages = context.Wrapper().PropertyPages();
    if (pages == nullptr) throw std::runtime_error("the module offers no property-page facet");
    // The page goes back unaccepted: this run only looks.
    ModulePage page(*pages, ConfigKind::Handler, bag);
    CPropertySheet sheet("Handler Properties");
    sheet.AddPage(page.Page());
    sheet.DoModal();
  } catch (const ScriptError& e) {
    if (e.line() == yearLine)
      throw UsageError("YEAR " + year +
                       " is refused by the holiday setting dialog: " + WithoutLinePrefix(e));
    throw std::runtime_error("driving the holiday setting dialog: " + WithoutLinePrefix(e));
  }

  if (json) {
    Json holidays = Json::array();
    for (const ListViewRow& row : added)
      holidays.push_back(
          {{"date", JsonLatin1(row.at(0))}, {"remark", JsonLatin1(row.size() > 1 ? row[1] : "")}});
    PrintJson(Json{{"currency", JsonLatin1(currency)},
                   {"year", std::stoi(year)},
                   {"holidays", std::move(holidays)}},
              std::cout);
  } else {
    for (const ListViewRow& row : added) {
      std::string line;
      for (std::size_t i = 0; i < row.size(); ++i) line += (i ? " " : "") + row[i];
      std::cout << EscapeText(line, TextBytes::Latin1) << '\n';
    }
  }
  FlushOutput(std::cout);
  return kExitOk;
}
