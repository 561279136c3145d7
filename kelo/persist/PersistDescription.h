#pragma once

#include <cstdint>

#include "hcd/HcdTypes.h"

namespace kelo {

// The handler's answers to the host's persisted-data questions. Both append to
// description and never clear it; a refused block throws
// IHcdDataPersistence::CFormatException before anything is appended.

// Version 0: nothing, 0. Version 1 with the flag clear: the block's description,
// 464 (only the first 464 bytes are read). Throws for any other version, a
// non-zero version with the flag set, or a version 1 block that is shorter than
// 464 bytes or has no data.
std::uint64_t DescribeRecordPersistData(HcdDescription& description, std::uint16_t version,
                                        bool flag, const std::uint8_t* data, std::uint64_t size);

// The handler persists nothing per field definition: versions 0 and 1 give
// nothing and 0 without looking at the data; a later version throws.
std::uint64_t DescribeFieldDefPersistData(HcdDescription& description, std::uint16_t version,
                                          bool flag, const std::uint8_t* data, std::uint64_t size);

}  // namespace kelo
