#include <charconv>
#include <iostream>

#include <nlohmann/json.hpp>

#include "tool/Commands.h"
#include "tool/ToolArgs.h"
#include "tool/ToolError.h"
#include "tool/module/HolidayDialog.h"
#include "tool/output/JsonOutput.h"
#include "tool/output/ToolOutput.h"

namespace {

int ParseYear(const std::string& text) {
  int year = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), year);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || year < 1)
    throw UsageError("YEAR must be a year, not '" + text + "'");
  return year;
}

}  // namespace

// What "Add holiday of year" adds to an empty list, learnt the way a user would: on
// the handler page, through its "Holiday setting" dialog.
int RunHolidays(Module& module, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  const bool json = TakeFlag(args, "--json");
  ExpectPositional(args, 2, "CURRENCY and YEAR");
  const std::string& currency = args[0];
  CheckCurrencyArgument(currency);
  const int year = ParseYear(args[1]);

  const std::vector<ListViewRow> added = HolidayDialog(module).HolidaysOfYear(currency, year);

  if (json) {
    Json holidays = Json::array();
    for (const ListViewRow& row : added)
      holidays.push_back(
          {{"date", JsonLatin1(Cell(row, 0))}, {"remark", JsonLatin1(Cell(row, 1))}});
    PrintJson(
        Json{{"currency", JsonLatin1(currency)}, {"year", year}, {"holidays", std::move(holidays)}},
        std::cout);
  } else {
    for (const ListViewRow& row : added) std::cout << HolidayDialog::ShownRow(row) << '\n';
  }
  FlushOutput(std::cout);
  return kExitOk;
}
