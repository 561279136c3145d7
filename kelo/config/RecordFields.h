#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "kelo/config/PropertyValues.h"
#include "kelo/config/RecordField.h"
#include "kelo/config/SummaryText.h"
#include "props/CPrivateProperty.h"

// What the records do with their field tables (RecordField.h). Each operation walks
// the table; none of them names a field.
//
// A record's table is the one place its fields are described, and it drives: the
// defaults, reading and writing the bag (and so the stored XML and its key order),
// the summary line, the change check (kelo/config/ConfigChanges.cpp), and the
// field-by-field walk (ForEachField) with which the fuzz targets compare records
// (fuzz/RecordDifference.cpp, and the expected answers of fuzz/FuzzChangeCheck.cpp).
// Adding a field is its member plus one row. Still written by hand, and to be
// followed when a field is added: the page that edits it (its control, the template
// row and the DDX_ line in kelo/pages), the rules and summaries the tests state
// (tests/kelo/config/ConfigChangesTest.cpp, ConfigSummariesTest.cpp), the key in the
// fuzz dictionaries (fuzz/dict/fuzz_config_xml.dict, fuzz_change_check.dict), and the
// example configurations under examples/.
namespace kelo {

// Calls visit(field, member) for every row, in table order, with member the typed
// pointer to the record's member (std::string, bool, std::int32_t or HolidayTable).
template <class Record, class Visit>
void ForEachField(FieldTable<Record> fields, Visit&& visit) {
  for (const RecordField<Record>& field : fields)
    std::visit([&](const auto& slot) { visit(field, slot.member); }, field.slot);
}

// Sets every field of the table to its default.
template <class Record>
void SetDefaults(FieldTable<Record> fields, Record& record) {
  for (const RecordField<Record>& field : fields)
    std::visit(
        [&](const auto& slot) {
          using Slot = std::decay_t<decltype(slot)>;
          if constexpr (std::is_same_v<Slot, typename RecordField<Record>::Calendar>) {
            (record.*slot.member).clear();
          } else if constexpr (std::is_same_v<Slot, typename RecordField<Record>::Text>) {
            // Records are made often and nearly every text starts empty.
            if (*slot.fallback == '\0')
              (record.*slot.member).clear();
            else
              record.*slot.member = slot.fallback;
          } else {
            record.*slot.member = slot.fallback;
          }
        },
        field.slot);
}

// Whether a stored name is the key, compared in line: a record's keys are short, and
// reading a record compares each, where a call for each would cost more than the
// comparison.
inline bool SameName(std::string_view name, std::string_view key) {
  const std::size_t size = key.size();
  if (name.size() != size) return false;
  if (size < 8 || size > 24) return name == key;
  // Two or three words that overlap where the size is no multiple of eight.
  const auto word = [](std::string_view text, std::size_t at) {
    std::uint64_t value = 0;
    std::memcpy(&value, text.data() + at, sizeof value);
    return value;
  };
  return word(name, 0) == word(key, 0) && word(name, size - 8) == word(key, size - 8) &&
         (size <= 16 || word(name, 8) == word(key, 8));
}

// Every field from the bag into a record that holds the defaults: a missing key, or
// one holding another kind of value, leaves the default.
template <class Record>
void ReadFields(FieldTable<Record> fields, const CPrivateProperty& bag, Record& record) {
  // A bag the module wrote holds the keys in table order: each is looked for first
  // where the one before it was found, and searched for only when it is not there.
  const CPrivateProperty::PropertyMap& children = bag.Properties();
  auto next = children.begin();
  for (const RecordField<Record>& field : fields) {
    if (field.storage != nullptr) {
      if (field.storage->read != nullptr) field.storage->read(bag, record);
      continue;
    }
    const std::string_view key(field.key, field.keySize);
    const CPrivateProperty* child = nullptr;
    if (next != children.end() && SameName(next->first, key)) {
      child = &next->second;
      ++next;
    } else {
      child = children.find(key);
    }
    std::visit(
        [&](const auto& slot) {
          using T = std::decay_t<decltype(record.*slot.member)>;
          if constexpr (std::is_same_v<T, std::string> || std::is_same_v<T, bool> ||
                        std::is_same_v<T, std::int32_t>)
            ReadValue(child, record.*slot.member);
          // A calendar always has a storage of its own (IsSoundFieldTable).
        },
        field.slot);
  }
}

// Sets every key of the table, in table order; keys already in the bag are
// overwritten in place, none is removed.
template <class Record>
void WriteFields(FieldTable<Record> fields, const Record& record, CPrivateProperty& bag) {
  for (const RecordField<Record>& field : fields) {
    if (field.storage != nullptr) {
      field.storage->write(record, bag);
      continue;
    }
    std::visit(
        [&](const auto& slot) {
          using T = std::decay_t<decltype(record.*slot.member)>;
          if constexpr (std::is_same_v<T, std::string>)
            SetText(bag, field.key, record.*slot.member);
          else if constexpr (std::is_same_v<T, bool> || std::is_same_v<T, std::int32_t>)
            bag.SetValueToProperty(field.key, record.*slot.member);
        },
        field.slot);
  }
}

// The most places a summary line may have; IsSoundFieldTable holds tables to it.
inline constexpr int kMaxSummaryPlaces = 32;

// Adds the items the record shows, in ascending place.
template <class Record>
void SummariseFields(FieldTable<Record> fields, const Record& record, SummaryText& text) {
  const RecordField<Record>* opening[kMaxSummaryPlaces] = {};
  const RecordField<Record>* continuing[kMaxSummaryPlaces] = {};
  for (const RecordField<Record>& field : fields) {
    if (field.summary.label == nullptr) continue;
    (field.summary.continues ? continuing : opening)[field.summary.place - 1] = &field;
  }
  for (int place = 0; place < kMaxSummaryPlaces && opening[place] != nullptr; ++place) {
    const RecordField<Record>& field = *opening[place];
    if (field.summary.shown != nullptr && !field.summary.shown(record)) continue;
    std::visit(
        [&](const auto& slot) {
          using T = std::decay_t<decltype(record.*slot.member)>;
          if constexpr (std::is_same_v<T, std::string>)
            text.AddText(field.summary.label, record.*slot.member);
          else if constexpr (std::is_same_v<T, bool>)
            text.AddFlag(field.summary.label, record.*slot.member);
          else if constexpr (std::is_same_v<T, std::int32_t>)
            text.AddNumber(field.summary.label, record.*slot.member);
        },
        field.slot);
    if (const RecordField<Record>* joined = continuing[place]) {
      text.Continue(joined->summary.label,
                    record.*std::get<typename RecordField<Record>::Text>(joined->slot).member);
    }
  }
}

// Whether the table compares any field as stored, from the bags rather than the
// records.
template <class Record>
bool ComparesAsStored(FieldTable<Record> fields) {
  for (const RecordField<Record>& field : fields)
    if (field.storage != nullptr && field.storage->sameStored != nullptr) return true;
  return false;
}

// True when no field that the table compares differs between the two records, each
// read from its bag. Fields compared as stored are compared last, from the bags.
template <class Record>
bool SameComparedFields(FieldTable<Record> fields, const Record& a, const CPrivateProperty& aBag,
                        const Record& b, const CPrivateProperty& bBag) {
  const auto asStored = [](const RecordField<Record>& field) {
    return field.storage != nullptr && field.storage->sameStored != nullptr;
  };
  for (const RecordField<Record>& field : fields) {
    if (asStored(field) || !field.compared(a)) continue;
    const bool same =
        std::visit([&](const auto& slot) { return a.*slot.member == b.*slot.member; }, field.slot);
    if (!same) return false;
  }
  for (const RecordField<Record>& field : fields) {
    if (asStored(field) && field.compared(a) && !field.storage->sameStored(aBag, bBag))
      return false;
  }
  return true;
}

namespace detail {

constexpr bool SameKey(const char* a, const char* b) {
  while (*a != '\0' && *a == *b) {
    ++a;
    ++b;
  }
  return *a == *b;
}

}  // namespace detail

// Whether the table can drive the operations above: keys present and unique; a
// calendar, and every field stored its own way, has a writer; summary places run from 1 without
// gaps, one opening item each, a continuing text field following the item it continues and shown
// with it.
template <class Record>
constexpr bool IsSoundFieldTable(FieldTable<Record> fields) {
  using F = RecordField<Record>;
  int places = 0;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const F& field = fields[i];
    if (field.key == nullptr) return false;
    for (std::size_t j = 0; j < i; ++j) {
      if (detail::SameKey(fields[j].key, field.key)) return false;
    }
    if (field.storage != nullptr && field.storage->write == nullptr) return false;
    const bool calendar = std::holds_alternative<typename F::Calendar>(field.slot);
    if (calendar && field.storage == nullptr) return false;

    const typename F::Summary& summary = field.summary;
    if (summary.label == nullptr) continue;
    if (calendar || summary.place < 1 || summary.place > kMaxSummaryPlaces) return false;
    int openings = 0;
    int continuations = 0;
    for (std::size_t j = 0; j < fields.size(); ++j) {
      const typename F::Summary& other = fields[j].summary;
      if (other.label == nullptr || other.place != summary.place) continue;
      if (!other.continues) {
        ++openings;
        if (summary.continues && (j > i || other.shown != summary.shown)) return false;
      } else {
        ++continuations;
      }
    }
    if (openings != 1 || continuations > 1) return false;
    if (summary.continues && !std::holds_alternative<typename F::Text>(field.slot)) return false;
    if (!summary.continues && summary.place > places) places = summary.place;
  }
  // Every place up to the highest one has its opening item.
  for (int place = 1; place <= places; ++place) {
    bool found = false;
    for (const F& field : fields) {
      found = found || (field.summary.label != nullptr && !field.summary.continues &&
                        field.summary.place == place);
    }
    if (!found) return false;
  }
  return true;
}

}  // namespace kelo
