// show FILE: a configuration as its page shows it, and for a handler its holiday
// calendar, per currency or as a year at a glance.
#include <unistd.h>

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "files/InputFile.h"
#include "props/CHandlerPrivateProps.h"
#include "text/TextEscape.h"
#include "tool/Commands.h"
#include "tool/ConfigurationView.h"
#include "tool/HolidayDialog.h"
#include "tool/JsonOutput.h"
#include "tool/Module.h"
#include "tool/ToolArgs.h"
#include "tool/ToolError.h"
#include "tool/ToolOutput.h"
#include "tool/ViewOutput.h"
#include "tool/YearView.h"

namespace {

int ParseYear(const std::string& text) {
  int year = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), year);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || year < 1 ||
      year > 9999)
    throw UsageError("--year needs a year from 1 to 9999, not " +
                     QuotedToken(text, TextBytes::Utf8));
  return year;
}

// Marks in reverse video only where a person reads them on a terminal that has it.
bool MarksForTerminal() {
  const char* term = std::getenv("TERM");
  const char* noColor = std::getenv("NO_COLOR");
  return ::isatty(STDOUT_FILENO) == 1 && term != nullptr && std::strcmp(term, "dumb") != 0 &&
         (noColor == nullptr || *noColor == '\0');
}

// The year of each currency (or of the one asked for) as a twelve-month grid.
int ShowYear(Module& module, const std::string& path, const std::vector<ShownCurrency>& calendar,
             int year, const std::string& currency, bool json) {
  std::vector<CurrencyYear> years;
  HolidayDialog dialog(module);
  for (const ShownCurrency& shown : calendar) {
    if (!currency.empty() && shown.currency != currency) continue;
    years.push_back(ClassifyYear(shown, year, dialog.HolidaysOfYear(shown.currency, year)));
  }
  if (!currency.empty() && years.empty())
    throw std::runtime_error(ShownToken(path, TextBytes::Utf8) +
                             ": the holiday setting dialog lists no currency " + currency);
  if (json) {
    Json currencies = Json::array();
    for (const CurrencyYear& one : years) currencies.push_back(YearJson(one));
    PrintJson(Json{{"path", JsonText(path)}, {"year", year}, {"currencies", std::move(currencies)}},
              std::cout);
    return kExitOk;
  }
  const bool terminal = MarksForTerminal();
  for (std::size_t i = 0; i < years.size(); ++i) {
    if (i > 0) std::cout << '\n';
    PrintYear(years[i], terminal, std::cout);
  }
  FlushOutput(std::cout);
  return kExitOk;
}

}  // namespace

int RunShow(Module& module, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  const std::optional<ConfigKind> given = TakeConfigKindIfGiven(args);
  const bool json = TakeFlag(args, "--json");
  const std::string yearText = TakeOption(args, "--year");
  const std::string currency = TakeOption(args, "--currency");
  ExpectPositional(args, 1, "one FILE");
  const std::string& path = args[0];
  const ConfigKind kind = KindOfPlace(path, given);
  if (!currency.empty() && yearText.empty()) throw UsageError("--currency goes with --year");
  const int year = yearText.empty() ? 0 : ParseYear(yearText);
  if (year != 0 && kind != ConfigKind::Handler)
    throw UsageError("--year shows the holiday calendar of a handler configuration");
  if (!currency.empty()) CheckCurrencyArgument(currency);

  // An empty file is a configuration that does not exist yet, as for edit: the page
  // shows its defaults.
  const std::string xml = ReadInputFile(path);
  CHandlerPrivateProps bag;
  if (!xml.empty()) ParseConfiguration(path, xml, bag);
  const ConfigurationView view = ViewConfiguration(module, kind, bag);
  if (year != 0) return ShowYear(module, path, *view.calendar, year, currency, json);

  if (json) {
    Json document = Json{{"path", JsonText(path)}, {"kind", KindName(kind)}};
    document.update(ViewJson(view));
    PrintJson(document, std::cout);
  } else {
    PrintView(view, std::cout);
    FlushOutput(std::cout);
  }
  return kExitOk;
}
