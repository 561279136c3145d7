#pragma once

#include <string>

namespace kelo {

// What a change between two configuration documents requires, as one of the values
// of ConfigChangeAction.h. Both documents are parsed in full, the first before the
// second; an empty one reads as the defaults. A document that cannot be parsed
// throws the parser's XmlError. Swapping the two documents never changes the answer.
// Which fields count, and when, is each record's field table's "compared" column.

// kChangeRestartHandler when a setting of the handler's connection or submissions
// differs, else kChangeNone.
int CheckHandlerConfigChange(const std::string& first, const std::string& second);

// kChangeRecordSet when what the record set submits differs (for a dynamic one, its
// SecurityID), else kChangeNone.
int CheckRecordSetConfigChange(const std::string& first, const std::string& second, bool dynamic);

}  // namespace kelo
