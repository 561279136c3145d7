#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "kelo/pages/CKELODlgHolidaySetting.h"
#include "kelo/pages/HolidaySettingIds.h"
#include "kelo/pages/HolidaySettingTemplate.h"
#include "ui/TemplateRegistry.h"
#include "ui/backend/ScopedUiBackend.h"
#include "ui/scripted/ScriptError.h"
#include "ui/scripted/ScriptedBackend.h"

namespace kelo {
namespace {

constexpr const char* kSelectFirst = "Please select Currency first";

// Runs the dialog under the scripted backend; code steps queued between script lines
// look at the open dialog.
class HolidayDialogTest : public ::testing::Test {
 protected:
  HolidayDialogTest()
      : backend_(new ScriptedBackend), scope_(std::unique_ptr<UiBackend>(backend_)) {
    backend_->SetNow(DateTimeValue{2024, 5, 8, 10, 0, 0});  // a Wednesday
    EXPECT_TRUE(TemplateRegistry::Instance().Register(
        &owner_, {HolidaySettingTemplate(), NewCurrencyTemplate()}));
  }
  ~HolidayDialogTest() override { TemplateRegistry::Instance().Withdraw(&owner_); }

  int Run(CKELODlgHolidaySetting& dialog) { return dialog.DoModal(); }
  void Script(std::string_view script) { backend_->Load(script); }
  void Then(std::function<void(ScriptedWindow&)> step) {
    backend_->Then([this, step] { step(*backend_->TargetWindow()); });
  }

  static std::vector<ListViewRow> Rows(const ScriptedWindow& window) {
    return window.Rows(IDC_HOLIDAY_LIST);
  }
  static std::string SelectedCurrency(const ScriptedWindow& window) {
    const int selected = window.Selection(IDC_HOLIDAY_CURRENCY);
    return selected < 0 ? "(none)" : window.ItemText(IDC_HOLIDAY_CURRENCY, selected);
  }
  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const MessageRecord& record : backend_->Messages()) {
      EXPECT_EQ(record.request.caption, "Message");
      EXPECT_EQ(record.request.Icon(), MessageIcon::None);
      EXPECT_EQ(record.request.Buttons(), MB_OK);
      texts.push_back(record.request.text);
    }
    return texts;
  }

  ScriptedBackend& backend() { return *backend_; }

 private:
  ScriptedBackend* backend_;
  ScopedUiBackend scope_;
  int owner_ = 0;
};

HolidayTable TableOf(std::initializer_list<std::pair<std::string, HolidayList>> currencies) {
  HolidayTable table;
  for (const auto& [currency, list] : currencies) table.EnsureCurrency(currency) = list;
  return table;
}

