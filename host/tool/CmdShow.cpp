// show FILE: a configuration as its page shows it, and for a handler its holiday
// calendar, per currency or as a year at a glance.
#include <unistd.h>

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <new>
#include <string_view>

#include "files/InputFile.h"
#include "props/CHandlerPrivateProps.h"
#include "text/TextEscape.h"
#include "tool/Commands.h"
#include "tool/ToolArgs.h"
#include "tool/ToolError.h"
#include "tool/module/ConfigurationFile.h"
#include "tool/module/HolidayDialog.h"
#include "tool/module/Module.h"
#include "tool/output/Activity.h"
#include "tool/output/JsonOutput.h"
#include "tool/output/Pager.h"
#include "tool/output/ReviewOptions.h"
#include "tool/output/ToolOutput.h"
#include "tool/review/ConfigurationView.h"
#include "tool/review/PasswordDigest.h"
#include "tool/review/StoredPasswords.h"
#include "tool/review/UnshownProperties.h"
#include "tool/review/ViewOutput.h"
#include "tool/review/YearView.h"

namespace {

int ParseYear(const std::string& text) {
  int year = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), year);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || year < 1 ||
      year > 9999)
    throw UsageError("--year needs a year from 1 to 9999, not " + QuotedPath(text));
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
             int year, const std::string& currency, bool json, bool page) {
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
                << ShownLine(ShownPath(path) + ": no rule holidays are known for currency " +
                             ShownName(shown.currency) +
                             ", so each of its holidays is marked as added (" + e.what() + ")")
                << '\n';
    }
    years.push_back(ClassifyYear(shown, year, filled));
  }
  if (!currency.empty() && years.empty())
    throw std::runtime_error(ShownPath(path) + ": the holiday setting dialog lists no currency " +
                             currency);
  // Asked of the terminal before a pager takes the output.
  const bool terminal = MarksForTerminal();
  if (page) StartPager();
  if (json) {
    Json currencies = Json::array();
    for (const CurrencyYear& one : years) currencies.push_back(YearJson(one));
    PrintJson(Json{{"path", JsonText(path)}, {"year", year}, {"currencies", std::move(currencies)}},
              std::cout);
    return kExitOk;
  }
  for (std::size_t i = 0; i < years.size(); ++i) {
    if (i > 0) std::cout << '\n';
    PrintYear(years[i], terminal, std::cout);
  }
  FlushOutput(std::cout);
  return kExitOk;
}

// The passwords of a textconv: a digest of each, under the clone's key.
struct PasswordDigests {
  bool keyless = false;  // passwords are set, but the clone has no key to digest them
  std::vector<std::pair<std::string, std::string>> digests;  // label, digest
};

// What the page does not show, and, with a key, a digest of each password: after
// everything the page shows, so that a reader of the page's lines reads them as
// before, and a textconv carries every change.
void PrintAdditions(const std::vector<UnshownProperty>& unshown, const PasswordDigests& passwords) {
  if (!unshown.empty()) {
    std::cout << "Stored, not shown on the page\n";
    for (const UnshownProperty& one : unshown)
      for (const std::string& line : UnshownLines(one)) std::cout << "  " << line << '\n';
  }
  if (!passwords.digests.empty()) {
    std::cout << "Password digests, keyed by this clone\n";
    for (const auto& [label, digest] : passwords.digests)
      std::cout << "  " << ShownStored(label) << ": " << digest << '\n';
  }
  // A reviewer must not read "(set)" on both sides as "the password stayed".
  if (passwords.keyless)
    std::cout << "Password digests: none without a key in this clone's git config ("
              << kDigestKeySetting
              << ", made by hcdtool git-setup), so a replaced password shows no change\n";
}

int Show(Module& module, const std::string& path, ConfigKind kind, bool json, int year,
         const std::string& currency, bool textconv, bool page) {
  const Activity reading("reading " + ShownPath(path));
  // An empty file is a configuration that does not exist yet, as for edit: the page
  // shows its defaults.
  CHandlerPrivateProps bag = ReadConfiguration(path, EmptyIs::NewConfiguration);
  const Activity showing("showing " + ShownPath(path) + " as its page shows it");
  const ConfigurationView view = ViewConfiguration(module, kind, bag);
  if (year != 0) return ShowYear(module, path, *view.calendar, year, currency, json, page);

  const std::vector<UnshownProperty> unshown = UnshownProperties(module, kind, bag, view);
  PasswordDigests passwords;
  if (textconv) {
    std::optional<std::string> key;
    for (const ShownControl& control : view.controls) {
      if (control.password != PasswordShown::Set) continue;
      if (!key && !passwords.keyless) {
        key = GitDigestKey();
        passwords.keyless = !key;
      }
      if (key) passwords.digests.emplace_back(control.label, PasswordDigest(*key, control.secret));
    }
  }
  if (page) StartPager();
  if (json) {
    Json document = Json{{"path", JsonText(path)}, {"kind", KindName(kind)}};
    document.update(ViewJson(view));
    document["not_on_page"] = UnshownJson(unshown);
    PrintJson(document, std::cout);
  } else {
    PrintView(view, std::cout);
    PrintAdditions(unshown, passwords);
    FlushOutput(std::cout);
  }
  return kExitOk;
}

// A textconv never stops git: a file that cannot be shown (another kind of file by
// the same name, a damaged one, one too large for the memory) is shown as stored,
// after one line that says why. Never a password in it, whatever its stored form: a
// file whose passwords cannot be told apart is not shown at all. Its lines stay
// lines, and each is escaped by the rule of every output: a stored terminal sequence
// (ESC ] 52 sets the clipboard) must not reach the reviewer's terminal through
// git log -p.
int ShowAsStored(Module& module, ConfigKind kind, const std::string& path, const std::string& why) {
  std::string stored;
  try {
    stored = ReadInputFile(path);
  } catch (const std::exception&) {
    // The line below says why; nothing more can be shown.
  }
  bool hidden = true;
  try {
    stored = HideStoredPasswords(module, kind, std::move(stored));
  } catch (const std::exception&) {
    hidden = false;
  }
  if (!hidden) {
    std::cout << "hcdtool: " << ShownLine(why)
              << "; not shown, as a password in it could not be told apart\n";
    FlushOutput(std::cout);
    return kExitOk;
  }
  std::cout << "hcdtool: " << ShownLine(why) << "; shown as stored:\n";
  std::string_view rest = stored;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    std::cout << EscapeText(rest.substr(0, end), TextBytes::Utf8);
    if (end == std::string_view::npos) break;
    std::cout << '\n';
    rest.remove_prefix(end + 1);
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
  const ReviewOptions review = TakeReviewOptions(args, {false, false, true}, json);
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
  if (!textconv) return Show(module, path, kind, json, year, currency, false, review.page);
  // git reads a textconv through a pipe of its own, and pages it itself.
  try {
    return Show(module, path, kind, false, 0, "", true, false);
  } catch (const std::bad_alloc&) {
    return ShowAsStored(module, kind, path, OutOfMemoryMessage());
  } catch (const std::exception& e) {
    return ShowAsStored(module, kind, path, e.what());
  }
}
