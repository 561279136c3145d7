#include "kelo/holidayfile/CsvHolidays.h"

#include <vector>

#include "kelo/holiday/Calendar.h"
#include "kelo/holidayfile/FileText.h"
#include "kelo/holidayfile/StoredRemark.h"

namespace kelo {

namespace {

struct CsvRow {
  std::vector<std::string> fields;
  std::size_t line = 0;
  bool wellFormed = true;
};

// Cuts the text into rows of fields by RFC 4180. A quote inside an unquoted field is
// taken as it stands; text between a closing quote and the next comma, or a quoted
// field still open at the end, makes the row ill-formed.
class CsvReader {
 public:
  explicit CsvReader(std::string_view text) : text_(text) {}

  bool Next(CsvRow& row) {
    if (at_ >= text_.size()) return false;
    row = CsvRow{{std::string()}, line_, true};
    while (at_ < text_.size()) {
      const char c = text_[at_];
      if (c == '\r' || c == '\n') {
        EndLine();
        return true;
      }
      ++at_;
      if (c == ',') {
        row.fields.emplace_back();
      } else if (c == '"' && row.fields.back().empty() && !quotedBefore_) {
        ReadQuoted(row);
      } else if (quotedBefore_) {
        row.wellFormed = false;
      } else {
        row.fields.back().push_back(c);
      }
      if (c == ',') quotedBefore_ = false;
    }
    quotedBefore_ = false;
    return true;
  }

 private:
  void EndLine() {
    if (text_[at_] == '\r' && at_ + 1 < text_.size() && text_[at_ + 1] == '\n') ++at_;
    ++at_;
    ++line_;
    quotedBefore_ = false;
  }

  void ReadQuoted(CsvRow& row) {
    std::string& field = row.fields.back();
    while (at_ < text_.size()) {
      const char c = text_[at_++];
      if (c == '"') {
        if (at_ < text_.size() && text_[at_] == '"') {
          field.push_back('"');
          ++at_;
          continue;
        }
        quotedBefore_ = true;
        return;
      }
      if (c == '\n' || (c == '\r' && (at_ >= text_.size() || text_[at_] != '\n'))) ++line_;
      field.push_back(c);
    }
    row.wellFormed = false;  // the quote never closed
  }

  std::string_view text_;
  std::size_t at_ = 0;
  std::size_t line_ = 1;
  bool quotedBefore_ = false;  // the current field was quoted and has closed
};

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsBlankRow(const CsvRow& row) {
  return row.wellFormed && row.fields.size() == 1 && Trimmed(row.fields[0]).empty();
}

bool StartsWithDigit(std::string_view text) {
  text = Trimmed(text);
  return !text.empty() && text.front() >= '0' && text.front() <= '9';
}

// A four-digit year and the date's shape, whatever the year: to tell a date outside
// the years from text that is no date at all.
bool LooksLikeIsoDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  return true;
}

bool NeedsQuotes(std::string_view field) {
  return field.find_first_of(",\"\r\n") != std::string_view::npos;
}

void AppendField(std::string& out, std::string_view field) {
  if (!NeedsQuotes(field)) {
    out.append(field);
    return;
  }
  out.push_back('"');
  for (const char c : field) {
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  out.push_back('"');
}

}  // namespace

HolidayFileContent ReadCsvHolidays(std::string_view bytes) {
  const std::string decoded = FileTextAsUtf8(bytes);
  const std::string_view text = decoded;

  HolidayFileContent file;
  CsvReader reader(text);
  CsvRow row;
  bool first = true;
  while (reader.Next(row)) {
    if (IsBlankRow(row)) continue;
    const bool header = first && row.wellFormed && !StartsWithDigit(row.fields[0]);
    first = false;
    if (header) continue;

    std::size_t used = row.fields.size();
    while (used > 2 && Trimmed(row.fields[used - 1]).empty()) --used;
    const std::string_view dateText = Trimmed(row.fields[0]);
    const std::optional<std::chrono::year_month_day> date = ParseIsoDate(dateText);
    if (!row.wellFormed || used > 2 || (!date && !LooksLikeIsoDate(dateText))) {
      file.skipped.push_back({SkipReason::BadRow, row.line});
    } else if (!date) {
      // The shape of a date: out of the years when it is a calendar date at all.
      file.skipped.push_back({SkipReason::BadRow, row.line});
      const unsigned year = static_cast<unsigned>(std::stoul(std::string(dateText.substr(0, 4))));
      if (year < kFirstCalendarYear || year > kLastCalendarYear) {
        file.skipped.back().reason = SkipReason::OutOfYears;
      }
    } else {
      HolidayItem& holiday = file.holidays.emplace_back(HolidayItem{*date, {}});
      if (used == 2) holiday.remark = std::move(row.fields[1]);
    }
  }
  return file;
}

void WriteCsvHolidays(const HolidayList& list, std::size_t& leftOut, const HolidayTextSink& write) {
  leftOut = 0;
  constexpr std::size_t kFlushAt = 256 * 1024;
  std::string out = "date,remark\r\n";
  for (const auto& [dateKey, remark] : list) {
    if (!ParseIsoDate(dateKey)) {
      ++leftOut;
      continue;
    }
    out.append(dateKey);
    out.push_back(',');
    AppendField(out, Latin1ToUtf8(remark));
    out.append("\r\n");
    if (out.size() >= kFlushAt) {
      write(out);
      out.clear();
    }
  }
  write(out);
}

std::string WriteCsvHolidays(const HolidayList& list, std::size_t& leftOut) {
  std::string text;
  WriteCsvHolidays(list, leftOut, [&](std::string_view part) { text.append(part); });
  return text;
}

}  // namespace kelo
