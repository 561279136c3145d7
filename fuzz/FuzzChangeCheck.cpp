// The configuration change checks on pairs of documents. The input is split at its
// first zero byte (which no document may hold) into the first and the second text.
// Swapping the texts never changes the answer, a document never differs from
// itself, and each answer is the one that reading both documents in full and
// comparing the records field by field, as their tables say, would give.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "kelo/config/CKELODynRecSetConfig.h"
#include "kelo/config/CKELOStaticRecSetConfig.h"
#include "kelo/config/ConfigChangeAction.h"
#include "kelo/config/ConfigChanges.h"
#include "kelo/config/HandlerConfig.h"
#include "kelo/config/RecordFields.h"
#include "props/CHandlerPrivateProps.h"
#include "props/XmlError.h"

namespace {

enum class Kind { Handler, Static, Dynamic };

const char* Name(Kind kind) {
  switch (kind) {
    case Kind::Handler:
      return "handler";
    case Kind::Static:
      return "static record set";
    case Kind::Dynamic:
      return "dynamic record set";
  }
  return "";
}

// The check's answer, or nullopt when it threw the parser's error.
std::optional<int> Answer(Kind kind, const std::string& first, const std::string& second) {
  try {
    if (kind == Kind::Handler) return kelo::CheckHandlerConfigChange(first, second);
    return kelo::CheckRecordSetConfigChange(first, second, kind == Kind::Dynamic);
  } catch (const XmlError&) {
    return std::nullopt;
  }
}

std::string AnswerText(const std::optional<int>& answer) {
  return answer ? std::to_string(*answer) : "a refusal";
}

template <typename Record>
Record Read(const CHandlerPrivateProps& bag) {
  Record record;
  record.ReadFromProperty(bag);
  return record;
}

// The answer that reading both records in full, the calendar included, and comparing
// each field the record's table compares, value against value, would give. The check
// itself reads the handler without its calendar and compares the stored calendars.
template <typename Record>
bool SameAsRead(const Record& a, const Record& b) {
  bool same = true;
  kelo::ForEachField<Record>(Record::Fields(), [&](const auto& field, auto member) {
    if (field.compared(a)) same = same && a.*member == b.*member;
  });
  return same;
}

int ExpectedAnswer(Kind kind, const CHandlerPrivateProps& first,
                   const CHandlerPrivateProps& second) {
  switch (kind) {
    case Kind::Handler:
      return SameAsRead(Read<kelo::HandlerConfig>(first), Read<kelo::HandlerConfig>(second))
                 ? kelo::kChangeNone
                 : kelo::kChangeRestartHandler;
    case Kind::Static:
      return SameAsRead(Read<kelo::CKELOStaticRecSetConfig>(first),
                        Read<kelo::CKELOStaticRecSetConfig>(second))
                 ? kelo::kChangeNone
                 : kelo::kChangeRecordSet;
    case Kind::Dynamic:
      return SameAsRead(Read<kelo::CKELODynRecSetConfig>(first),
                        Read<kelo::CKELODynRecSetConfig>(second))
                 ? kelo::kChangeNone
                 : kelo::kChangeRecordSet;
  }
  return -1;
}

bool Parses(const std::string& text, CHandlerPrivateProps& bag) {
  try {
    bag.fromXML(text);
    return true;
  } catch (const XmlError&) {
    return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = input.find('\0');
  const std::string first = input.substr(0, split);
  const std::string second = split == std::string::npos ? std::string() : input.substr(split + 1);

  CHandlerPrivateProps firstBag;
  CHandlerPrivateProps secondBag;
  const bool firstParses = Parses(first, firstBag);
  const bool secondParses = Parses(second, secondBag);

  for (const Kind kind : {Kind::Handler, Kind::Static, Kind::Dynamic}) {
    const std::optional<int> forward = Answer(kind, first, second);
    const std::optional<int> backward = Answer(kind, second, first);
    FUZZ_CHECK(forward == backward, std::string(Name(kind)) + ": " + AnswerText(forward) +
                                        " one way, " + AnswerText(backward) + " the other");
    FUZZ_CHECK(forward.has_value() == (firstParses && secondParses),
               std::string(Name(kind)) + ": " + AnswerText(forward) + " for documents that " +
                   (firstParses && secondParses ? "parse" : "do not parse"));
    if (!forward) continue;

    const int expected = ExpectedAnswer(kind, firstBag, secondBag);
    FUZZ_CHECK(*forward == expected, std::string(Name(kind)) + ": " + AnswerText(forward) +
                                         ", expected " + std::to_string(expected));
    FUZZ_CHECK(Answer(kind, first, first) == kelo::kChangeNone,
               std::string(Name(kind)) + ": the first document differs from itself");
  }
  return 0;
}
