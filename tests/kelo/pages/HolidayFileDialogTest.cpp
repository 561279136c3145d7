// "Import..." and "Export..." of the holiday setting dialog, played by scripts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "kelo/config/HolidayTableText.h"
#include "kelo/pages/CKELODlgHolidaySetting.h"
#include "kelo/pages/HolidaySettingIds.h"
#include "kelo/pages/HolidaySettingTemplate.h"
#include "tests/ScratchFolder.h"
#include "ui/TemplateRegistry.h"
#include "ui/backend/ScopedUiBackend.h"
#include "ui/scripted/ScriptedBackend.h"

namespace kelo {
namespace {

namespace fs = std::filesystem;

class HolidayFileDialogTest : public ::testing::Test {
 protected:
  HolidayFileDialogTest()
      : backend_(new ScriptedBackend), scope_(std::unique_ptr<UiBackend>(backend_)) {
    backend_->SetNow(DateTimeValue{2024, 5, 8, 10, 0, 0});
    EXPECT_TRUE(TemplateRegistry::Instance().Register(&owner_, {HolidaySettingTemplate()}));
  }
  ~HolidayFileDialogTest() override { TemplateRegistry::Instance().Withdraw(&owner_); }

  // Runs the dialog over the table with the script; the dialog's table after OK.
  HolidayTable RunDialog(const HolidayTable& table, const std::string& script) {
    CKELODlgHolidaySetting dialog(table);
    backend_->Load(script + "\nok\n");
    EXPECT_EQ(dialog.DoModal(), IDOK);
    return dialog.GetHolidayTable();
  }
  // The texts of the message boxes shown, a warning marked "warning: ".
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const MessageRecord& record : backend_->Messages()) {
      EXPECT_EQ(record.request.caption, "Message");
      EXPECT_EQ(record.request.Buttons(), MB_OK);
      const bool warning = record.request.Icon() == MessageIcon::Warning;
      EXPECT_TRUE(warning || record.request.Icon() == MessageIcon::None);
      texts.push_back((warning ? "warning: " : "") + record.request.text);
    }
    return texts;
  }
  ScriptedBackend& backend() { return *backend_; }
  std::string PathOf(const std::string& name) const { return scratch_.Path(name); }

 private:
  ScriptedBackend* backend_;
  ScopedUiBackend scope_;
  int owner_ = 0;
  const ScratchFolder scratch_{"holiday-dialog"};
};

TEST_F(HolidayFileDialogTest, ImportAddsTheFeedsDaysThatAddHolidayOfYearDidNotGive) {
  const HolidayTable table = RunDialog(HolidayTable(), R"(
    select "Currency:" "GBP"
    year 12071 2022
    click "Add holiday of year"
    year 12071 2023
    click "Add holiday of year"
    click "Import..."
    file ")" EXAMPLE_CALENDARS R"(/england-and-wales-2022-2023.ics"
    print-added 12063
  )");
  EXPECT_EQ(Messages(), (std::vector<std::string>{
                            "7 dates added to GBP.\n"
                            "12 dates were already there and kept their remarks.\n"
                            "0 skipped.\n"
                            "2 remarks were changed to fit the stored text: \"|\" as \"/\", "
                            "line breaks as blanks, other characters outside ISO-8859-1 as "
                            "\"?\"."}));
  // The rows shown since the list was last filled end with the imported days.
  const std::string output = backend().Output();
  EXPECT_TRUE(
      output.ends_with("2022-01-03 New Year's Day (substitute day)\n"
                       "2022-06-02 Spring bank holiday\n"
                       "2022-06-03 Platinum Jubilee bank holiday\n"
                       "2022-09-19 Bank Holiday for the State Funeral of Queen Elizabeth II\n"
                       "2022-12-27 Christmas Day (substitute day)\n"
                       "2023-01-02 New Year's Day (substitute day)\n"
                       "2023-05-08 Bank holiday for the coronation of King Charles III\n"))
      << output;
  EXPECT_EQ(table.Find("GBP")->size(), 111u + 112u + 7u);  // 2022, 2023, imported

  ASSERT_EQ(backend().FileRequests().size(), 1u);
  const FileChooserRequest& request = backend().FileRequests()[0];
  EXPECT_TRUE(request.open);
  ASSERT_FALSE(request.filters.empty());
  EXPECT_EQ(request.filters[0].patterns, (std::vector<std::string>{"*.ics", "*.csv"}));
}

