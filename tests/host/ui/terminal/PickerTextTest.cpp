#include <gtest/gtest.h>

#include "ui/terminal/PickerText.h"

namespace {

TEST(PickerText, ShowsAndReadsWhatTheFormatShows) {
  EXPECT_EQ(PartsOfFormat(""), PickerParts::Date);
  EXPECT_EQ(PartsOfFormat("yyy"), PickerParts::Year);
  EXPECT_EQ(PartsOfFormat("dd/MM/yyyy"), PickerParts::Date);
  EXPECT_EQ(PartsOfFormat("yyyy-MM-dd HH:mm"), PickerParts::DateAndTime);
  EXPECT_EQ(PartsOfFormat("'year' yyy"), PickerParts::Year) << "quoted letters are no field";

  const DateTimeValue value{2024, 6, 5, 8, 5, 7};
  const PickerText date(PickerParts::Date);
  const PickerText year(PickerParts::Year);
  const PickerText both(PickerParts::DateAndTime);
  EXPECT_EQ(date.Show(value), "2024-06-05");
  EXPECT_EQ(year.Show(value), "2024");
  EXPECT_EQ(both.Show(value), "2024-06-05 08:05:07");

  struct Case {
    const PickerText* picker;
    const char* text;
    std::optional<DateTimeValue> read;
  };
  const Case cases[] = {
      {&date, "2025-02-28", DateTimeValue{2025, 2, 28, 8, 5, 7}},
      {&date, "2025-02-29", std::nullopt},  // no such day
      {&date, "2025-13-01", std::nullopt},
      {&date, "2025/02/28", std::nullopt},
      {&date, "2025-2-28", std::nullopt},
      {&date, "0000-01-01", std::nullopt},
      {&year, "2050", DateTimeValue{2050, 6, 5, 8, 5, 7}},
      {&both, "2024-06-05 23:59:59", DateTimeValue{2024, 6, 5, 23, 59, 59}},
      {&both, "2024-06-05 24:00:00", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(c.picker->Parse(c.text, value), c.read);
  }
  const DateTimeValue leapDay{2024, 2, 29};
  EXPECT_EQ(year.Parse("2025", leapDay), (DateTimeValue{2025, 2, 28}))
      << "a year alone moves the hidden day into its February";
}

TEST(PickerText, StepsThePartUnderTheCursorWithoutWrapping) {
  const PickerText date(PickerParts::Date);
  const DateTimeValue start{2024, 1, 31};
  EXPECT_EQ(date.PartAt(0), 0);
  EXPECT_EQ(date.PartAt(4), 0) << "a separator goes with the part before it";
  EXPECT_EQ(date.PartAt(6), 1);
  EXPECT_EQ(date.PartAt(9), 2);
  EXPECT_EQ(date.Step(start, 1, 1), (DateTimeValue{2024, 2, 29})) << "to the shorter month's end";
  EXPECT_EQ(date.Step(start, 2, 1), start) << "no day after the month's last";
  EXPECT_EQ(date.Step({2024, 12, 1}, 1, 1), (DateTimeValue{2024, 12, 1})) << "no wrap to January";
  EXPECT_EQ(date.Step({2024, 2, 29}, 0, 1), (DateTimeValue{2025, 2, 28}));
  EXPECT_EQ(date.NextDigit(3, 1), 5) << "the cursor skips the separator";
  EXPECT_EQ(date.NextDigit(5, -1), 3);
  EXPECT_EQ(date.NextDigit(9, 1), 9) << "and stays at the end";
}

}  // namespace