TEST_F(HolidayDialogTest, AnEmptyTableShowsTheThreeCurrenciesWithEurSelected) {
  CKELODlgHolidaySetting dialog{HolidayTable()};
  Then([](ScriptedWindow& window) {
    EXPECT_EQ(window.Items(IDC_HOLIDAY_CURRENCY), (std::vector<std::string>{"EUR", "GBP", "USD"}));
    EXPECT_EQ(SelectedCurrency(window), "EUR");
    EXPECT_TRUE(Rows(window).empty());
    const ScriptedControl& list = window.Control(IDC_HOLIDAY_LIST);
    EXPECT_EQ(list.columns, (std::vector<ListViewColumn>{{"Date", 100, LVCFMT_LEFT},
                                                         {"Remark", 125, LVCFMT_LEFT}}));
    EXPECT_EQ(list.extendedStyle, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  });
  Script("ok");
  EXPECT_EQ(Run(dialog), IDOK);
  EXPECT_EQ(dialog.GetHolidayTable(), TableOf({{"EUR", {}}, {"GBP", {}}, {"USD", {}}}));
  EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(HolidayDialogTest, AnotherCurrencyIsListedInItsSortedPlaceWithItsEntries) {
  CKELODlgHolidaySetting dialog{TableOf({{"CHF", {{"2024-08-01", "National Day"}}},
                                         {"AUD", {}},
                                         {"eur", {{"2024-01-02", "Customize"}}}})};
  Then([](ScriptedWindow& window) {
    EXPECT_EQ(window.Items(IDC_HOLIDAY_CURRENCY),
              (std::vector<std::string>{"AUD", "CHF", "EUR", "GBP", "USD", "eur"}));
    EXPECT_EQ(SelectedCurrency(window), "AUD");
    EXPECT_TRUE(Rows(window).empty());
  });
  Script("select 12065 \"CHF\"");
  Then([](ScriptedWindow& window) {
    EXPECT_EQ(Rows(window), (std::vector<ListViewRow>{{"2024-08-01", "National Day"}}));
  });
  Script("select 12065 \"eur\"");
  Then([](ScriptedWindow& window) {
    EXPECT_EQ(Rows(window), (std::vector<ListViewRow>{{"2024-01-02", "Customize"}}));
  });
  Script("ok");
  EXPECT_EQ(Run(dialog), IDOK);
  EXPECT_EQ(dialog.GetHolidayTable().size(), 6u);
}

// "New currency..." brings in a currency the calendar lacks, in its sorted place, and
// shows it: the list shows its holidays, which "Add" then fills.
TEST_F(HolidayDialogTest, NewCurrencyAddsTheCodeSelectsAndShowsIt) {
  CKELODlgHolidaySetting dialog{TableOf({{"GBP", {{"2024-12-25", "Christmas Day"}}}})};
  Script(R"(
    select 12065 "GBP"
    click "New currency..."
    set "Currency:" "  CHF "
    ok
  )");
  Then([](ScriptedWindow& window) {
    EXPECT_EQ(window.Items(IDC_HOLIDAY_CURRENCY),
              (std::vector<std::string>{"CHF", "EUR", "GBP", "USD"}));
    EXPECT_EQ(SelectedCurrency(window), "CHF");
    EXPECT_TRUE(Rows(window).empty());
  });
  // The new code went in at the index GBP was shown at; "Add" goes to CHF all the same.
  Script(R"(
    pick 12064 2024-08-01
    click "Add"
    click "New currency..."
    set "Currency:" "GBP"
    ok
  )");
  Then([](ScriptedWindow& window) {
    EXPECT_EQ(window.Items(IDC_HOLIDAY_CURRENCY).size(), 4u);
    EXPECT_EQ(SelectedCurrency(window), "GBP");
    EXPECT_EQ(Rows(window), (std::vector<ListViewRow>{{"2024-12-25", "Christmas Day"}}));
  });
  // Letter case tells codes apart, as the stored calendar does.
  Script(R"(
    click "New currency..."
    set "Currency:" "gbp"
    ok
    click "New currency..."
    set "Currency:" "NOK"
    cancel
    ok
  )");
  EXPECT_EQ(Run(dialog), IDOK);
  EXPECT_EQ(dialog.GetHolidayTable(), TableOf({{"CHF", {{"2024-08-01", "Customize"}}},
                                               {"EUR", {}},
                                               {"GBP", {{"2024-12-25", "Christmas Day"}}},
                                               {"USD", {}},
                                               {"gbp", {}}}));
  EXPECT_TRUE(MessageTexts().empty());
}

// A code the stored calendar cannot carry is refused with a warning, and the "New
// currency" dialog stays open for another.
TEST_F(HolidayDialogTest, NewCurrencyRefusesCodesTheCalendarCannotStore) {
  struct Case {
    const char* code;
    const char* message;
  };
  const Case cases[] = {
      {"", "Currency can not be empty"},
      {"   ", "Currency can not be empty"},
      {"X", "Currency must have at least two characters"},
      {" X ", "Currency must have at least two characters"},
      {"A|B", "Currency can not hold \"|\""},
      {"A\tB", "Currency can not hold control characters"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    const std::size_t shown = backend().Messages().size();
    CKELODlgHolidaySetting dialog{HolidayTable()};
    backend().Queue(user::Click{ControlRef::Named("New currency...")});
    backend().Queue(user::SetText{ControlRef::Named("Currency:"), c.code});
    backend().Queue(user::Close{true});
    Then([](ScriptedWindow& window) { EXPECT_EQ(window.Template().title, "New currency"); });
    backend().Queue(user::SetText{ControlRef::Named("Currency:"), "NOK"});
    backend().Queue(user::Close{true});
    backend().Queue(user::Close{true});
    EXPECT_EQ(Run(dialog), IDOK);
    EXPECT_EQ(dialog.GetHolidayTable(),
              TableOf({{"EUR", {}}, {"GBP", {}}, {"NOK", {}}, {"USD", {}}}));
    ASSERT_EQ(backend().Messages().size(), shown + 1);
    const MessageBoxRequest& refusal = backend().Messages().back().request;
    EXPECT_EQ(refusal.text, c.message);
    EXPECT_EQ(refusal.caption, "Message");
    EXPECT_EQ(refusal.Icon(), MessageIcon::Warning);
  }
}

TEST_F(HolidayDialogTest, AddNamesWeekendsAndWeekdaysAndRefusesADateTwice) {
  CKELODlgHolidaySetting dialog{TableOf({{"EUR", {{"2024-05-01", "Labour Day"}}}})};
  Script(R"(
    pick 12064 2024-05-04
    click "Add"
    pick 12064 2024-05-08
    click "Add"
    pick 12064 2024-05-04
    click "Add"
    expect-message "The date of the holiday already added"
    pick 12064 2024-05-01
    click "Add"
  )");
  Then([](ScriptedWindow& window) {
    EXPECT_EQ(Rows(window), (std::vector<ListViewRow>{{"2024-05-01", "Labour Day"},
                                                      {"2024-05-04", "Weekend"},
                                                      {"2024-05-08", "Customize"}}));
  });
  Script("ok");
  EXPECT_EQ(Run(dialog), IDOK);
  EXPECT_EQ(*dialog.GetHolidayTable().Find("EUR"), (HolidayList{{"2024-05-01", "Labour Day"},
                                                                {"2024-05-04", "Weekend"},
                                                                {"2024-05-08", "Customize"}}));
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"The date of the holiday already added",
                                                      "The date of the holiday already added"}));
}

