#include "kelo/holidayfile/HolidayFile.h"

#include <stdexcept>

#include "files/AtomicSave.h"
#include "files/InputFile.h"
#include "kelo/holidayfile/CsvHolidays.h"
#include "kelo/holidayfile/FileText.h"
#include "kelo/holidayfile/HolidayFileError.h"
#include "kelo/holidayfile/ICalendarHolidays.h"

namespace kelo {

namespace {

[[noreturn]] void Refuse(std::string_view path, std::string_view reason) {
  throw HolidayFileError(FileNameOf(path) + ": " + std::string(reason));
}

std::string ReadRegularFile(const std::string& path) {
  try {
    return ReadInputFile(path,
                         {.limit = kMaxHolidayFileSize, .nonRegular = NonRegularInput::Refuse});
  } catch (const InputError& error) {
    Refuse(path, error.Reason());
  }
}

bool LooksLikeICalendar(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return false;
  constexpr std::string_view kBegin = "BEGIN:VCALENDAR";
  const std::string_view start = text.substr(first, kBegin.size());
  if (start.size() != kBegin.size()) return false;
  for (std::size_t i = 0; i < start.size(); ++i) {
    const char c = start[i];
    if ((c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c) != kBegin[i]) return false;
  }
  return true;
}

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lowered;
}

}  // namespace

std::optional<HolidayFileType> HolidayFileTypeOf(std::string_view path) {
  const std::string name = Lowered(FileNameOf(path));
  if (name.ends_with(".ics") || name.ends_with(".ical")) return HolidayFileType::ICalendar;
  if (name.ends_with(".csv")) return HolidayFileType::Csv;
  return std::nullopt;
}

std::string FileNameOf(std::string_view path) {
  const std::size_t slash = path.find_last_of('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

HolidayFileContent ReadHolidayFile(const std::string& path) {
  const std::string bytes = ReadRegularFile(path);
  try {
    std::optional<HolidayFileType> type = HolidayFileTypeOf(path);
    if (!type) {
      type = LooksLikeICalendar(FileTextAsUtf8(bytes)) ? HolidayFileType::ICalendar
                                                       : HolidayFileType::Csv;
    }
    // Each reader decodes the bytes itself: an iCalendar file unfolds them first.
    if (*type == HolidayFileType::Csv) return ReadCsvHolidays(bytes);
    return ReadICalendarHolidays(bytes);
  } catch (const HolidayFileError& error) {
    Refuse(path, error.what());
  }
}

HolidayExport WriteHolidayFile(const std::string& path, std::string_view currency,
                               const HolidayList& list) {
  const std::optional<HolidayFileType> type = HolidayFileTypeOf(path);
  if (!type) Refuse(path, "the name ends neither in .ics nor in .csv");
  HolidayExport result;
  // Written as it is made: a large calendar is never held as one text.
  const ContentWriter produce = [&](const ContentSink& write) {
    if (*type == HolidayFileType::Csv)
      WriteCsvHolidays(list, result.leftOut, write);
    else
      WriteICalendarHolidays(currency, list, result.leftOut, write);
  };
  try {
    SaveFileAtomically(path, produce);
  } catch (const std::runtime_error& error) {
    throw HolidayFileError(error.what());
  }
  result.written = list.size() - result.leftOut;
  return result;
}

}  // namespace kelo
