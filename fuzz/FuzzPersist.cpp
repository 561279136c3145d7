// The persisted-data description on arbitrary blocks. The input's first bytes choose
// the call: version (u16, little-endian), flags, and a block size no larger than the
// bytes that follow, which become the block. The block is copied into a buffer of
// exactly that size, so that any read past it is caught.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <utility>

#include "fuzz/FuzzCheck.h"
#include "hcd/HcdTypes.h"
#include "hcd/IHcdDataPersistence.h"
#include "kelo/persist/PersistDescription.h"

namespace {

constexpr std::size_t kHeaderSize = 5;  // version 2, flags 1, size 2
constexpr std::uint64_t kBlockSize = 464;
constexpr std::uint8_t kFlag = 0x01;
constexpr std::uint8_t kNullData = 0x02;  // pass no data pointer at all

const HcdDescription kBefore = {{"Earlier", "pair"}};

const char* const kNames[] = {"Last Time Updated", "Repopulated", "Dirty",        "Deleted",
                              "Outstanding",       "ReqID",       "ReqType",      "PartyID",
                              "PartyIDSrc",        "PartyRole",   "SecurityIDSrc"};

std::string Pairs(const HcdDescription& description) {
  std::string text;
  for (const auto& [name, value] : description) text += "\n  " + name + ": " + fuzz::Shown(value);
  return text;
}

// A text field holds at most its span and no zero byte.
void CheckText(const std::string& value, std::size_t span, const char* name) {
  FUZZ_CHECK(value.size() <= span && value.find('\0') == std::string::npos,
             std::string(name) + " is " + fuzz::Shown(value));
}

void CheckBlockDescription(const HcdDescription& description, const std::uint8_t* block) {
  const auto added = description.begin() + static_cast<std::ptrdiff_t>(kBefore.size());
  const std::size_t count = static_cast<std::size_t>(description.end() - added);
  if (block[0] == 0) {
    FUZZ_CHECK(count == 1 && added->first == "Not initialised" && added->second.empty(),
               "uninitialised block described as" + Pairs(description));
    return;
  }
  FUZZ_CHECK(count == std::size(kNames), "described with" + Pairs(description));
  for (std::size_t i = 0; i < count; ++i) {
    FUZZ_CHECK(added[i].first == kNames[i], "pair " + std::to_string(i) + " is " + added[i].first);
  }
  const std::string& time = added[0].second;
  FUZZ_CHECK((time.size() == 25 && time.back() == '\n') || time.rfind("(time out of range", 0) == 0,
             "Last Time Updated is " + fuzz::Shown(time));
  const std::size_t flagOffsets[] = {16, 17, 18, 20};
  for (std::size_t i = 0; i < 4; ++i) {
    const char* expected = block[flagOffsets[i]] != 0 ? "YES" : "NO";
    FUZZ_CHECK(added[1 + i].second == expected, added[1 + i].first + " is " + added[1 + i].second);
  }
  CheckText(added[5].second, 41, "ReqID");
  CheckText(added[7].second, 90, "PartyID");
  CheckText(added[8].second, 90, "PartyIDSrc");
  CheckText(added[10].second, 216, "SecurityIDSrc");
  const unsigned reqType = block[62] | block[63] << 8;
  FUZZ_CHECK(added[6].second == std::to_string(reqType), "ReqType is " + added[6].second);
  std::uint32_t role = 0;
  for (int i = 3; i >= 0; --i) role = role << 8 | block[244 + i];
  FUZZ_CHECK(added[9].second == std::to_string(static_cast<std::int32_t>(role)),
             "PartyRole is " + added[9].second);
}

void CheckRecord(std::uint16_t version, bool flag, const std::uint8_t* block, std::uint64_t size) {
  // The answer the handler must give, worked out from the call alone.
  const bool empty = version == 0;
  const bool described = !empty && !flag && version == 1 && size >= kBlockSize && block != nullptr;

  HcdDescription description = kBefore;
  std::uint64_t result = 0;
  try {
    result = kelo::DescribeRecordPersistData(description, version, flag, block, size);
  } catch (const IHcdDataPersistence::CFormatException& error) {
    FUZZ_CHECK(!empty && !described, "refused a block it should read: version " +
                                         std::to_string(version) + ", size " +
                                         std::to_string(size));
    FUZZ_CHECK(description == kBefore, "a refusal appended" + Pairs(description));
    FUZZ_CHECK(std::string(error.what()) == "Persisted data format version is unrecognised",
               std::string("refused with ") + error.what());
    return;
  }
  FUZZ_CHECK(result == 0 || result == kBlockSize, "described " + std::to_string(result));
  if (empty) {
    FUZZ_CHECK(result == 0 && description == kBefore, "version 0 gave" + Pairs(description));
    return;
  }
  FUZZ_CHECK(described, "accepted version " + std::to_string(version) + ", flag " +
                            std::to_string(flag) + ", size " + std::to_string(size));
  FUZZ_CHECK(result == kBlockSize, "described " + std::to_string(result));
  FUZZ_CHECK(std::equal(kBefore.begin(), kBefore.end(), description.begin()),
             "earlier pairs changed");
  CheckBlockDescription(description, block);
}

void CheckFieldDef(std::uint16_t version, bool flag, const std::uint8_t* block,
                   std::uint64_t size) {
  HcdDescription description = kBefore;
  try {
    const std::uint64_t result =
        kelo::DescribeFieldDefPersistData(description, version, flag, block, size);
    FUZZ_CHECK(version <= 1 && result == 0,
               "version " + std::to_string(version) + " gave " + std::to_string(result));
  } catch (const IHcdDataPersistence::CFormatException&) {
    FUZZ_CHECK(version > 1, "refused version " + std::to_string(version));
  }
  FUZZ_CHECK(description == kBefore, "a field definition was described" + Pairs(description));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kHeaderSize) return 0;
  const auto version = static_cast<std::uint16_t>(data[0] | data[1] << 8);
  const bool flag = (data[2] & kFlag) != 0;
  const bool nullData = (data[2] & kNullData) != 0;
  const std::size_t available = size - kHeaderSize;
  // Sizes beyond what follows the header are folded into it, so that the common case,
  // the whole rest as the block, is simply a large number.
  const std::size_t wanted = static_cast<std::size_t>(data[3] | data[4] << 8);
  const std::size_t blockSize = std::min(wanted, available);

  // An exact-size copy: a read past blockSize lands outside the allocation.
  const std::unique_ptr<std::uint8_t[]> block(new std::uint8_t[blockSize]);
  std::memcpy(block.get(), data + kHeaderSize, blockSize);
  const std::uint8_t* passed = nullData ? nullptr : block.get();
  const std::uint64_t passedSize = blockSize;

  CheckRecord(version, flag, passed, passedSize);
  CheckFieldDef(version, flag, passed, passedSize);
  return 0;
}
