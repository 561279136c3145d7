#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "kelo/config/HandlerConfig.h"

namespace bench {

// Configuration documents made in code, once per process: every benchmark of a run
// measures the same bytes.
class BenchFixtures {
 public:
  // Ten currencies, each filled with the rule holidays and weekends of 2010 to 2099.
  static const kelo::HandlerConfig& LargeConfig();
  // LargeConfig written to XML, and a second document that differs from it in one
  // remark (in the middle of one currency), so a change check must compare calendars.
  static const std::string& LargeFirst();
  static const std::string& LargeSecond();

  // Record sets as their pages write them; each second document differs in the last
  // setting the change check compares.
  static const std::string& StaticFirst();
  static const std::string& StaticSecond();
  static const std::string& DynamicFirst();
  static const std::string& DynamicSecond();

  // Writes LargeFirst and LargeSecond to the two files.
  static void WriteLargePair(const std::filesystem::path& first,
                             const std::filesystem::path& second);
  // Writes the text to the file, replacing it; std::runtime_error when it cannot.
  static void WriteFile(const std::filesystem::path& path, const std::string& text);

  // The number of holiday entries of LargeConfig, and its currencies.
  static std::size_t LargeEntryCount();
  static std::vector<std::string> LargeCurrencies();

 private:
  BenchFixtures();
  static const BenchFixtures& Instance();

  kelo::HandlerConfig largeConfig_;
  std::string largeFirst_;
  std::string largeSecond_;
  std::string staticFirst_;
  std::string staticSecond_;
  std::string dynamicFirst_;
  std::string dynamicSecond_;
};

}  // namespace bench
