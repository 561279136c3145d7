#pragma once

#include <cstddef>
#include <cstdint>

// Byte layout of the block the handler's runtime persists for each record. The
// runtime writes it; this module only reads it. Integers are little-endian.
namespace kelo::record_persist {

// A block of version 0 carries no data; version 1 is the layout below.
inline constexpr std::uint16_t kEmptyVersion = 0;
inline constexpr std::uint16_t kVersion = 1;
inline constexpr std::size_t kSize = 464;

inline constexpr std::size_t kInitialised = 0;      // u8, 0: no state yet
inline constexpr std::size_t kLastTimeUpdated = 8;  // i64, seconds since the epoch (UTC)
inline constexpr std::size_t kRepopulated = 16;     // boolean byte
inline constexpr std::size_t kDirty = 17;           // boolean byte
inline constexpr std::size_t kDeleted = 18;         // boolean byte
inline constexpr std::size_t kOutstanding = 20;     // boolean byte
inline constexpr std::size_t kReqId = 21;           // text
inline constexpr std::size_t kReqIdSpan = 41;
inline constexpr std::size_t kReqType = 62;  // u16
inline constexpr std::size_t kPartyId = 64;  // text
inline constexpr std::size_t kPartyIdSpan = 90;
inline constexpr std::size_t kPartyIdSrc = 154;  // text
inline constexpr std::size_t kPartyIdSrcSpan = 90;
inline constexpr std::size_t kPartyRole = 244;      // i32
inline constexpr std::size_t kSecurityIdSrc = 248;  // text, up to the end of the block
inline constexpr std::size_t kSecurityIdSrcSpan = kSize - kSecurityIdSrc;

// A text ends at its first zero byte, or at the end of its span when it has none.
static_assert(kReqId + kReqIdSpan == kReqType);
static_assert(kPartyId + kPartyIdSpan == kPartyIdSrc);
static_assert(kPartyIdSrc + kPartyIdSrcSpan == kPartyRole);
static_assert(kSecurityIdSrcSpan == 216);

}  // namespace kelo::record_persist
