#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "tool/output/JsonOutput.h"
#include "tool/review/ConfigurationView.h"

// A currency's holidays in one year, as a twelve-month grid shows them.

// How the grid marks a holiday.
enum class HolidayKind {
  Rule,     // what "Add holiday of year" adds for the currency, apart from weekends
  Weekend,  // a weekend day, as "Add holiday of year" adds them after the rule holidays
  Added,    // any other: added by hand or imported
};

struct YearHoliday {
  std::string date;  // the date key, YYYY-MM-DD
  std::string remark;
  HolidayKind kind = HolidayKind::Added;
  // Listed with its remark below the grid: every holiday but a weekend day whose
  // remark is the one "Add holiday of year" gives it.
  bool listed = true;
};

struct CurrencyYear {
  std::string currency;
  int year = 0;
  std::vector<YearHoliday> holidays;  // in date order
  std::vector<ListViewRow> notDates;  // entries of the year whose key is no date
};

// The currency's holidays of the year, told apart against `filled`: what "Add holiday
// of year" adds to an empty list of the currency for the year, in the order added
// (the rule holidays, then the weekend days in date order with one remark). With
// nothing filled (no rules are known for the currency) every holiday is Added.
CurrencyYear ClassifyYear(const ShownCurrency& currency, int year,
                          const std::vector<ListViewRow>& filled);

// The year as `cal -y` lays it out, weeks from Monday, the holidays marked: on a
// terminal (`terminal`) in reverse video, a weekend faint and one added by hand
// underlined too; otherwise [dd] for a rule holiday, <dd> for one added, (dd) for a
// weekend. A key to the marks and the listed holidays follow the grid.
void PrintYear(const CurrencyYear& year, bool terminal, std::ostream& out);
Json YearJson(const CurrencyYear& year);
