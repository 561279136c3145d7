#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <variant>

#include "kelo/holiday/HolidayTable.h"
#include "props/CPrivateProperty.h"

namespace kelo {

// One stored field of a configuration record: a row of the record's field table.
// Each record lists its fields once, in one table, in the order they are stored; what
// the table drives, and what still has to follow a new field by hand, is listed in
// RecordFields.h.
template <class Record>
struct RecordField {
  // A question asked of one record: whether a field shows, or is compared.
  using Test = bool (*)(const Record&);

  template <class T, class Default = T>
  struct Slot {
    T Record::*member;
    Default fallback;
  };
  using Text = Slot<std::string, const char*>;
  using Flag = Slot<bool>;
  using Number = Slot<std::int32_t>;
  // The holiday calendar: empty by default, and stored only through a Storage.
  struct Calendar {
    HolidayTable Record::*member;
  };

  // A field stored in a form of its own instead of as its plain value under its key.
  struct Storage {
    // Null when the record reads the field itself, outside the table.
    void (*read)(const CPrivateProperty& bag, Record& record);
    void (*write)(const Record& record, CPrivateProperty& bag);
    // Null: the change check compares the values read. Otherwise it compares the
    // stored forms of the two bags, which must answer as comparing the values would;
    // it does so after every other field, as it is the costly comparison.
    bool (*sameStored)(const CPrivateProperty& first, const CPrivateProperty& second);
  };

  // Where the field shows in the summary line.
  struct Summary {
    // The item's label, ending in "="; null when the summary leaves the field out.
    const char* label = nullptr;
    // Items show in ascending place, numbered from 1 without gaps.
    int place = 0;
    // Null: shown whenever the record is summarised.
    Test shown = nullptr;
    // The value continues the item of the same place, after label (a joint such as
    // ":"), instead of opening an item of its own. Text fields only.
    bool continues = false;
  };

  // A row names every column but the storage, so that none is left out by mistake.
  constexpr RecordField(const char* key, std::variant<Text, Flag, Number, Calendar> slot,
                        Summary summary, Test compared, const Storage* storage = nullptr)
      : key(key),
        keySize(std::char_traits<char>::length(key)),
        slot(slot),
        summary(summary),
        compared(compared),
        storage(storage) {}

  const char* key;
  std::size_t keySize;  // of key, so that reading a record measures no key
  std::variant<Text, Flag, Number, Calendar> slot;
  Summary summary;
  // When a change of this field counts in the change check (Always, Never, or a test
  // of the record). The test is asked of one record of the two, so it may read only
  // fields that are themselves compared whenever it holds: then both records answer
  // alike, and swapping them never changes the result.
  Test compared;
  // Null: the plain value is stored under the key.
  const Storage* storage;
};

template <class Record>
using FieldTable = std::span<const RecordField<Record>>;

template <class Record>
constexpr bool Always(const Record&) {
  return true;
}

template <class Record>
constexpr bool Never(const Record&) {
  return false;
}

}  // namespace kelo
