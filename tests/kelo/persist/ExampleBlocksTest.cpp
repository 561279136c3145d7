#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "kelo/persist/PersistDescription.h"

namespace kelo {
namespace {

std::vector<std::uint8_t> ReadExample(const std::string& name) {
  std::ifstream in(std::string(HCD_PERSIST_EXAMPLES_DIR) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

HcdDescription DescribeExample(const std::string& name) {
  const auto block = ReadExample(name);
  EXPECT_EQ(block.size(), 464u) << name;
  HcdDescription description;
  EXPECT_EQ(DescribeRecordPersistData(description, 1, false, block.data(), block.size()), 464u);
  return description;
}

// The values here are the ones examples/persist/README.md shows.
TEST(ExampleBlocks, DescribeAsDocumented) {
  ::setenv("TZ", "UTC", 1);
  ::tzset();
  EXPECT_EQ(DescribeExample("record-v1.bin"),
            (HcdDescription{
                {"Last Time Updated", "Wed Jun 05 08:05:05 2024\n"},
                {"Repopulated", "YES"},
                {"Dirty", "YES"},
                {"Deleted", "NO"},
                {"Outstanding", "YES"},
                {"ReqID", "KELO-20240605-080505-000042"},
                {"ReqType", "3"},
                {"PartyID", "BANK01-PANEL-EUR"},
                {"PartyIDSrc", "D"},
                {"PartyRole", "7"},
                {"SecurityIDSrc", "4"},
            }));
  EXPECT_EQ(DescribeExample("not-initialised-v1.bin"), (HcdDescription{{"Not initialised", ""}}));
}

}  // namespace
}  // namespace kelo
