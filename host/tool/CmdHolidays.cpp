#include <algorithm>
#include <charconv>
#include <iostream>
#include <optional>

#include <nlohmann/json.hpp>

#include "hcd/CHcdWrapper.h"
#include "props/CHandlerPrivateProps.h"
#include "tool/Commands.h"
#include "tool/HolidayStoreMirror.h"
#include "tool/ModulePage.h"
#include "tool/ToolArgs.h"
#include "tool/ToolContext.h"
#include "tool/ToolError.h"
#include "ui/CPropertySheet.h"
#include "ui/ScopedUiBackend.h"
#include "ui/UiRunAborted.h"
#include "ui/scripted/ScriptError.h"
#include "ui/scripted/ScriptedBackend.h"

namespace {

// What the user sees of the handler page and the holiday setting dialog.
constexpr const char* kBankHolidayBox = "Suppress output during bank holiday";
constexpr const char* kCurrencyLabel = "Currency:";
constexpr const char* kHolidayLabel = "Holiday:";
constexpr const char* kAddYearButton = "Add holiday of year";

// A date key no rule or weekend ever produces: it brings the currency into the
// dialog's list and is removed again before the year is added, so the list the year
// is added to is empty whether or not the dialog lists the currency by itself.
constexpr const char* kPlaceholderKey = "0000-00-00";

// The year's range is the dialog's: its year picker refuses what it cannot show.
void CheckYear(const std::string& text) {
  int year = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), year);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || year < 1)
    throw UsageError("YEAR must be a year, not '" + text + "'");
}

void CheckCurrency(const std::string& currency) {
  if (!holiday_store_mirror::CanStoreCurrency(currency))
    throw UsageError(
        "CURRENCY must have at least two characters and no '|', as the stored "
        "holiday table requires");
  for (const unsigned char c : currency)
    if (c <= 0x20 || c >= 0x7F) throw UsageError("CURRENCY may hold printable characters only");
}

// The text as one quoted word of the script language.
std::string Quoted(const std::string& text) {
  std::string word = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') word.push_back('\\');
    word.push_back(c);
  }
  word.push_back('"');
  return word;
}

// The stored bytes are ISO-8859-1; each is the code point of the same number.
std::string Utf8FromLatin1(const std::string& text) {
  std::string utf8;
  utf8.reserve(text.size());
  for (const unsigned char c : text) {
    if (c < 0x80) {
      utf8.push_back(static_cast<char>(c));
    } else {
      utf8.push_back(static_cast<char>(0xC0 | (c >> 6)));
      utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return utf8;
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
  holiday_store_mirror::StoreSingleHoliday(bag, currency, kPlaceholderKey, "placeholder");

  const std::string before = std::string("check ") + Quoted(kBankHolidayBox) + " on\n" +
                             "click \"Holiday setting\"\n" + "select " + Quoted(kCurrencyLabel) +
                             " " + Quoted(currency) + "\n" + "rows " + Quoted(kHolidayLabel) + " " +
                             kPlaceholderKey + "\n" + "click \"Remove\"\n";
  const int yearLine = static_cast<int>(std::count(before.begin(), before.end(), '\n')) + 1;
  const std::string adding = "year above " + Quoted(kAddYearButton) + " " + year + "\n" + "click " +
                             Quoted(kAddYearButton) + "\n";

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
    nlohmann::ordered_json holidays = nlohmann::ordered_json::array();
    for (const ListViewRow& row : added)
      holidays.push_back({{"date", Utf8FromLatin1(row.at(0))},
                          {"remark", Utf8FromLatin1(row.size() > 1 ? row[1] : "")}});
    const nlohmann::ordered_json document = {{"currency", Utf8FromLatin1(currency)},
                                             {"year", std::stoi(year)},
                                             {"holidays", std::move(holidays)}};
    std::cout << document.dump(2) << '\n';
  } else {
    for (const ListViewRow& row : added) {
      std::string line;
      for (std::size_t i = 0; i < row.size(); ++i) line += (i ? " " : "") + row[i];
      std::cout << line << '\n';
    }
  }
  std::cout.flush();
  if (!std::cout) throw std::runtime_error("the holidays could not be written to stdout");
  return kExitOk;
}