TEST_F(HolidayDialogTest, ADateWhoseWeekdayCannotBeComputedIsNotAdded) {
  CKELODlgHolidaySetting dialog{HolidayTable()};
  Script(R"(
    pick 12064 1969-12-31
    click "Add"
    pick 12064 3001-01-01
    click "Add"
    pick 12064 1970-01-01
    click "Add"
  )");
  Then([](ScriptedWindow& window) {
    EXPECT_EQ(Rows(window), (std::vector<ListViewRow>{{"1970-01-01", "Customize"}}));
  });
  Script("ok");
  EXPECT_EQ(Run(dialog), IDOK);
  EXPECT_EQ(dialog.GetHolidayTable().Find("EUR")->size(), 1u);
  const std::vector<std::string> messages = MessageTexts();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_NE(messages[0].find("1969-12-31"), std::string::npos) << messages[0];
  EXPECT_NE(messages[1].find("3001-01-01"), std::string::npos) << messages[1];
}

TEST_F(HolidayDialogTest, AddHolidayOfYearFillsTheYearOnceAndSilently) {
  CKELODlgHolidaySetting dialog{HolidayTable()};
  Script(R"(
    select 12065 "GBP"
    year 12071 2024
    click "Add holiday of year"
  )");
  Then([](ScriptedWindow& window) {
    const std::vector<ListViewRow> added = window.RowsInInsertionOrder(IDC_HOLIDAY_LIST);
    ASSERT_EQ(added.size(), 112u);
    EXPECT_EQ(added[0], (ListViewRow{"2024-01-01", "New Year's Day"}));
    EXPECT_EQ(added[7], (ListViewRow{"2024-12-26", "Boxing Day"}));
    EXPECT_EQ(added[8], (ListViewRow{"2024-01-06", "Weekend"}));
    const std::vector<ListViewRow> shown = Rows(window);
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));
  });
  Script("click \"Add holiday of year\"");
  Then([](ScriptedWindow& window) { EXPECT_EQ(Rows(window).size(), 112u); });
  Script("ok");
  EXPECT_EQ(Run(dialog), IDOK);
  EXPECT_EQ(dialog.GetHolidayTable().Find("GBP")->size(), 112u);
  EXPECT_TRUE(dialog.GetHolidayTable().Find("EUR")->empty());
  EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(HolidayDialogTest, RemoveTakesExactlyTheSelectedRows) {
  const HolidayList entries = {{"2024-01-01", "a"},
                               {"2024-02-01", "b"},
                               {"2024-03-01", "c"},
                               {"2024-04-01", "d"},
                               {"2024-05-01", "e"}};
  CKELODlgHolidaySetting dialog{TableOf({{"EUR", entries}, {"GBP", entries}})};
  Script(R"(
    click "Remove"
    rows 12063 2024-01-01 2024-03-01 2024-05-01
    click "Remove"
  )");
  Then([](ScriptedWindow& window) {
    EXPECT_EQ(Rows(window), (std::vector<ListViewRow>{{"2024-02-01", "b"}, {"2024-04-01", "d"}}));
    EXPECT_EQ(window.SelectedRowCount(IDC_HOLIDAY_LIST), 0);
  });
  Script("click \"Remove\"\nok");
  EXPECT_EQ(Run(dialog), IDOK);
  EXPECT_EQ(*dialog.GetHolidayTable().Find("EUR"),
            (HolidayList{{"2024-02-01", "b"}, {"2024-04-01", "d"}}));
  EXPECT_EQ(*dialog.GetHolidayTable().Find("GBP"), entries);
  EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(HolidayDialogTest, RemoveAllEmptiesTheShownCurrencyOnly) {
  const HolidayList entries = {{"2024-07-04", "Independence Day"}, {"2024-11-28", "Thanksgiving"}};
  CKELODlgHolidaySetting dialog{TableOf({{"USD", entries}, {"GBP", entries}})};
  Script(R"(
    select 12065 "USD"
    click "Remove All"
  )");
  Then([](ScriptedWindow& window) {
    EXPECT_TRUE(Rows(window).empty());
    EXPECT_EQ(window.Items(IDC_HOLIDAY_CURRENCY), (std::vector<std::string>{"EUR", "GBP", "USD"}));
  });
  Script("ok");
  EXPECT_EQ(Run(dialog), IDOK);
  EXPECT_EQ(dialog.GetHolidayTable(), TableOf({{"EUR", {}}, {"GBP", entries}, {"USD", {}}}));
}

TEST_F(HolidayDialogTest, SelectingTheShownCurrencyAgainKeepsTheList) {
  CKELODlgHolidaySetting dialog{TableOf({{"EUR", {{"2024-01-01", "a"}, {"2024-02-01", "b"}}}})};
  // A rebuilt list would lose the row selection.
  Script("rows 12063 2024-02-01\nselect 12065 \"EUR\"");
  Then([](ScriptedWindow& window) {
    EXPECT_EQ(window.SelectedRows(IDC_HOLIDAY_LIST), std::vector<int>{1});
  });
  Script("select 12065 \"GBP\"\nselect 12065 \"EUR\"");
  Then([](ScriptedWindow& window) {
    EXPECT_EQ(Rows(window).size(), 2u);
    EXPECT_EQ(window.SelectedRowCount(IDC_HOLIDAY_LIST), 0);
  });
  EXPECT_EQ(Run(dialog), IDCANCEL);
}

TEST_F(HolidayDialogTest, CancelLeavesTheOpenersTableAsItWas) {
  const HolidayTable opener = TableOf({{"USD", {{"2024-07-04", "Independence Day"}}}});
  for (const char* ending : {"cancel", ""}) {
    SCOPED_TRACE(ending);
    CKELODlgHolidaySetting dialog(opener);
    Script(R"(
      select 12065 "USD"
      click "Remove All"
      year 12071 2030
      click "Add holiday of year"
      pick 12064 2024-05-08
      click "Add"
    )");
    Script(ending);
    EXPECT_EQ(Run(dialog), IDCANCEL);
    EXPECT_EQ(opener, TableOf({{"USD", {{"2024-07-04", "Independence Day"}}}}));
  }
}

TEST_F(HolidayDialogTest, TheYearPickerOffersTheYears2010To2099Only) {
  {
    CKELODlgHolidaySetting dialog{HolidayTable()};
    Then([](ScriptedWindow& window) {
      const ScriptedControl& year = window.Control(IDC_HOLIDAY_YEAR);
      EXPECT_EQ(year.earliest, (DateTimeValue{2010, 1, 1, 0, 0, 0}));
      EXPECT_EQ(year.latest, (DateTimeValue{2099, 12, 30, 12, 0, 0}));
      EXPECT_EQ(year.format, "yyy");
      const ScriptedControl& date = window.Control(IDC_HOLIDAY_DATE);
      EXPECT_FALSE(date.earliest || date.latest);
      EXPECT_EQ(date.date, (DateTimeValue{2024, 5, 8, 10, 0, 0}));
    });
    Script("year 12071 2010\nyear 12071 2099\nclick \"Add holiday of year\"\nok");
    EXPECT_EQ(Run(dialog), IDOK);
    EXPECT_EQ(dialog.GetHolidayTable().Find("EUR")->begin()->first.substr(0, 4), "2099");
  }
  for (const char* year : {"2009", "2100"}) {
    CKELODlgHolidaySetting dialog{HolidayTable()};
    Script(std::string("year 12071 ") + year);
    try {
      Run(dialog);
      ADD_FAILURE() << "year " << year << " was accepted";
    } catch (const ScriptError& error) {
      EXPECT_NE(std::string(error.what()).find("(2010 to 2099)"), std::string::npos)
          << error.what();
    }
  }
}

TEST_F(HolidayDialogTest, CommandsNeedASelectedCurrency) {
  const HolidayTable opener = TableOf({{"EUR", {{"2024-01-01", "a"}}}});
  CKELODlgHolidaySetting dialog(opener);
  Script(R"(
    select 12065 none
    click "Add"
    click "Add holiday of year"
    click "Remove"
    click "Remove All"
    click "Import..."
    click "Export..."
  )");
  Then([](ScriptedWindow& window) { EXPECT_TRUE(Rows(window).empty()); });
  Script("ok");
  EXPECT_EQ(Run(dialog), IDOK);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>(6, kSelectFirst));
  EXPECT_TRUE(backend().FileRequests().empty());
  EXPECT_EQ(dialog.GetHolidayTable(),
            TableOf({{"EUR", {{"2024-01-01", "a"}}}, {"GBP", {}}, {"USD", {}}}));
}

