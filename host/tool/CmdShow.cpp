// show FILE: a configuration as its page shows it, and for a handler its holiday
// calendar, per currency or as a year at a glance.
#include <unistd.h>

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <new>

#include "files/InputFile.h"
#include "props/CHandlerPrivateProps.h"
#include "text/TextEscape.h"
#include "tool/Activity.h"
#include "tool/Commands.h"
#include "tool/ConfigurationView.h"
#include "tool/HolidayDialog.h"
#include "tool/JsonOutput.h"
#include "tool/Module.h"
#include "tool/PasswordDigest.h"
#include "tool/ToolArgs.h"
#include "tool/ToolError.h"
#include "tool/ToolOutput.h"
#include "tool/UnshownProperties.h"
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
    std::vector<ListViewRow> filled;
    try {
      filled = dialog.HolidaysOfYear(shown.currency, year);
    } catch (const HolidayDialog::CurrencyRefused& e) {
      // A stored code the dialog would not take as a new currency is no fault of the
      // command line: the grid is drawn all the same, without the rules' marks.
      std::cerr << "hcdtool: note: "
                << ShownLine(ShownToken(path, TextBytes::Utf8) +
                             ": no rule holidays are known for currency " +
                             ShownToken(shown.currency, TextBytes::Latin1) +
                             ", so each of its holidays is marked as added (" + e.what() + ")")
                << '\n';
    }
    years.push_back(ClassifyYear(shown, year, filled));
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

// What the page does not show, and, with a key, a digest of each password: after
// everything the page shows, so that a reader of the page's lines reads them as
// before, and a textconv carries every change.
void PrintAdditions(const std::vector<UnshownProperty>& unshown,
                    const std::vector<std::pair<std::string, std::string>>& digests) {
  if (!unshown.empty()) {
    std::cout << "Stored, not shown on the page\n";
    for (const UnshownProperty& one : unshown)
      for (const std::string& line : UnshownLines(one)) std::cout << "  " << line << '\n';
  }
  if (!digests.empty()) {
    std::cout << "Password digests, keyed by this clone\n";
    for (const auto& [label, digest] : digests)
      std::cout << "  " << EscapeText(label, TextBytes::Latin1) << ": " << digest << '\n';
  }
}

int Show(Module& module, const std::string& path, ConfigKind kind, bool json, int year,
         const std::string& currency, bool textconv) {
  const Activity reading("reading " + ShownToken(path, TextBytes::Utf8));
  // An empty file is a configuration that does not exist yet, as for edit: the page
  // shows its defaults.
  const std::string xml = ReadInputFile(path);
  CHandlerPrivateProps bag;
  if (!xml.empty()) ParseConfiguration(path, xml, bag);
  const Activity showing("showing " + ShownToken(path, TextBytes::Utf8) + " as its page shows it");
  const ConfigurationView view = ViewConfiguration(module, kind, bag);
  if (year != 0) return ShowYear(module, path, *view.calendar, year, currency, json);

  const std::vector<UnshownProperty> unshown = UnshownProperties(module, kind, bag, view);
  std::vector<std::pair<std::string, std::string>> digests;
  if (textconv) {
    if (const std::optional<std::string> key = GitDigestKey())
      for (const ShownControl& control : view.controls)
        if (control.password == PasswordShown::Set)
          digests.emplace_back(control.label, PasswordDigest(*key, control.secret));
  }
  if (json) {
    Json document = Json{{"path", JsonText(path)}, {"kind", KindName(kind)}};
    document.update(ViewJson(view));
    document["not_on_page"] = UnshownJson(unshown);
    PrintJson(document, std::cout);
  } else {
    PrintView(view, std::cout);
    PrintAdditions(unshown, digests);
    FlushOutput(std::cout);
  }
  return kExitOk;
}

// A textconv never stops git: a file that cannot be shown (another kind of file by
// the same name, a damaged one, one too large for the memory) is shown as stored,
// after one line that says why.
int ShowAsStored(const std::string& path, const std::string& why) {
  std::cout << "hcdtool: " << ShownLine(why) << "; shown as stored:\n";
  try {
    std::cout << ReadInputFile(path);
  } catch (const std::exception&) {
    // The line above says why; nothing more can be shown.
  }
  FlushOutput(std::cout);
  return kExitOk;
}

}  // namespace

int RunShow(Module& module, const std::vector<std::string>& argsIn) {
  std::vector<std::string> args = argsIn;
  const std::optional<ConfigKind> given = TakeConfigKindIfGiven(args);
  const bool json = TakeFlag(args, "--json");
  const bool textconv = TakeFlag(args, "--textconv");
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
  if (textconv && (json || year != 0))
    throw UsageError("--textconv goes with neither --json nor --year");
  if (!textconv) return Show(module, path, kind, json, year, currency, false);
  try {
    return Show(module, path, kind, false, 0, "", true);
  } catch (const std::bad_alloc&) {
    return ShowAsStored(path, OutOfMemoryMessage());
  } catch (const std::exception& e) {
    return ShowAsStored(path, e.what());
  }
}
