#include "kelo/persist/PersistDescription.h"

#include <algorithm>
#include <boost/lexical_cast.hpp>
#include <string>
#include <utility>
#include <vector>

#include "hcd/IHcdDataPersistence.h"
#include "kelo/persist/LastUpdateText.h"
#include "kelo/persist/RecordPersistLayout.h"

namespace kelo {

namespace {

namespace layout = record_persist;

// The runtime stores integers little-endian whatever machine reads them back;
// assembling them byte by byte also avoids unaligned access.
std::uint64_t ReadLittleEndian(const std::uint8_t* at, std::size_t width) {
  std::uint64_t value = 0;
  for (std::size_t i = width; i > 0; --i) value = (value << 8) | at[i - 1];
  return value;
}

std::string ReadText(const std::uint8_t* block, std::size_t offset, std::size_t span) {
  const auto* begin = reinterpret_cast<const char*>(block + offset);
  const auto* end = std::find(begin, begin + span, '\0');
  return std::string(begin, end);
}

std::string YesNo(const std::uint8_t* block, std::size_t offset) {
  return block[offset] != 0 ? "YES" : "NO";
}

std::vector<std::pair<std::string, std::string>> DescribeVersion1(const std::uint8_t* block) {
  if (block[layout::kInitialised] == 0) return {{"Not initialised", ""}};

  const auto time =
      static_cast<std::int64_t>(ReadLittleEndian(block + layout::kLastTimeUpdated, 8));
  const auto reqType = static_cast<std::uint16_t>(ReadLittleEndian(block + layout::kReqType, 2));
  const auto partyRole = static_cast<std::int32_t>(
      static_cast<std::uint32_t>(ReadLittleEndian(block + layout::kPartyRole, 4)));

  return {
      {"Last Time Updated", LastUpdateText(time)},
      {"Repopulated", YesNo(block, layout::kRepopulated)},
      {"Dirty", YesNo(block, layout::kDirty)},
      {"Deleted", YesNo(block, layout::kDeleted)},
      {"Outstanding", YesNo(block, layout::kOutstanding)},
      {"ReqID", ReadText(block, layout::kReqId, layout::kReqIdSpan)},
      {"ReqType", boost::lexical_cast<std::string>(reqType)},
      {"PartyID", ReadText(block, layout::kPartyId, layout::kPartyIdSpan)},
      {"PartyIDSrc", ReadText(block, layout::kPartyIdSrc, layout::kPartyIdSrcSpan)},
      {"PartyRole", boost::lexical_cast<std::string>(partyRole)},
      {"SecurityIDSrc", ReadText(block, layout::kSecurityIdSrc, layout::kSecurityIdSrcSpan)},
  };
}

// Either every pair lands or, should memory run out, none does.
void AppendAll(HcdDescription& description,
               std::vector<std::pair<std::string, std::string>> pairs) {
  description.reserve(description.size() + pairs.size());
  for (auto& pair : pairs) description.push_back(std::move(pair));
}

}  // namespace

std::uint64_t DescribeRecordPersistData(HcdDescription& description, std::uint16_t version,
                                        bool flag, const std::uint8_t* data, std::uint64_t size) {
  if (version == layout::kEmptyVersion) return 0;
  // A block that claims a length but has no bytes is as unreadable as a short one.
  if (flag || version != layout::kVersion || size < layout::kSize || data == nullptr) {
    throw IHcdDataPersistence::CFormatException();
  }
  AppendAll(description, DescribeVersion1(data));
  return layout::kSize;
}

std::uint64_t DescribeFieldDefPersistData(HcdDescription& /*description*/, std::uint16_t version,
                                          bool /*flag*/, const std::uint8_t* /*data*/,
                                          std::uint64_t /*size*/) {
  if (version > layout::kVersion) throw IHcdDataPersistence::CFormatException();
  return 0;
}

}  // namespace kelo
