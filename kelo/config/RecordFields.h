#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <type_traits>
#include <variant>

#include "kelo/config/PropertyValues.h"
#include "kelo/config/SummaryText.h"
#include "props/CPrivateProperty.h"

namespace kelo {

// One stored field of a record: its key in the bag, the member that holds it, its
// default, and its label in the summary line (null when the summary leaves it out).
// A record lists its fields in one table, in the order the fields are stored; reading,
// writing, the defaults and, where the summary follows the same order, the summary
// are all driven by that table, so adding a field is one row.
template <class Record>
struct RecordField {
  template <class T, class Default = T>
  struct Slot {
    T Record::*member;
    Default fallback;
  };
  using Text = Slot<std::string, const char*>;
  using Flag = Slot<bool>;
  using Number = Slot<std::int32_t>;
  // A field stored in its own way. A null read leaves the field to the record (read
  // elsewhere, or not at all); its default is the member's own.
  struct Custom {
    void (*read)(const CPrivateProperty& bag, Record& record);
    void (*write)(const Record& record, CPrivateProperty& bag);
  };

  const char* key;
  std::variant<Text, Flag, Number, Custom> slot;
  const char* label = nullptr;
};

template <class Record>
using FieldTable = std::span<const RecordField<Record>>;

template <class Record>
using CustomSlot = typename RecordField<Record>::Custom;

// Sets every field of the table to its default.
template <class Record>
void SetDefaults(FieldTable<Record> fields, Record& record) {
  for (const RecordField<Record>& field : fields)
    std::visit(
        [&](const auto& slot) {
          using Slot = std::decay_t<decltype(slot)>;
          if constexpr (std::is_same_v<Slot, typename RecordField<Record>::Text>) {
            // Records are made often and nearly every text starts empty.
            if (*slot.fallback == '\0')
              (record.*slot.member).clear();
            else
              record.*slot.member = slot.fallback;
          } else if constexpr (!std::is_same_v<Slot, CustomSlot<Record>>) {
            record.*slot.member = slot.fallback;
          }
        },
        field.slot);
}

// Every field from the bag into a record that holds the defaults: a missing key, or
// one holding another kind of value, leaves the default.
template <class Record>
void ReadFields(FieldTable<Record> fields, const CPrivateProperty& bag, Record& record) {
  for (const RecordField<Record>& field : fields) {
    std::visit(
        [&](const auto& slot) {
          if constexpr (std::is_same_v<std::decay_t<decltype(slot)>, CustomSlot<Record>>) {
            if (slot.read != nullptr) slot.read(bag, record);
            return;
          } else {
            using T = std::decay_t<decltype(record.*slot.member)>;
            if constexpr (std::is_same_v<T, std::string>)
              GetText(bag, field.key, record.*slot.member);
            else if constexpr (std::is_same_v<T, bool>)
              GetBool(bag, field.key, record.*slot.member);
            else
              GetInt(bag, field.key, record.*slot.member);
          }
        },
        field.slot);
  }
}

// Sets every key of the table, in table order; keys already in the bag are
// overwritten in place, none is removed.
template <class Record>
void WriteFields(FieldTable<Record> fields, const Record& record, CPrivateProperty& bag) {
  for (const RecordField<Record>& field : fields) {
    std::visit(
        [&](const auto& slot) {
          if constexpr (std::is_same_v<std::decay_t<decltype(slot)>, CustomSlot<Record>>) {
            slot.write(record, bag);
          } else if constexpr (std::is_same_v<std::decay_t<decltype(record.*slot.member)>,
                                              std::string>) {
            SetText(bag, field.key, record.*slot.member);
          } else {
            bag.SetValueToProperty(field.key, record.*slot.member);
          }
        },
        field.slot);
  }
}

// Adds the labelled fields to the summary, in table order.
template <class Record>
void SummariseFields(FieldTable<Record> fields, const Record& record, SummaryText& text) {
  for (const RecordField<Record>& field : fields) {
    if (field.label == nullptr) continue;
    std::visit(
        [&](const auto& slot) {
          if constexpr (std::is_same_v<std::decay_t<decltype(slot)>, CustomSlot<Record>>) {
            return;
          } else {
            using T = std::decay_t<decltype(record.*slot.member)>;
            if constexpr (std::is_same_v<T, std::string>)
              text.AddText(field.label, record.*slot.member);
            else if constexpr (std::is_same_v<T, bool>)
              text.AddFlag(field.label, record.*slot.member);
            else
              text.AddNumber(field.label, record.*slot.member);
          }
        },
        field.slot);
  }
}

}  // namespace kelo