// Twenty thousand entries: every command must stay at most O(n log n).
TEST_F(HolidayDialogTest, LargeListsStayInStepWithTheTable) {
  HolidayList many;
  std::chrono::sys_days day = std::chrono::sys_days{std::chrono::year{1970} / 1 / 1};
  for (int i = 0; i < 20000; ++i, day += std::chrono::days{1}) {
    const std::chrono::year_month_day date{day};
    many.emplace(FormatDateKey(static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                               static_cast<unsigned>(date.day())),
                 "Customize");
  }
  HolidayTable year2060;
  year2060.EnsureCurrency("EUR");
  const std::size_t expected = 10000 + year2060.AddHolidaysOfYear("EUR", 2060).size();
  CKELODlgHolidaySetting dialog{TableOf({{"EUR", many}, {"XXX", many}})};
  Then([](ScriptedWindow& window) {
    EXPECT_EQ(Rows(window).size(), 20000u);
    std::vector<int> everyOther;
    for (int row = 0; row < 20000; row += 2) everyOther.push_back(row);
    window.UserSelectRows(IDC_HOLIDAY_LIST, everyOther);
  });
  Script(R"(
    click "Remove"
    year 12071 2060
    click "Add holiday of year"
  )");
  Then([expected](ScriptedWindow& window) {
    EXPECT_EQ(Rows(window).size(), expected);
    const std::vector<ListViewRow> rows = Rows(window);
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end()));
  });
  Script(R"(
    select 12065 "XXX"
    click "Remove All"
    ok
  )");
  EXPECT_EQ(Run(dialog), IDOK);
  EXPECT_EQ(dialog.GetHolidayTable().Find("EUR")->size(), expected);
  EXPECT_TRUE(dialog.GetHolidayTable().Find("XXX")->empty());
}

}  // namespace
}  // namespace kelo