TEST_F(HolidayFileDialogTest, ExportedFilesImportIntoAnEmptyCurrencyAsTheSameStoredText) {
  HolidayTable opener;
  opener.EnsureCurrency("GBP");
  opener.AddHolidaysOfYear("GBP", 2024);
  opener.AddHoliday("GBP", 2024, 7, 16, "F\xEAte, \"nationale\"");
  opener.EnsureCurrency("AUD");
  opener.EnsureCurrency("CHF");
  const HolidayTable table = RunDialog(opener, R"(
    select 12065 "GBP"
    click "Export..."
    save-as ")" + PathOf("gbp") + R"("
    click "Export..."
    save-as ")" + PathOf("gbp.csv") + R"("
    select 12065 "AUD"
    click "Import..."
    file ")" + PathOf("gbp.ics") + R"("
    select 12065 "CHF"
    click "Import..."
    file ")" + PathOf("gbp.csv") + R"("
  )");
  const std::string stored = FormatHolidayText(*opener.Find("GBP"));
  EXPECT_EQ(FormatHolidayText(*table.Find("AUD")), stored);
  EXPECT_EQ(FormatHolidayText(*table.Find("CHF")), stored);
  const std::vector<std::string> messages = Messages();
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_EQ(messages[0], "113 dates of GBP written to gbp.ics.");
  EXPECT_EQ(messages[1], "113 dates of GBP written to gbp.csv.");
  EXPECT_EQ(messages[2].substr(0, messages[2].find('\n')), "113 dates added to AUD.");
  const std::vector<FileChooserRequest>& requests = backend().FileRequests();
  ASSERT_EQ(requests.size(), 4u);
  EXPECT_FALSE(requests[0].open);
  EXPECT_EQ(requests[0].initialFileName, "GBP-holidays.ics");
  EXPECT_TRUE(requests[0].flags & OFN_OVERWRITEPROMPT);
}

TEST_F(HolidayFileDialogTest, AFileThatCannotBeReadOrWrittenChangesNothing) {
  HolidayTable opener;
  opener.EnsureCurrency("GBP");
  opener.AddHoliday("GBP", 2024, 1, 1, "New Year's Day");
  std::ofstream(PathOf("broken.ics")) << "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\n";
  fs::create_directory(PathOf("folder.csv"));
  const HolidayTable table = RunDialog(opener, R"(
    select 12065 "GBP"
    click "Import..."
    file ")" + PathOf("missing.ics") + R"("
    click "Import..."
    file ")" + PathOf("broken.ics") + R"("
    click "Import..."
    cancel
    click "Export..."
    save-as ")" + PathOf("list.txt") + R"("
    click "Export..."
    save-as ")" + PathOf("folder.csv") + R"("
    click "Export..."
    cancel
  )");
  EXPECT_EQ(*table.Find("GBP"), *opener.Find("GBP"));
  const std::vector<std::string> messages = Messages();
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_EQ(messages[0],
            "warning: The holidays were not imported: missing.ics: No such file or directory");
  EXPECT_EQ(messages[1].rfind("warning: The holidays were not imported: broken.ics: it is not an "
                              "iCalendar file",
                              0),
            0u)
      << messages[1];
  EXPECT_EQ(messages[2],
            "warning: The holidays were not exported: list.txt: the name ends neither in .ics nor "
            "in .csv");
  EXPECT_EQ(messages[3].rfind("warning: The holidays were not exported: ", 0), 0u) << messages[3];
  EXPECT_FALSE(fs::exists(PathOf("list.txt")));
}

// A calendar no real program writes, so deep that libical's recursion overflowed the
// stack freeing it: the dialog warns and keeps what the user had done in it.
TEST_F(HolidayFileDialogTest, AHostileCalendarIsRefusedAndTheWindowKeepsItsWork) {
  std::string nested = "BEGIN:VCALENDAR\r\n";
  for (int i = 0; i < 400000; ++i) nested += "BEGIN:X\r\n";
  for (int i = 0; i < 400000; ++i) nested += "END:X\r\n";
  std::ofstream(PathOf("nested.ics"), std::ios::binary) << nested << "END:VCALENDAR\r\n";
  std::ofstream(PathOf("twice.csv"), std::ios::binary) << "2024-01-02,x\n2024-01-02,y\n";
  HolidayTable opener;
  const HolidayTable table = RunDialog(opener, R"(
    select 12065 "GBP"
    click "Add holiday of year"
    click "Import..."
    file ")" + PathOf("nested.ics") + R"("
    select 12065 "EUR"
    click "Import..."
    file ")" + PathOf("twice.csv") + R"("
  )");
  EXPECT_EQ(table.Find("GBP")->size(), 112u);  // "Add holiday of year" for 2024
  EXPECT_EQ(FormatHolidayText(*table.Find("EUR")), "2024-01-02|x|");
  const std::vector<std::string> messages = Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0],
            "warning: The holidays were not imported: nested.ics: it nests components deeper "
            "than 32 levels");
  EXPECT_EQ(messages[1],
            "1 date added to EUR.\n"
            "0 dates were already there and kept their remarks.\n"
            "1 date was given again in the file and taken once, with the first remark.\n"
            "0 skipped.");
}

}  // namespace
}  // namespace kelo
