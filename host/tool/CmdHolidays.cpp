#include <charconv>
#include <iostream>
#include <sstream>

#include "hcd/CHcdWrapper.h"
#include "props/CHandlerPrivateProps.h"
#include "tool/Commands.h"
#include "tool/ModulePage.h"
#include "tool/ToolArgs.h"
#include "tool/ToolContext.h"
#include "tool/ToolError.h"
#include "ui/CPropertySheet.h"
#include "ui/ScopedUiBackend.h"
#include "ui/UiRunAborted.h"
#include "ui/scripted/ScriptedBackend.h"

namespace {

// A date key that no rule or weekend ever produces: it lets a currency other than
// the three standard ones into the dialog's list, and is removed again before the
// year is added.
constexpr const char* kPlaceholderKey = "0000-00-00";

int ParseYear(const std::string& text) {
  int year = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), year);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || year < 2010 ||
      year > 2099)
    throw UsageError("YEAR must be a year from 2010 to 2099 (the dialog's range), not '" + text +
                     "'");
  return year;
}

void CheckCurrency(const std::string& currency) {
  // The stored form of the holiday table skips codes shorter than two characters
  // and cannot carry "|".
  if (currency.size() < 2) throw UsageError("CURRENCY must have at least two characters");
  for (const unsigned char c : currency)
    if (c <= 0x20 || c == '"' || c == '|' || c >= 0x7F)
      throw UsageError("CURRENCY may hold printable characters other than '\"' and '|' only");
}

bool IsStandardCurrency(const std::string& currency) {
  return currency == "EUR" || currency == "GBP" || currency == "USD";
}

}  // namespace

// What "Add holiday of year" adds to an empty list, learnt the way a user would: on
// the handler page, through its "Holiday setting" dialog, played by a script. The
// scripted backend prints the rows the dialog added, in the order it added them.
int RunHolidays(ToolContext& context, const std::vector<std::string>& args) {
  ExpectPositional(args, 2, "CURRENCY and YEAR");
  const std::string& currency = args[0];
  CheckCurrency(currency);
  const int year = ParseYear(args[1]);

  CHandlerPrivateProps bag;
  bag.SetValueToProperty("EnableBankHoliday", true);
  if (!IsStandardCurrency(currency)) {
    bag.SetValueToProperty("CurrencyTable", (currency + "|").c_str());
    bag.SetValueToProperty(("CurrencyTable_" + currency).c_str(),
                           (std::string(kPlaceholderKey) + "|placeholder|").c_str());
  }

  std::ostringstream script;
  script << "click \"Holiday setting\"\n"
         << "select 12065 \"" << currency << "\"\n";
  if (!IsStandardCurrency(currency))
    script << "rows 12063 " << kPlaceholderKey << "\n"
           << "click \"Remove\"\n";
  script << "year 12071 " << year << "\n"
         << "click \"Add holiday of year\"\n"
         << "print-added 12063\n"
         << "cancel\n"
         << "cancel\n";

  auto backend = std::make_unique<ScriptedBackend>();
  ScriptedBackend& scripted = *backend;
  scripted.SetMessageStream(&std::cerr);
  scripted.Load(script.str());
  ScopedUiBackend ui(std::move(backend));

  IHcdPropertyPages* pages = context.Wrapper().PropertyPages();
  if (pages == nullptr) throw std::runtime_error("the module offers no property-page facet");
  {
    // The page goes back unaccepted: this run only looks.
    ModulePage page(*pages, ConfigKind::Handler, bag);
    CPropertySheet sheet("Handler Properties");
    sheet.AddPage(page.Page());
    sheet.DoModal();
  }
  std::cout << scripted.Output();
  return kExitOk;
}
