#include "kelo/holiday/StandardHolidays.h"

#include <chrono>
#include <string>

#include "kelo/holiday/Calendar.h"

namespace kelo {

namespace {

using std::chrono::August;
using std::chrono::December;
using std::chrono::February;
using std::chrono::January;
using std::chrono::July;
using std::chrono::last;
using std::chrono::May;
using std::chrono::Monday;
using std::chrono::November;
using std::chrono::October;
using std::chrono::September;
using std::chrono::sys_days;
using std::chrono::Thursday;
using std::chrono::year_month_day;

constexpr std::string_view kWeekendMarker = "(*)";

// The rules that mark a holiday falling on a weekend day; the others keep their
// plain names and no rule moves a holiday to a substitute day.
enum class Marker { kNone, kOnWeekend };

HolidayItem Item(year_month_day date, std::string_view remark, Marker marker = Marker::kNone) {
  HolidayItem item{date, std::string(remark)};
  if (marker == Marker::kOnWeekend && IsWeekendDay(DayOfWeek(date))) item.remark += kWeekendMarker;
  return item;
}

year_month_day Shifted(year_month_day date, int days) {
  return year_month_day{sys_days{date} + std::chrono::days{days}};
}

std::vector<HolidayItem> EurHolidays(std::chrono::year y) {
  return {Item(y / May / 1, "Labour Day", Marker::kOnWeekend)};
}

std::vector<HolidayItem> GbpHolidays(std::chrono::year y) {
  const MonthDay easter = EasterSunday(static_cast<unsigned>(static_cast<int>(y)));
  const year_month_day easterSunday{y, std::chrono::month{easter.month},
                                    std::chrono::day{easter.day}};
  return {
      Item(y / January / 1, "New Year's Day"),
      Item(Shifted(easterSunday, -2), "Good Friday"),
      Item(Shifted(easterSunday, 1), "Easter Monday"),
      Item(year_month_day{y / May / Monday[1]}, "May Day"),
      Item(year_month_day{y / May / Monday[last]}, "Spring Bank Holiday"),
      Item(year_month_day{y / August / Monday[last]}, "Summer Bank Holiday"),
      Item(y / December / 25, "Christmas Day"),
      Item(y / December / 26, "Boxing Day"),
  };
}

std::vector<HolidayItem> UsdHolidays(std::chrono::year y) {
  return {
      Item(year_month_day{y / January / Monday[3]}, "MLK Day"),
      Item(year_month_day{y / February / Monday[3]}, "President's Day"),
      Item(y / July / 4, "Independence Day", Marker::kOnWeekend),
      Item(year_month_day{y / September / Monday[1]}, "Labor Day"),
      Item(year_month_day{y / October / Monday[2]}, "Columbus Day"),
      Item(y / November / 11, "Veteran's Day"),
      Item(year_month_day{y / November / Thursday[4]}, "Thanksgiving Day"),
  };
}

}  // namespace

std::vector<HolidayItem> StandardHolidays(std::string_view currency, unsigned year) {
  RequireCalendarYear(year);
  const std::chrono::year y{static_cast<int>(year)};
  if (currency == "EUR") return EurHolidays(y);
  if (currency == "GBP") return GbpHolidays(y);
  if (currency == "USD") return UsdHolidays(y);
  return {};
}

std::vector<HolidayItem> HolidaysOfYear(std::string_view currency, unsigned year) {
  std::vector<HolidayItem> items = StandardHolidays(currency, year);
  const std::chrono::year y{static_cast<int>(year)};
  // The true length of the Gregorian year, so that 2100, 2200, ... have 365 days.
  const sys_days firstDay{y / January / 1};
  const sys_days lastDay{y / December / 31};
  items.reserve(items.size() + 106);
  for (sys_days d = firstDay; d <= lastDay; d += std::chrono::days{1}) {
    const std::chrono::weekday wd{d};
    if (wd == std::chrono::Saturday || wd == std::chrono::Sunday) {
      const year_month_day date{d};
      items.push_back(Item(date, std::string(kWeekendRemark)));
    }
  }
  return items;
}

}  // namespace kelo
