#pragma once

#include <string>
#include <vector>

// The texts of one list view row, column by column; missing columns are empty.
using ListViewRow = std::vector<std::string>;
