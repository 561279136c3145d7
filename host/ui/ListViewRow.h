#pragma once

#include <string>
#include <vector>

// The texts of one list view row, column by column; missing columns are empty.
using ListViewRow = std::vector<std::string>;

// The text of a column of the row; empty for a column the row does not hold.
inline const std::string& Cell(const ListViewRow& row, std::size_t column) {
  static const std::string kMissing;
  return column < row.size() ? row[column] : kMissing;
}
